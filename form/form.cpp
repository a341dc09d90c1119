#include "form/form.h"

#include <algorithm>
#include <array>
#include <vector>

#include "sim/rounding.h"
#include "sim/text_number.h"

namespace noboria {

Form::Form(RandomSource& random, FormControls& controls)
    : sim_(random), controls_(controls), interval_(speed_interval(text_box(kSpeedIndex).text).value_or(0)) {}

void Form::load() {
  // The settings, then their texts; each write runs the box's change rule as
  // an edit would. The boxes start with the texts of the layout, so a box
  // whose start-up text is the same ("1" in le_text and lm_text) runs no
  // rule, and l_hunt keeps its start-up value.
  sim_.set_default_values();
  constexpr int kOrder[] = {0, 1, 4, 2, 5, 3, 6, 7, 8, kSpeedIndex};  // the counts first, then by kind
  for (int i : kOrder) controls_.set_text(i, std::string(text_box(i).load_text));

  // The step controls, in the same order, each to the whole value of its box.
  // The boxes already hold those texts, so their rules do not run again.
  controls_.set_step_value(0, static_cast<int>(rhe(sim_.w.p_rate)));
  for (int i : kOrder) {
    if (i == 0) continue;
    controls_.set_step_value(i, static_cast<int>(rhe(number(controls_.text(i)).value_or(0))));
  }

  sim_.startup_field();
  controls_.show_instruction(texts::kInstruction);
  controls_.draw_field(sim_.w);
  set_timer_on(true);
  controls_.show_about();
}

void Form::text_changed(int i) {
  if (i == kSpeedIndex) {
    speed_changed();
  } else if (i >= 0 && i < kBoxCount) {
    // Z_text and l_text have no rule of their own; this only keeps their cue.
    box_changed(kAllBoxes[i]);
  }
}

void Form::box_changed(Box b) {
  const int i = static_cast<int>(b);
  if (apply_box_text(b, controls_.text(i), sim_.w)) {
    controls_.clear_cue(i);
  } else {
    controls_.show_cue(i, text_box(i).hint);
  }
}

void Form::speed_changed() {
  const std::optional<int> interval = speed_interval(controls_.text(kSpeedIndex));
  if (!interval) {
    controls_.show_cue(kSpeedIndex, text_box(kSpeedIndex).hint);
    return;
  }
  controls_.clear_cue(kSpeedIndex);
  set_interval(*interval);
}

void Form::step_changed(int i) {
  // Writing the text runs the box's own rule before this returns.
  if (i >= 0 && i < kTextBoxCount) controls_.set_text(i, std::to_string(controls_.step_value(i)));
}

void Form::start_pressed() {
  std::array<std::string, kBoxCount> texts;
  for (int i = 0; i < kBoxCount; ++i) texts[i] = controls_.text(i);
  std::vector<Box> invalid;
  const std::optional<RunSettings> settings = read_run_settings(texts, &invalid);
  if (!settings) {
    // Refused: nothing changes but the cues, and the first bad box gets the focus.
    for (Box b : invalid) controls_.show_cue(static_cast<int>(b), text_box(static_cast<int>(b)).hint);
    controls_.focus_box(static_cast<int>(invalid.front()));
    return;
  }
  // Every text is now the setting it shows.
  for (int i = 0; i < kBoxCount; ++i) controls_.clear_cue(i);
  sim_.start_run(*settings);
  set_timer_on(true);
}

void Form::stop_pressed() { set_timer_on(false); }

void Form::about_pressed() {
  if (controls_.about_shown()) {
    controls_.hide_about();
    controls_.announce(about_hidden_sentence());
  } else {
    controls_.show_about();
  }
}

void Form::tick() {
  if (ticking()) sim_.day(relay_);
}

void Form::set_timer_on(bool on) {
  if (timer_on_ == on) return;
  timer_on_ = on;
  controls_.set_timer(timer_on_, interval_);
}

void Form::set_interval(int ms) {
  if (interval_ == ms) return;
  interval_ = ms;
  controls_.set_timer(timer_on_, interval_);
}

int Form::clamp_step(int i, long long value) {
  const Control& c = step_control(i);
  return static_cast<int>(std::clamp<long long>(value, c.minimum, c.maximum));
}

std::optional<int> Form::step_for_key(int i, int value, StepKey key) {
  // Right and up count up, like the right arrow; a page is one step.
  const Control& c = step_control(i);
  switch (key) {
    case StepKey::left:
    case StepKey::down:
    case StepKey::page_down:
      return clamp_step(i, static_cast<long long>(value) - 1);
    case StepKey::right:
    case StepKey::up:
    case StepKey::page_up:
      return clamp_step(i, static_cast<long long>(value) + 1);
    case StepKey::home:
      return c.minimum;
    case StepKey::end:
      return c.maximum;
  }
  return std::nullopt;
}

}  // namespace noboria
