#include "web/page_controls.h"

#include <algorithm>
#include <utility>

namespace noboria {

std::vector<std::uint32_t> to_rgba(const PixelImage& image) {
  std::vector<std::uint32_t> out(image.pixels.size());
  std::transform(image.pixels.begin(), image.pixels.end(), out.begin(), rgba);
  return out;
}

void CanvasPixels::touch(const PixelRect& r) {
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

const std::uint32_t* CanvasPixels::update(const PixelImage& image) {
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

PageControls::PageControls() {
  // What the controls hold before start-up writes anything.
  for (int i = 0; i < kTextBoxCount; ++i) {
    texts_[i] = text_box(i).text;
    steps_[i] = step_control(i).start_value;
  }
  for (std::size_t c = 0; c < counts_.size(); ++c) counts_[c] = control(page::kCountRoles[c]).text;
}

void PageControls::click_step(int i, long long value) { set_step_value(i, Form::clamp_step(i, value)); }

bool PageControls::step_key(int i, StepKey key) {
  const std::optional<int> value = Form::step_for_key(i, steps_[i], key);
  if (value) set_step_value(i, *value);
  return value.has_value();
}

void PageControls::set_text(int i, const std::string& text) {
  if (texts_[i] == text) return;
  texts_[i] = text;
  changes_ |= page::kTexts;
  if (form_) form_->text_changed(i);
}

void PageControls::set_step_value(int i, int value) {
  if (steps_[i] == value) return;
  steps_[i] = value;
  changes_ |= page::kSteps;
  if (form_) form_->step_changed(i);
}

void PageControls::show_cue(int i, std::string_view hint) {
  if (cued_[i] && hints_[i] == hint) return;
  cued_[i] = true;
  hints_[i] = hint;
  changes_ |= page::kCues;
}

void PageControls::clear_cue(int i) {
  if (!cued_[i]) return;
  cued_[i] = false;
  hints_[i].clear();
  changes_ |= page::kCues;
}

void PageControls::focus_box(int i) {
  focus_ = i;
  changes_ |= page::kFocus;
}

void PageControls::set_timer(bool on, int interval_ms) {
  if (timer_on_ == on && interval_ == interval_ms) return;
  timer_on_ = on;
  interval_ = interval_ms;
  changes_ |= page::kTimer;
}

void PageControls::set_about(bool shown) {
  about_shown_ = shown;
  changes_ |= page::kAbout;
}

void PageControls::draw_field(const World& w) {
  field_.field_draw(w);
  for (const PixelRect& r : field_.changed()) field_pixels_.touch(r);
  if (field_pixels_.dirty()) changes_ |= page::kField;
}

void PageControls::new_graph_sheet() {
  graph_.new_sheet();
  graph_pixels_.touch(graph_.image().rect());
  changes_ |= page::kGraph;
}

void PageControls::plot_graph(const GraphPoint& p) {
  graph_.plot(p);
  graph_pixels_.touch(GraphPainter::plot_rect(p));
  if (graph_pixels_.dirty()) changes_ |= page::kGraph;
}

void PageControls::show_counts(int herbivores, int carnivores) {
  set_count(page::kHerbivoreCount, std::to_string(herbivores));
  set_count(page::kCarnivoreCount, std::to_string(carnivores));
}

void PageControls::beep() {
  ++beeps_;
  changes_ |= page::kBeep;
}

void PageControls::announce(std::string_view sentence) {
  announcement_ = sentence;
  changes_ |= page::kAnnounce;
}

unsigned PageControls::take_changes() { return std::exchange(changes_, 0u); }

int PageControls::take_focus() { return std::exchange(focus_, -1); }

std::string PageControls::count_name(int c) const {
  return noboria::count_name(control(page::kCountRoles[c]), counts_[c]);
}

void PageControls::set_count(int c, std::string text) {
  if (counts_[c] == text) return;
  counts_[c] = std::move(text);
  changes_ |= page::kCounts;
}

PageForm::PageForm(std::unique_ptr<RandomSource> random)
    : random_(std::move(random)), form_(*random_, controls_) {
  controls_.attach(form_);
}

void PageForm::load() {
  form_.load();
  follow();
}

void PageForm::start_pressed() {
  form_.start_pressed();
  follow();
}

bool PageForm::tick() {
  if (!form_.ticking()) return false;
  form_.tick();
  follow();
  return true;
}

void PageForm::follow() {
  graph_summary_.follow(form_.sim().w);
  controls_.mark(page::kSummaries);
}

}  // namespace noboria
