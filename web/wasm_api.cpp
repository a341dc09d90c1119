// The page's side of form1: a FormControls that keeps in memory what the
// page shows (the ten texts and step values, the cues, the three captions,
// Timer1, a focus request, the beeps, the field and graph pixels) and the C
// functions the page's script calls. The script forwards each event here and
// shows what it reads back; every rule stays in the shared C++.

#include <algorithm>
#include <array>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "assets/picture_data.h"
#include "sim/form.h"
#include "sim/random_source.h"
#include "sim/state_block.h"
#include "sim/summary.h"
#include "view/field_painter.h"
#include "view/graph_painter.h"
#include "view/pixel_image.h"
#include "view/xpm.h"

#define NB_EXPORT(name) extern "C" __attribute__((export_name(#name)))

// The scripted sequence of trace mode comes from the page, which throws when
// it runs out: that ends the handler that drew, as on the desktop.
extern "C" __attribute__((import_module("noboria"), import_name("random_draw"))) float noboria_random_draw();

// The wasm C++ runtime has no exceptions: nothing here throws, and anything
// that would is a fault that must stop the call instead of going on.
extern "C" void* __cxa_allocate_exception(std::size_t) { __builtin_trap(); }
extern "C" void __cxa_throw(void*, void*, void (*)(void*)) { __builtin_trap(); }

namespace noboria {
namespace {

class PageRandom final : public RandomSource {
 public:
  float next() override { return noboria_random_draw(); }
};

// What changed since the page last looked, so that it touches only that.
enum Change : unsigned {
  kTextsChanged = 1u << 0,
  kBarsChanged = 1u << 1,
  kCuesChanged = 1u << 2,
  kCaptionsChanged = 1u << 3,
  kTimerChanged = 1u << 4,
  kFieldChanged = 1u << 5,
  kGraphChanged = 1u << 6,
  kFocusRequested = 1u << 7,
  kBeeped = 1u << 8,
};

enum Caption { kDaycap, kZSuu, kLSuu, kCaptionCount };

// One pixel 0xAARRGGBB as the canvas wants it: bytes R, G, B, A in memory
// order, which on little-endian wasm is 0xAABBGGRR.
constexpr std::uint32_t rgba(std::uint32_t p) { return (p & 0xFF00FF00u) | ((p >> 16) & 0xFFu) | ((p & 0xFFu) << 16); }

// Pixels as the canvas wants them (bytes R, G, B, A in memory order), kept
// per picture so that only what a day changed is converted and uploaded.
class CanvasPixels {
 public:
  void touch(const PixelRect& r) {
    if (r.empty()) return;
    if (dirty_.empty()) {
      dirty_ = r;
      return;
    }
    const int left = std::min(dirty_.x, r.x), top = std::min(dirty_.y, r.y);
    const int right = std::max(dirty_.x + dirty_.width, r.x + r.width);
    const int bottom = std::max(dirty_.y + dirty_.height, r.y + r.height);
    dirty_ = {left, top, right - left, bottom - top};
  }
  bool dirty() const { return !dirty_.empty(); }

  // Brings the changed part up to date; the part is kept for the page to read.
  const std::uint32_t* update(const PixelImage& image) {
    if (rgba_.size() != image.pixels.size()) {
      rgba_.assign(image.pixels.size(), 0);
      dirty_ = image.rect();
    }
    shown_ = dirty_ & image.rect();
    for (int y = shown_.y; y < shown_.y + shown_.height; ++y) {
      for (int x = shown_.x; x < shown_.x + shown_.width; ++x) {
        rgba_[static_cast<std::size_t>(y) * image.width + x] = rgba(image.at(x, y));
      }
    }
    dirty_ = {};
    return rgba_.data();
  }
  const PixelRect& shown() const { return shown_; }

 private:
  std::vector<std::uint32_t> rgba_;
  PixelRect dirty_;
  PixelRect shown_;
};

std::vector<std::uint32_t> to_rgba(const PixelImage& image) {
  std::vector<std::uint32_t> out(image.pixels.size());
  std::transform(image.pixels.begin(), image.pixels.end(), out.begin(), rgba);
  return out;
}

class PageControls final : public FormControls {
 public:
  PageControls() {
    texts_.fill("1");
    texts_[kSpeedIndex] = "4";
    for (int i = 0; i < kTextBoxCount; ++i) bars_[i] = kBarRanges[i].designer_value;
    captions_.fill("Label1");
  }

  void attach(Form& form) { form_ = &form; }

  // A user's edit: the handler runs only for a text it has not seen.
  void edit(int i, std::string text) { set_text(i, text); }

  // As a click that lands on value: kept within the bar's range.
  void click_bar(int i, int value) {
    const BarRange& r = kBarRanges[i];
    set_bar_value(i, value < r.minimum ? r.minimum : value > r.maximum ? r.maximum : value);
  }

  std::string text(int i) const override { return texts_[i]; }
  void set_text(int i, const std::string& text) override {
    if (texts_[i] == text) return;
    texts_[i] = text;
    changes_ |= kTextsChanged;
    if (form_) form_->text_Change(i);
  }
  int bar_value(int i) const override { return bars_[i]; }
  void set_bar_value(int i, int value) override {
    if (bars_[i] == value) return;
    bars_[i] = value;
    changes_ |= kBarsChanged;
    if (form_) form_->bar_Change(i);
  }
  void show_cue(int i, std::string_view hint) override {
    if (cued_[i] && hints_[i] == hint) return;
    cued_[i] = true;
    hints_[i] = hint;
    changes_ |= kCuesChanged;
  }
  void clear_cue(int i) override {
    if (!cued_[i]) return;
    cued_[i] = false;
    hints_[i].clear();
    changes_ |= kCuesChanged;
  }
  void focus_box(int i) override {
    focus_ = i;
    changes_ |= kFocusRequested;
  }
  void show_instruction(std::string_view text) override { set_caption(kDaycap, std::string(text)); }
  void set_timer_enabled(bool on) override {
    if (timer_on_ == on) return;
    timer_on_ = on;
    changes_ |= kTimerChanged;
  }
  void set_timer_interval(int ms) override {
    if (ms < 0) ms = 0;
    if (interval_ == ms) return;
    interval_ = ms;
    changes_ |= kTimerChanged;
  }

  void field_draw(const World& w) override {
    field_.field_draw(w);
    for (const PixelRect& r : field_.changed()) field_pixels_.touch(r);
    if (field_pixels_.dirty()) changes_ |= kFieldChanged;
  }
  void gra_new_sheet() override {
    graph_.new_sheet();
    graph_pixels_.touch(graph_.image().rect());
    changes_ |= kGraphChanged;
  }
  void gra_plot(const GraphPoint& p) override {
    graph_.plot(p);
    graph_pixels_.touch(GraphPainter::plot_rect(p));
    if (graph_pixels_.dirty()) changes_ |= kGraphChanged;
  }
  void show_day(int day) override { set_caption(kDaycap, std::to_string(day)); }
  void show_counts(int z_num, int l_num) override {
    set_caption(kZSuu, std::to_string(z_num));
    set_caption(kLSuu, std::to_string(l_num));
  }
  void timer_off() override { set_timer_enabled(false); }
  void beep() override {
    ++beeps_;
    changes_ |= kBeeped;
  }

  unsigned take_changes() {
    const unsigned c = changes_;
    changes_ = 0;
    return c;
  }
  int take_focus() {
    const int f = focus_;
    focus_ = -1;
    return f;
  }
  bool cued(int i) const { return cued_[i]; }
  const std::string& hint(int i) const { return hints_[i]; }
  const std::string& caption(int c) const { return captions_[c]; }
  bool timer_on() const { return timer_on_; }
  int interval() const { return interval_; }
  long long beeps() const { return beeps_; }
  const FieldPainter& field() const { return field_; }
  const GraphPainter& graph() const { return graph_; }
  // The field (0) or the graph (1) as the canvas wants it, and the part of it
  // that changed since the last call.
  CanvasPixels& pixels(int which) { return which == 0 ? field_pixels_ : graph_pixels_; }
  const PixelImage& image(int which) const { return which == 0 ? field_.image() : graph_.image(); }

 private:
  void set_caption(int c, std::string text) {
    if (captions_[c] == text) return;
    captions_[c] = std::move(text);
    changes_ |= kCaptionsChanged;
  }

  Form* form_ = nullptr;
  std::array<std::string, kTextBoxCount> texts_;
  std::array<int, kTextBoxCount> bars_{};
  std::array<bool, kTextBoxCount> cued_{};
  std::array<std::string, kTextBoxCount> hints_;
  std::array<std::string, kCaptionCount> captions_;
  bool timer_on_ = false;
  int interval_ = 200;  // Timer1 at design time, matching speed "4"
  int focus_ = -1;
  long long beeps_ = 0;
  // Everything is new to the page at first, the blank field and graph included.
  unsigned changes_ = kTextsChanged | kBarsChanged | kCaptionsChanged | kTimerChanged | kFieldChanged | kGraphChanged;
  FieldPainter field_;
  GraphPainter graph_;
  CanvasPixels field_pixels_;
  CanvasPixels graph_pixels_;
};

// The one form of the page and what it is built from.
struct Page {
  explicit Page(std::unique_ptr<RandomSource> r) : random(std::move(r)), form(*random, controls) {
    controls.attach(form);
  }
  std::unique_ptr<RandomSource> random;
  PageControls controls;
  Form form;
};

std::unique_ptr<Page> page;
std::string in;   // bytes the script hands over
std::string out;  // the last text handed back
PixelImage picture;
std::vector<std::uint32_t> picture_rgba;

bool box_index(int i) { return i >= 0 && i < kTextBoxCount; }

const char* hand_back(std::string text) {
  out = std::move(text);
  return out.data();
}

}  // namespace
}  // namespace noboria

using noboria::page;

// ---- Set-up ----------------------------------------------------------------

// A buffer of n bytes for the script to fill before a call that reads `in`.
NB_EXPORT(nb_in) char* nb_in(int n) {
  noboria::in.assign(n < 0 ? 0 : static_cast<std::size_t>(n), '\0');
  return noboria::in.data();
}

NB_EXPORT(nb_out_len) int nb_out_len() { return static_cast<int>(noboria::out.size()); }

// scripted: every draw comes from the page (trace mode); otherwise a Mersenne
// Twister seeded from the page's 32 random bits.
NB_EXPORT(nb_init) void nb_init(int scripted, std::uint32_t seed) {
  if (page) return;
  std::unique_ptr<noboria::RandomSource> random;
  if (scripted) {
    random = std::make_unique<noboria::PageRandom>();
  } else {
    random = std::make_unique<noboria::MersenneRandom>(seed);
  }
  page = std::make_unique<noboria::Page>(std::move(random));
}

NB_EXPORT(nb_form_load) void nb_form_load() {
  if (page) page->form.set_default();
}

// ---- Events ----------------------------------------------------------------

// The user edited box i; its new text is the `in` buffer (UTF-8).
NB_EXPORT(nb_edit) void nb_edit(int i) {
  if (page && noboria::box_index(i)) page->controls.edit(i, noboria::in);
}

NB_EXPORT(nb_bar_set) void nb_bar_set(int i, int value) {
  if (page && noboria::box_index(i)) page->controls.click_bar(i, value);
}

// One arrow click or key step of step control i.
NB_EXPORT(nb_bar_step) void nb_bar_step(int i, int delta) {
  if (!page || !noboria::box_index(i)) return;
  const long long v = static_cast<long long>(page->controls.bar_value(i)) + delta;
  page->controls.click_bar(i, static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX)));
}

NB_EXPORT(nb_sim_com) void nb_sim_com() {
  if (page) page->form.sim_com_Click();
}

NB_EXPORT(nb_command2) void nb_command2() {
  if (page) page->form.Command2_Click();
}

// One tick of Timer1, delivered only while it is on with an interval above 0.
NB_EXPORT(nb_tick) int nb_tick() {
  if (!page || !page->controls.timer_on() || page->controls.interval() <= 0) return 0;
  page->form.Timer1_Timer();
  return 1;
}

// ---- What the page shows ------------------------------------------------------

NB_EXPORT(nb_changes) unsigned nb_changes() { return page ? page->controls.take_changes() : 0; }

NB_EXPORT(nb_text) const char* nb_text(int i) {
  return noboria::hand_back(page && noboria::box_index(i) ? page->controls.text(i) : std::string());
}

NB_EXPORT(nb_bar_value) int nb_bar_value(int i) {
  return page && noboria::box_index(i) ? page->controls.bar_value(i) : 0;
}

NB_EXPORT(nb_bar_min) int nb_bar_min(int i) { return noboria::box_index(i) ? noboria::kBarRanges[i].minimum : 0; }
NB_EXPORT(nb_bar_max) int nb_bar_max(int i) { return noboria::box_index(i) ? noboria::kBarRanges[i].maximum : 0; }

NB_EXPORT(nb_cued) int nb_cued(int i) { return page && noboria::box_index(i) && page->controls.cued(i); }

NB_EXPORT(nb_hint) const char* nb_hint(int i) {
  return noboria::hand_back(page && noboria::box_index(i) ? page->controls.hint(i) : std::string());
}

// 0 daycap, 1 z_suu, 2 l_suu.
NB_EXPORT(nb_caption) const char* nb_caption(int c) {
  return noboria::hand_back(page && c >= 0 && c < noboria::kCaptionCount ? page->controls.caption(c) : std::string());
}

NB_EXPORT(nb_timer_on) int nb_timer_on() { return page && page->controls.timer_on(); }
NB_EXPORT(nb_timer_interval) int nb_timer_interval() { return page ? page->controls.interval() : 0; }

// The box to focus with its text selected, once; -1 for none.
NB_EXPORT(nb_focus) int nb_focus() { return page ? page->controls.take_focus() : -1; }

NB_EXPORT(nb_beeps) double nb_beeps() { return page ? static_cast<double>(page->controls.beeps()) : 0; }

// ---- Pixels -------------------------------------------------------------------

// The field (0) or the graph's drawing area (1) as RGBA bytes, width x height,
// up to date in the part nb_shown gives (x, y, width, height): all the page
// needs to upload.
NB_EXPORT(nb_pixels) const std::uint32_t* nb_pixels(int which) {
  if (!page || which < 0 || which > 1) return nullptr;
  return page->controls.pixels(which).update(page->controls.image(which));
}

NB_EXPORT(nb_shown) int nb_shown(int which, int part) {
  if (!page || which < 0 || which > 1) return 0;
  const noboria::PixelRect& r = page->controls.pixels(which).shown();
  const int parts[] = {r.x, r.y, r.width, r.height};
  return part >= 0 && part < 4 ? parts[part] : 0;
}

NB_EXPORT(nb_pixels_width) int nb_pixels_width(int which) {
  return page && (which == 0 || which == 1) ? page->controls.image(which).width : 0;
}

NB_EXPORT(nb_pixels_height) int nb_pixels_height(int which) {
  return page && (which == 0 || which == 1) ? page->controls.image(which).height : 0;
}

// One of the embedded pictures (legends, icon, zebra), decoded; its size follows.
NB_EXPORT(nb_picture) const std::uint32_t* nb_picture(int id) {
  noboria::picture = {};
  if (id >= 0 && id < noboria::kPictureCount) {
    if (auto decoded = noboria::decode_xpm(noboria::picture_xpm(static_cast<noboria::Picture>(id))))
      noboria::picture = std::move(*decoded);
  }
  noboria::picture_rgba = noboria::to_rgba(noboria::picture);
  return noboria::picture_rgba.data();
}
NB_EXPORT(nb_picture_width) int nb_picture_width() { return noboria::picture.width; }
NB_EXPORT(nb_picture_height) int nb_picture_height() { return noboria::picture.height; }

// ---- Trace mode -----------------------------------------------------------------

// The state block as noboria-trace prints it. Timer1 and the beeps are the
// page's own; `in` holds the captions as shown: daycap, z_suu and l_suu,
// each ended by a zero byte.
NB_EXPORT(nb_state) const char* nb_state(int timer_on, int interval, double beeps) {
  if (!page) return noboria::hand_back(std::string());
  std::array<std::string_view, 3> captions;
  std::string_view rest = noboria::in;
  for (auto& c : captions) {
    const auto end = rest.find('\0');
    c = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
  }
  noboria::StateBlockExtras extras;
  extras.timer_on = timer_on != 0;
  extras.interval = interval;
  extras.beeps = static_cast<long long>(beeps);
  extras.draws = page->form.sim().draws();
  extras.daycap = captions[0];
  extras.z_suu = captions[1];
  extras.l_suu = captions[2];
  return noboria::hand_back(noboria::state_block(page->form.sim().w, extras));
}

// A short text for screen readers: the day and what lives on the field.
NB_EXPORT(nb_summary) const char* nb_summary() {
  return noboria::hand_back(page ? noboria::field_summary(page->form.sim().w) : std::string());
}
