#include "sim/form.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "sim/rounding.h"
#include "sim/text_number.h"

namespace noboria {

void Form::set_default() {
  // The settings, then their texts; each write runs the box's change rule as
  // an edit would. le_text and lm_text already hold "1", so l_hunt keeps its 3.
  sim_.set_default_values();
  const std::pair<Box, const char*> texts[] = {
      {Box::p_text, "0"},   {Box::Z_text, "50"}, {Box::l_text, "50"},
      {Box::Zh_text, "10"}, {Box::lh_text, "10"}, {Box::ze_text, "1"},
      {Box::le_text, "1"},  {Box::lm_text, "1"},  {Box::lK_text, "5"},
  };
  for (const auto& [b, text] : texts) controls_.set_text(static_cast<int>(b), text);

  // The step controls, in this order, each to the whole value of its box. The
  // boxes already hold those texts, so their handlers do not run again.
  controls_.set_bar_value(0, static_cast<int>(rhe(sim_.w.p_rate)));
  for (int index : {1, 4, 2, 5, 3, 6, 7, 8}) {
    controls_.set_bar_value(index, static_cast<int>(rhe(number(controls_.text(index)).value_or(0))));
  }
  controls_.set_bar_value(kSpeedIndex, 4);

  sim_.startup_field();
  controls_.show_instruction("動植物の数や日数を入力し、シミュレーションを押してください");
  controls_.field_draw(sim_.w);
  controls_.set_timer_enabled(true);
}

void Form::text_Change(int i) {
  if (i == kSpeedIndex) {
    speed_Change();
  } else if (i >= 0 && i < kBoxCount) {
    // Z_text and l_text have no change handler; this only keeps their cue.
    box_Change(kAllBoxes[i]);
  }
}

void Form::box_Change(Box b) {
  const int i = static_cast<int>(b);
  if (apply_box_text(b, controls_.text(i), sim_.w)) {
    controls_.clear_cue(i);
  } else {
    controls_.show_cue(i, box_hint(b));
  }
}

void Form::speed_Change() {
  const std::optional<int> interval = speed_interval(controls_.text(kSpeedIndex));
  if (!interval) {
    controls_.show_cue(kSpeedIndex, speed_hint());
    return;
  }
  controls_.clear_cue(kSpeedIndex);
  controls_.set_timer_interval(*interval);
}

void Form::bar_Change(int i) {
  // Writing the text runs the box's own change handler before this returns.
  if (i >= 0 && i < kTextBoxCount) controls_.set_text(i, std::to_string(controls_.bar_value(i)));
}

void Form::sim_com_Click() {
  std::array<std::string, kBoxCount> texts;
  for (int i = 0; i < kBoxCount; ++i) texts[i] = controls_.text(i);
  std::vector<Box> invalid;
  const std::optional<RunSettings> settings = read_run_settings(texts, &invalid);
  if (!settings) {
    // Refused: nothing changes but the cues, and the first bad box gets the focus.
    for (Box b : invalid) controls_.show_cue(static_cast<int>(b), box_hint(b));
    controls_.focus_box(static_cast<int>(invalid.front()));
    return;
  }
  // Every text is now the setting it shows.
  for (int i = 0; i < kBoxCount; ++i) controls_.clear_cue(i);
  sim_.start_run(*settings);
  controls_.set_timer_enabled(true);
}

void Form::Command2_Click() { controls_.set_timer_enabled(false); }

void Form::Timer1_Timer() { sim_.day(controls_); }

}  // namespace noboria
