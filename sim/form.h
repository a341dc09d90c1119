#pragma once
// form1's event handlers without any widget toolkit: what an edit, a step
// click, a button press or a tick does to the world record, the texts, the
// step controls, the cues and Timer1. The desktop window and the browser page
// both forward their controls' events here and show what it sets, so each
// rule of the window has one home.

#include <array>
#include <string>
#include <string_view>

#include "sim/day_view.h"
#include "sim/parameters.h"
#include "sim/simulation.h"

namespace noboria {

// The ten text boxes and their step controls are numbered together: the nine
// parameter boxes in Box order (HS(0)..HS(8)), then the speed box and HSsp.
inline constexpr int kSpeedIndex = kBoxCount;
inline constexpr int kTextBoxCount = kBoxCount + 1;

// A step control's range and the value it holds before start-up sets it.
struct BarRange {
  int minimum;
  int maximum;
  int designer_value;
};
inline constexpr std::array<BarRange, kTextBoxCount> kBarRanges = {{
    {0, 8, 0}, {1, 150, 1}, {1, 50, 1}, {1, 20, 1}, {1, 100, 50},
    {1, 50, 1}, {1, 20, 1}, {0, 5, 1}, {0, 10, 0}, {1, 200, 1},
}};

// What the handlers need of the window's controls, besides the day's view.
// Writes behave like a classic control's: writing what a control already
// holds raises nothing; writing something else raises its change
// notification, which must reach the Form before the write returns.
class FormControls : public DayView {
 public:
  virtual std::string text(int i) const = 0;  // UTF-8
  virtual void set_text(int i, const std::string& text) = 0;
  virtual int bar_value(int i) const = 0;
  virtual void set_bar_value(int i, int value) = 0;
  // The error cue: the box turns light red and its tooltip says what it takes.
  virtual void show_cue(int i, std::string_view hint) = 0;
  virtual void clear_cue(int i) = 0;
  // Keyboard focus to box i with its text selected.
  virtual void focus_box(int i) = 0;
  // daycap's caption before the first day.
  virtual void show_instruction(std::string_view text) = 0;
  virtual void set_timer_enabled(bool on) = 0;
  virtual void set_timer_interval(int ms) = 0;
};

class Form {
 public:
  Form(RandomSource& random, FormControls& controls) : sim_(random), controls_(controls) {}

  Simulation& sim() { return sim_; }
  const Simulation& sim() const { return sim_; }

  // Form_Load's defaults: the settings and their texts, the step controls,
  // the start-up field and Timer1 on.
  void set_default();
  // Change notifications: box i's text, step control i's value.
  void text_Change(int i);
  void bar_Change(int i);
  void sim_com_Click();
  void Command2_Click();
  void Timer1_Timer();

 private:
  void box_Change(Box b);
  void speed_Change();

  Simulation sim_;
  FormControls& controls_;
};

}  // namespace noboria
