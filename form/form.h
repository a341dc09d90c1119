#pragma once
// The main window's rules without any widget toolkit: what an edit, a step,
// a button press, an arrow key or a tick of the day timer does to the world
// record, the texts, the step controls, the cues, the timer and the About
// window. The desktop window and the browser page both forward their
// controls' events here and show what it sets, so each rule has one home.

#include <optional>
#include <string>
#include <string_view>

#include "form/layout.h"
#include "form/speech.h"
#include "sim/day_view.h"
#include "sim/parameters.h"
#include "sim/simulation.h"

namespace noboria {

static_assert(kParameterCount == kBoxCount);

// What the rules need of the window's controls and what a day shows.
// Writes behave like a toolkit's: writing what a control already holds raises
// nothing; writing something else raises its change notification, which must
// reach the Form before the write returns. Text box i and step control i are
// numbered as in form/layout.h.
class FormControls {
 public:
  virtual ~FormControls() = default;
  virtual std::string text(int i) const = 0;  // UTF-8
  virtual void set_text(int i, const std::string& text) = 0;
  virtual int step_value(int i) const = 0;
  virtual void set_step_value(int i, int value) = 0;
  // The error cue: the box turns light red and its tooltip says what it takes.
  virtual void show_cue(int i, std::string_view hint) = 0;
  virtual void clear_cue(int i) = 0;
  // Keyboard focus to box i with its text selected.
  virtual void focus_box(int i) = 0;
  // The day's caption before the first day.
  virtual void show_instruction(std::string_view text) = 0;
  // The day timer: the front end delivers ticks only while it is on with an
  // interval above 0 (Form::ticking()).
  virtual void set_timer(bool on, int interval_ms) = 0;
  virtual bool about_shown() const = 0;
  // Shows the About window: the first time beside the main window, later
  // where it was left.
  virtual void show_about() = 0;
  virtual void hide_about() = 0;

  // What a day shows and sounds.
  virtual void draw_field(const World& w) = 0;       // every field cell
  virtual void new_graph_sheet() = 0;                // clear the graph, draw its grid
  virtual void plot_graph(const GraphPoint& p) = 0;  // the day's two dashes and circles
  virtual void show_day(int day) = 0;
  virtual void show_counts(int herbivores, int carnivores) = 0;
  virtual void beep() = 0;
  // Said once, politely, without moving the focus: the end of a run (the day
  // and the counts), the About window hidden by the About button.
  virtual void announce(std::string_view sentence) = 0;
};

// A key on a step control.
enum class StepKey { left, right, up, down, page_up, page_down, home, end };

class Form {
 public:
  Form(RandomSource& random, FormControls& controls);

  Simulation& sim() { return sim_; }
  const Simulation& sim() const { return sim_; }

  // Start-up: the settings and their texts, the step controls, the start-up
  // field, the timer on, then the About window.
  void load();
  // Change notifications: box i's text, step control i's value.
  void text_changed(int i);
  void step_changed(int i);
  void start_pressed();
  void stop_pressed();
  // The About button: hides the About window when it is shown, and says so,
  // else shows it.
  void about_pressed();
  // One tick of the day timer; nothing while it is not ticking.
  void tick();
  bool ticking() const { return timer_on_ && interval_ > 0; }
  bool timer_on() const { return timer_on_; }
  int interval() const { return interval_; }

  // The value a key gives step control i, or nothing for a key it ignores.
  static std::optional<int> step_for_key(int i, int value, StepKey key);
  // A value put on step control i, kept within its range.
  static int clamp_step(int i, long long value);

 private:
  void box_changed(Box b);
  void speed_changed();
  void set_timer_on(bool on);
  void set_interval(int ms);

  // The day's view as the Form passes it on: everything reaches the
  // controls, and the timer's switching off is the Form's to keep.
  class DayRelay final : public DayView {
   public:
    explicit DayRelay(Form& form) : form_(form) {}
    void field_draw(const World& w) override { form_.controls_.draw_field(w); }
    void gra_new_sheet() override { form_.controls_.new_graph_sheet(); }
    void gra_plot(const GraphPoint& p) override { form_.controls_.plot_graph(p); }
    void show_day(int day) override { form_.controls_.show_day(day); }
    void show_counts(int z_num, int l_num) override { form_.controls_.show_counts(z_num, l_num); }
    void timer_off() override { form_.set_timer_on(false); }
    // The run's last step: the timer is off and the bell has rung.
    void beep() override {
      form_.controls_.beep();
      form_.controls_.announce(run_end_sentence(form_.sim_.w));
    }

   private:
    Form& form_;
  };

  Simulation sim_;
  FormControls& controls_;
  DayRelay relay_{*this};
  bool timer_on_ = false;
  int interval_;
};

}  // namespace noboria
