#pragma once
// The page's side of the main window, without anything of WebAssembly: a
// FormControls that keeps in memory what the page shows (the ten texts and
// step values, the cues, the three counts, the timer, the About window, a
// focus request, the bell, a sentence to say, the field's and the graph's
// pixels) and tells the page what changed since it last looked. The page's
// script forwards each event here and shows what it reads back.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "form/form.h"
#include "form/speech.h"
#include "view/field_painter.h"
#include "view/graph_painter.h"
#include "view/pixel_image.h"
#include "web/page_abi.h"

namespace noboria {

// One pixel 0xAARRGGBB as the canvas wants it: bytes R, G, B, A in memory
// order, which on a little-endian machine (wasm is one) is 0xAABBGGRR.
constexpr std::uint32_t rgba(std::uint32_t p) { return (p & 0xFF00FF00u) | ((p >> 16) & 0xFFu) | ((p & 0xFFu) << 16); }
std::vector<std::uint32_t> to_rgba(const PixelImage& image);

// A picture as the canvas wants it, kept so that only what changed since the
// page last looked is converted and uploaded.
class CanvasPixels {
 public:
  void touch(const PixelRect& r);
  bool dirty() const { return !dirty_.empty(); }
  // Brings the changed part up to date; the part is kept for the page to read.
  const std::uint32_t* update(const PixelImage& image);
  const PixelRect& shown() const { return shown_; }

 private:
  std::vector<std::uint32_t> rgba_;
  PixelRect dirty_;
  PixelRect shown_;
};

class PageControls final : public FormControls {
 public:
  PageControls();

  // Change notifications go to the form from now on.
  void attach(Form& form) { form_ = &form; }

  // What the pupil does: an edit of box i, a click on step control i that
  // lands on value (kept within its range), a key on it (false: a key it
  // ignores), and the About window closed by its own OK or Escape.
  void edit(int i, const std::string& text) { set_text(i, text); }
  void click_step(int i, long long value);
  bool step_key(int i, StepKey key);
  void about_closed() { about_shown_ = false; }

  std::string text(int i) const override { return texts_[i]; }
  void set_text(int i, const std::string& text) override;
  int step_value(int i) const override { return steps_[i]; }
  void set_step_value(int i, int value) override;
  void show_cue(int i, std::string_view hint) override;
  void clear_cue(int i) override;
  void focus_box(int i) override;
  void show_instruction(std::string_view text) override { set_count(page::kDayCount, std::string(text)); }
  void set_timer(bool on, int interval_ms) override;
  bool about_shown() const override { return about_shown_; }
  void show_about() override { set_about(true); }
  void hide_about() override { set_about(false); }
  void draw_field(const World& w) override;
  void new_graph_sheet() override;
  void plot_graph(const GraphPoint& p) override;
  void show_day(int day) override { set_count(page::kDayCount, std::to_string(day)); }
  void show_counts(int herbivores, int carnivores) override;
  void beep() override;
  void announce(std::string_view sentence) override;

  // What the page reads back.
  unsigned take_changes();
  void mark(unsigned changes) { changes_ |= changes; }
  int take_focus();
  bool cued(int i) const { return cued_[i]; }
  const std::string& hint(int i) const { return hints_[i]; }
  // Count c in the order of page::kCountRoles: its caption, and what a screen reader calls it.
  const std::string& count(int c) const { return counts_[c]; }
  std::string count_name(int c) const;
  bool timer_on() const { return timer_on_; }
  int interval() const { return interval_; }
  long long beeps() const { return beeps_; }
  const std::string& announcement() const { return announcement_; }
  // The field (0) or the graph (1) as the canvas wants it, and the part of it
  // that changed since the last call.
  CanvasPixels& pixels(int which) { return which == 0 ? field_pixels_ : graph_pixels_; }
  const PixelImage& image(int which) const { return which == 0 ? field_.image() : graph_.image(); }

 private:
  void set_count(int c, std::string text);
  void set_about(bool shown);

  Form* form_ = nullptr;
  std::array<std::string, kTextBoxCount> texts_;
  std::array<int, kTextBoxCount> steps_{};
  std::array<bool, kTextBoxCount> cued_{};
  std::array<std::string, kTextBoxCount> hints_;
  std::array<std::string, page::kCountRoles.size()> counts_;
  bool timer_on_ = false;
  int interval_ = 0;
  bool about_shown_ = false;
  int focus_ = -1;
  long long beeps_ = 0;
  std::string announcement_;
  // Everything is new to the page at first, the blank field and graph included.
  unsigned changes_ = page::kTexts | page::kSteps | page::kCounts | page::kTimer | page::kField | page::kGraph;
  FieldPainter field_;
  GraphPainter graph_;
  CanvasPixels field_pixels_;
  CanvasPixels graph_pixels_;
};

// The page's one main window: its controls, the rules they forward to, and
// the graph's summary, which follows every day and every run start.
class PageForm {
 public:
  explicit PageForm(std::unique_ptr<RandomSource> random);
  PageForm(const PageForm&) = delete;
  PageForm& operator=(const PageForm&) = delete;

  PageControls& controls() { return controls_; }
  const PageControls& controls() const { return controls_; }
  Form& form() { return form_; }
  const Form& form() const { return form_; }

  void load();
  void start_pressed();
  // One tick of the day timer; false when it is not ticking.
  bool tick();
  std::string field_summary() const { return noboria::field_summary(form_.sim().w); }
  const std::string& graph_summary() const { return graph_summary_.text(); }

 private:
  void follow();

  std::unique_ptr<RandomSource> random_;
  PageControls controls_;
  Form form_;
  GraphSummary graph_summary_;
};

}  // namespace noboria
