// The window's rules without a window: a recording FormControls plays the
// controls, and the random source is scripted, so every case checks exact
// calls, texts, timer states and draw counts.
#include <gtest/gtest.h>

#include <array>
#include <set>
#include <string>

#include "form/form.h"
#include "form/layout.h"
#include "form/speech.h"

namespace noboria {
namespace {

class RecordingControls final : public FormControls {
 public:
  explicit RecordingControls(Form*& form) : form_(form) {
    for (int i = 0; i < kTextBoxCount; ++i) {
      texts[i] = std::string(text_box(i).text);
      steps[i] = step_control(i).start_value;
    }
  }

  std::string text(int i) const override { return texts[i]; }
  void set_text(int i, const std::string& text) override {
    if (texts[i] == text) return;
    texts[i] = text;
    log += "text" + std::to_string(i) + " ";
    form_->text_changed(i);
  }
  int step_value(int i) const override { return steps[i]; }
  void set_step_value(int i, int value) override {
    if (steps[i] == value) return;
    steps[i] = value;
    form_->step_changed(i);
  }
  void show_cue(int, std::string_view) override {}
  void clear_cue(int) override {}
  void focus_box(int) override {}
  void show_instruction(std::string_view text) override { day = std::string(text); }
  void set_timer(bool on, int ms) override {
    log += "timer" + std::string(on ? "+" : "-") + std::to_string(ms) + " ";
  }
  bool about_shown() const override { return about; }
  void show_about() override { about = true, log += "about+ "; }
  void hide_about() override { about = false, log += "about- "; }
  void draw_field(const World&) override {}
  void new_graph_sheet() override {}
  void plot_graph(const GraphPoint&) override {}
  void show_day(int d) override { day = std::to_string(d); }
  void show_counts(int, int) override {}
  void beep() override { log += "beep "; }
  void announce(std::string_view sentence) override { log += "say:" + std::string(sentence) + " "; }

  std::array<std::string, kTextBoxCount> texts;
  std::array<int, kTextBoxCount> steps{};
  std::string log, day;
  bool about = false;

 private:
  Form*& form_;
};

// A form loaded with a scripted sequence of zeros (every animal in cell 1, 1).
struct Loaded {
  ScriptedRandom random;
  Form* self = nullptr;
  RecordingControls controls{self};
  Form form{random, controls};
  Loaded() {
    self = &form;
    random.append(100000, 0.0f);
    form.load();
  }
};

TEST(Form, LoadWritesTheStartUpTextsStepsAndTimerThenShowsAbout) {
  Loaded f;
  const std::array<std::string, kTextBoxCount> texts = {"0", "50", "10", "1", "50", "10", "1", "1", "5", "4"};
  const std::array<int, kTextBoxCount> steps = {0, 50, 10, 1, 50, 10, 1, 1, 5, 4};
  EXPECT_EQ(f.controls.texts, texts);
  EXPECT_EQ(f.controls.steps, steps);
  // Only the texts that differ from the boxes' first texts are written, the
  // counts first; the timer comes on at speed 4 before the About window.
  EXPECT_EQ(f.controls.log, "text0 text1 text4 text2 text5 text8 timer+200 about+ ");
  EXPECT_EQ(f.controls.day, texts::kInstruction);
  EXPECT_EQ(f.form.sim().draws(), 539u);
  EXPECT_EQ(f.form.sim().w.l_hunt, 3);
  EXPECT_TRUE(f.form.ticking());
}

TEST(Form, ARunThatEndsTurnsTheTimerOffRingsAndSaysSoOnce) {
  Loaded f;
  f.controls.set_text(4, "0");  // no carnivores: the first day ends the run
  f.form.start_pressed();
  f.controls.log.clear();
  f.form.tick();
  EXPECT_EQ(f.controls.log, "timer-200 beep say:" + run_end_sentence(f.form.sim().w) + " ");
  EXPECT_FALSE(f.form.ticking());
  f.form.tick();  // the timer is off: nothing more
  EXPECT_EQ(f.controls.log, "timer-200 beep say:" + run_end_sentence(f.form.sim().w) + " ");
}

TEST(Layout, EveryWindowHasOneTabOrderAndEveryBoxItsStep) {
  for (WindowId w : {WindowId::main, WindowId::about}) {
    std::set<int> tabs;
    int stops = 0;
    for (const Control& c : controls()) {
      if (c.window != w || c.tab < 0) continue;
      ++stops;
      EXPECT_TRUE(tabs.insert(c.tab).second) << c.role;
    }
    EXPECT_EQ(tabs.size(), static_cast<std::size_t>(stops));
    EXPECT_EQ(*tabs.rbegin(), stops - 1);  // 0, 1, 2, … without a gap
  }
  for (int i = 0; i < kTextBoxCount; ++i) {
    const Control& step = step_control(i);
    EXPECT_LE(step.minimum, step.start_value);
    EXPECT_LE(step.start_value, step.maximum);
    EXPECT_EQ(spoken_name(step), spoken_name(text_box(i)));
  }
  // The two animals' rows are told apart by name, though their captions match.
  std::set<std::string_view> names;
  for (int i = 0; i < kTextBoxCount; ++i) EXPECT_TRUE(names.insert(spoken_name(text_box(i))).second);
}

// A new run starts the graph's words afresh, whatever the last run's day.
TEST(Speech, ANewRunStartsTheGraphSummaryAfresh) {
  World w;
  w.day = 14, w.z_num = 50, w.l_num = 11;
  GraphSummary graph;
  graph.follow(w);
  w.day = 0;
  graph.follow(w);
  EXPECT_EQ(graph.text(), "記録はまだありません");
}

}  // namespace
}  // namespace noboria
