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
  void show_cue(int i, std::string_view hint) override { cues[i] = std::string(hint); }
  void clear_cue(int i) override { cues[i].clear(); }
  void focus_box(int i) override { focus = i; }
  void show_instruction(std::string_view text) override { day = std::string(text); }
  void set_timer(bool on, int ms) override {
    log += "timer" + std::string(on ? "+" : "-") + std::to_string(ms) + " ";
  }
  bool about_shown() const override { return about; }
  void show_about() override { about = true, log += "about+ "; }
  void hide_about() override { about = false, log += "about- "; }
  void draw_field(const World&) override { ++fields; }
  void new_graph_sheet() override {}
  void plot_graph(const GraphPoint&) override {}
  void show_day(int d) override { day = std::to_string(d); }
  void show_counts(int, int) override {}
  void beep() override { log += "beep "; }
  void announce(std::string_view sentence) override { log += "say:" + std::string(sentence) + " "; }

  std::array<std::string, kTextBoxCount> texts, cues;
  std::array<int, kTextBoxCount> steps{};
  std::string log, day;
  int focus = -1, fields = 0;
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

TEST(Form, RefusedTextShowsTheBoxHintAndChangesNothing) {
  Loaded f;
  const World before = f.form.sim().w;
  f.controls.set_text(2, "0");  // a birth rate's reciprocal
  EXPECT_EQ(f.controls.cues[2], text_box(2).hint);
  EXPECT_EQ(f.form.sim().w.z_birth, before.z_birth);
  f.controls.set_text(2, "4");
  EXPECT_EQ(f.controls.cues[2], "");
  EXPECT_EQ(f.form.sim().w.z_birth, 0.25);
}

TEST(Form, SpeedDecidesWhetherTheTimerTicks) {
  Loaded f;
  f.controls.log.clear();
  f.controls.set_text(kSpeedIndex, "x");  // no leading number: 0 ms, on but silent
  EXPECT_FALSE(f.form.ticking());
  const auto draws = f.form.sim().draws();
  f.form.tick();
  EXPECT_EQ(f.form.sim().draws(), draws);
  f.controls.set_text(kSpeedIndex, "2000");  // out of range: cue, interval kept
  EXPECT_EQ(f.controls.cues[kSpeedIndex], text_box(kSpeedIndex).hint);
  EXPECT_EQ(f.form.interval(), 0);
  f.controls.set_text(kSpeedIndex, "0.02");
  EXPECT_EQ(f.form.interval(), 1);
  EXPECT_EQ(f.controls.log, "text9 timer+0 text9 text9 timer+1 ");
  f.form.stop_pressed();
  EXPECT_FALSE(f.form.ticking());
  f.form.tick();
  EXPECT_EQ(f.form.sim().draws(), draws);
}

TEST(Form, RefusedStartCuesEveryBadBoxFocusesTheFirstAndKeepsTheRun) {
  Loaded f;
  f.form.stop_pressed();
  f.controls.texts[1] = "300";  // straight into the box: Z_text has no rule of its own
  f.controls.set_text(6, "40000");
  const auto draws = f.form.sim().draws();
  f.controls.log.clear();
  f.form.start_pressed();
  EXPECT_EQ(f.controls.focus, 1);
  EXPECT_EQ(f.controls.cues[1], text_box(1).hint);
  EXPECT_EQ(f.controls.cues[6], text_box(6).hint);
  EXPECT_EQ(f.form.sim().draws(), draws);
  EXPECT_EQ(f.controls.log, "");
  EXPECT_FALSE(f.form.timer_on());
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

TEST(Form, AboutButtonTogglesAndSaysWhenItHides) {
  Loaded f;
  f.controls.log.clear();
  f.form.about_pressed();
  EXPECT_FALSE(f.controls.about);
  f.form.about_pressed();
  EXPECT_TRUE(f.controls.about);
  EXPECT_EQ(f.controls.log, "about- say:「ノボリアについて」を閉じました about+ ");
}

TEST(Form, StepKeysStayWithinTheRange) {
  const struct { int step, value; StepKey key; int want; } rows[] = {
      {0, 0, StepKey::left, 0},      {0, 8, StepKey::right, 8},    {0, 3, StepKey::up, 4},
      {0, 3, StepKey::down, 2},      {0, 3, StepKey::page_up, 4},  {0, 3, StepKey::page_down, 2},
      {1, 7, StepKey::home, 1},      {1, 7, StepKey::end, 150},    {kSpeedIndex, 200, StepKey::right, 200},
      {kSpeedIndex, 1, StepKey::left, 1}, {4, 100, StepKey::up, 100}, {8, 0, StepKey::page_down, 0},
  };
  for (const auto& r : rows) {
    EXPECT_EQ(Form::step_for_key(r.step, r.value, r.key), r.want) << r.step << " " << r.value;
  }
  EXPECT_EQ(Form::clamp_step(1, 1LL << 40), 150);
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

TEST(Speech, CountsAndSummariesUseTheShownNumbers) {
  World w;
  w.day = 12, w.z_num = 48, w.l_num = 12;
  w.p_map[1][1] = 2, w.p_map[16][16] = 1, w.p_map[0][0] = 2;  // the rim is no field cell
  EXPECT_EQ(field_summary(w), "日数 12、植物のあるマス 2、草食の数 48、肉食の数 12");
  EXPECT_EQ(count_name(control("herbivore_count"), "48"), "草食の数 48");
  EXPECT_EQ(count_name(control("herbivore_count"), texts::kPlaceholder), "草食の数");
  EXPECT_EQ(count_name(control("day"), texts::kInstruction), texts::kInstruction);

  GraphSummary graph;
  graph.follow(w);
  EXPECT_EQ(graph.text(), "日数 12、草食の数 48、肉食の数 12");
  w.day = 13, w.z_num = 50, w.l_num = 11;
  graph.follow(w);
  EXPECT_EQ(graph.text(), "日数 13、草食の数 50（増加）、肉食の数 11（減少）");
  w.day = 14;
  graph.follow(w);
  EXPECT_EQ(graph.text(), "日数 14、草食の数 50（変化なし）、肉食の数 11（変化なし）");
  w.day = 0;  // a new run
  graph.follow(w);
  EXPECT_EQ(graph.text(), "記録はまだありません");
}

}  // namespace
}  // namespace noboria
