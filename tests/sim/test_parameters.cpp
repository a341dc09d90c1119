// The parameter boxes and the speed box: which texts each accepts, what a
// change writes into the world (and that a refused text writes nothing), the
// timer interval, and the checked reading of all nine texts at a run start.

#include <gtest/gtest.h>

#include <array>
#include <charconv>
#include <cstdint>
#include <limits>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "sim/parameters.h"
#include "sim/world.h"

namespace noboria {
namespace {

std::string shortest(double v) {
  std::array<char, 64> buf{};
  const auto r = std::to_chars(buf.data(), buf.data() + buf.size(), v);
  return std::string(buf.data(), r.ptr);
}

// A world with every field set to something distinctive, l_hunt deliberately
// out of step with l_life - l_full so that a recomputation would show.
World marked_world() {
  World w;
  for (int x = 0; x < kGridSize; ++x) {
    for (int y = 0; y < kGridSize; ++y) {
      w.p_map[x][y] = static_cast<std::int16_t>((x + y) % 3);
      w.ani_map[x][y] = static_cast<std::int16_t>((x * y) % 3);
      w.life_map[x][y] = static_cast<std::int16_t>(x * 20 + y);
      w.next_map[x][y] = static_cast<std::int16_t>((x + 2 * y) % 3);
    }
  }
  for (int i = 0; i <= kMaxPlaced; ++i) {
    w.z_x[i] = static_cast<float>(i % 16 + 1);
    w.z_y[i] = static_cast<std::int16_t>(i % 7 + 1);
    w.l_x[i] = static_cast<float>(i % 5 + 1);
    w.l_y[i] = static_cast<std::int16_t>(i % 11 + 1);
  }
  w.z_num = 41;
  w.l_num = 17;
  w.z_prev = 40;
  w.l_prev = 16;
  w.day = 123;
  w.gra_x = 77;
  w.p_rate = 0.4;
  w.z_birth = 0.25;
  w.l_birth = 0.05f;
  w.z_life = 5;
  w.l_life = 10;
  w.l_full = 3;
  w.l_hunt = 99;
  w.l_catch = 0.5;
  w.cx = 4;
  w.cy = 9;
  w.tx = -1;
  w.ty = 1;
  return w;
}

void expect_same_world(const World& a, const World& b) {
  EXPECT_EQ(a.p_map, b.p_map);
  EXPECT_EQ(a.ani_map, b.ani_map);
  EXPECT_EQ(a.life_map, b.life_map);
  EXPECT_EQ(a.next_map, b.next_map);
  EXPECT_EQ(a.z_x, b.z_x);
  EXPECT_EQ(a.z_y, b.z_y);
  EXPECT_EQ(a.l_x, b.l_x);
  EXPECT_EQ(a.l_y, b.l_y);
  EXPECT_EQ(a.z_num, b.z_num);
  EXPECT_EQ(a.l_num, b.l_num);
  EXPECT_EQ(a.z_prev, b.z_prev);
  EXPECT_EQ(a.l_prev, b.l_prev);
  EXPECT_EQ(a.day, b.day);
  EXPECT_EQ(a.gra_x, b.gra_x);
  EXPECT_EQ(a.p_rate, b.p_rate);
  EXPECT_EQ(a.z_birth, b.z_birth);
  EXPECT_EQ(a.l_birth, b.l_birth);
  EXPECT_EQ(a.z_life, b.z_life);
  EXPECT_EQ(a.l_life, b.l_life);
  EXPECT_EQ(a.l_full, b.l_full);
  EXPECT_EQ(a.l_hunt, b.l_hunt);
  EXPECT_EQ(a.l_catch, b.l_catch);
  EXPECT_EQ(a.cx, b.cx);
  EXPECT_EQ(a.cy, b.cy);
  EXPECT_EQ(a.tx, b.tx);
  EXPECT_EQ(a.ty, b.ty);
}

// ------------------------------------------------------------ names, hints

TEST(ParamNames, FollowTheControlsInTabOrder) {
  const std::array<std::string_view, kBoxCount> names = {
      "p_text", "Z_text", "Zh_text", "ze_text", "l_text",
      "lh_text", "le_text", "lm_text", "lK_text"};
  for (int i = 0; i < kBoxCount; ++i) {
    EXPECT_EQ(static_cast<int>(kAllBoxes[i]), i);
    EXPECT_EQ(box_name(kAllBoxes[i]), names[i]);
  }
}

TEST(ParamHints, EveryBoxSaysWhatItAcceptsInJapanese) {
  const std::string_view kAsk = "入力してください";
  for (Box b : kAllBoxes) {
    EXPECT_NE(box_hint(b).find(kAsk), std::string_view::npos) << box_name(b);
  }
  EXPECT_NE(speed_hint().find(kAsk), std::string_view::npos);
  // Boxes with different rules do not share one hint.
  std::set<std::string_view> distinct;
  for (Box b : {Box::p_text, Box::Z_text, Box::Zh_text, Box::ze_text, Box::le_text,
                Box::lm_text}) {
    distinct.insert(box_hint(b));
  }
  distinct.insert(speed_hint());
  EXPECT_EQ(distinct.size(), 7u);
}

// ---------------------------------------------------------------- validity

struct Check {
  Box box;
  std::string text;
  bool valid;
  double l_life = 10;  // the stored partners of le_text and lm_text
  double l_full = 3;
};

std::ostream& operator<<(std::ostream& os, const Check& c) {
  return os << box_name(c.box) << " \"" << c.text << "\" (l_life " << c.l_life << ", l_full "
            << c.l_full << ")";
}

class ParamBoxValidity : public ::testing::TestWithParam<Check> {};

TEST_P(ParamBoxValidity, JudgesText) {
  World w = marked_world();
  w.l_life = GetParam().l_life;
  w.l_full = GetParam().l_full;
  EXPECT_EQ(box_text_valid(GetParam().box, GetParam().text, w), GetParam().valid);
}

INSTANTIATE_TEST_SUITE_P(
    AnyNumber, ParamBoxValidity,
    ::testing::Values(Check{Box::p_text, "4", true}, Check{Box::p_text, "-3", true},
                      Check{Box::p_text, "1e300", true}, Check{Box::p_text, "", false},
                      Check{Box::p_text, "abc", false}, Check{Box::p_text, "1e999", false},
                      Check{Box::p_text, "８", true}, Check{Box::lK_text, "0", true},
                      Check{Box::lK_text, " 10 ", true}, Check{Box::lK_text, "-", false},
                      Check{Box::lK_text, "1,0", false}));

INSTANTIATE_TEST_SUITE_P(
    Counts, ParamBoxValidity,
    ::testing::Values(Check{Box::Z_text, "256", true}, Check{Box::Z_text, "256.99", true},
                      Check{Box::Z_text, "257", false}, Check{Box::Z_text, "1e9", false},
                      Check{Box::Z_text, "0", true}, Check{Box::Z_text, "-1e300", true},
                      Check{Box::Z_text, "x", false}, Check{Box::l_text, "150", true},
                      Check{Box::l_text, "256.9999", true}, Check{Box::l_text, "257.0", false},
                      Check{Box::l_text, "", false}));

INSTANTIATE_TEST_SUITE_P(
    Reciprocals, ParamBoxValidity,
    ::testing::Values(Check{Box::Zh_text, "4", true}, Check{Box::Zh_text, "-2", true},
                      Check{Box::Zh_text, "0", false}, Check{Box::Zh_text, "-0", false},
                      Check{Box::Zh_text, "0.0e5", false}, Check{Box::Zh_text, "1e-308", true},
                      Check{Box::Zh_text, "1e-309", false},
                      Check{Box::Zh_text, "4.9e-324", false}, Check{Box::Zh_text, "", false},
                      Check{Box::lh_text, "4", true}, Check{Box::lh_text, "0", false},
                      Check{Box::lh_text, "1e-38", true}, Check{Box::lh_text, "3e-39", true},
                      Check{Box::lh_text, "-3e-39", true}, Check{Box::lh_text, "2.9e-39", false},
                      Check{Box::lh_text, "1e-300", false},
                      // 1/v just under and just over the largest float plus half a step
                      Check{Box::lh_text, shortest(1 / 3.4028235e38), true},
                      Check{Box::lh_text, shortest(1 / 3.4028236e38), false}));

INSTANTIATE_TEST_SUITE_P(
    HerbivoreLife, ParamBoxValidity,
    ::testing::Values(Check{Box::ze_text, "-0.5", false}, Check{Box::ze_text, "-0.4", true},
                      Check{Box::ze_text, "0", true}, Check{Box::ze_text, "2.5", true},
                      Check{Box::ze_text, "-1", false}, Check{Box::ze_text, "32766", true},
                      Check{Box::ze_text, "32766.4", true},
                      Check{Box::ze_text, "32766.5", false},
                      Check{Box::ze_text, "32767", false}, Check{Box::ze_text, "x", false}));

INSTANTIATE_TEST_SUITE_P(
    CarnivoreLife, ParamBoxValidity,
    ::testing::Values(Check{Box::le_text, "0.5", false}, Check{Box::le_text, "0.6", true},
                      Check{Box::le_text, "1", true}, Check{Box::le_text, "0", false},
                      Check{Box::le_text, "-5", false}, Check{Box::le_text, "32767", true},
                      Check{Box::le_text, "32767.1", false},
                      Check{Box::le_text, "32766.6", true}, Check{Box::le_text, "", false},
                      // the stored l_full bounds the difference
                      Check{Box::le_text, "32765", true, 10, -2},
                      Check{Box::le_text, "32766", false, 10, -2},
                      Check{Box::le_text, "5", false, 10, 40000},
                      Check{Box::le_text, "5", true, 10, 32772}));

INSTANTIATE_TEST_SUITE_P(
    FullDays, ParamBoxValidity,
    ::testing::Values(Check{Box::lm_text, "3", true}, Check{Box::lm_text, "-32757", true},
                      Check{Box::lm_text, "-32758", false},
                      Check{Box::lm_text, "-32756.5", true},
                      Check{Box::lm_text, "-32757.5", false},
                      Check{Box::lm_text, "32778", true}, Check{Box::lm_text, "32779", false},
                      Check{Box::lm_text, "x", false}, Check{Box::lm_text, "", false},
                      // the stored l_life bounds the difference
                      Check{Box::lm_text, "0", true, 32767, 0},
                      Check{Box::lm_text, "-1", false, 32767, 0}));

// ---------------------------------------------------------- change handler

struct Change {
  Box box;
  std::string text;
  void (*expect)(World&);  // what the change writes into the marked world
};

std::ostream& operator<<(std::ostream& os, const Change& c) {
  return os << box_name(c.box) << " \"" << c.text << "\"";
}

class ParamChangeWrites : public ::testing::TestWithParam<Change> {};

TEST_P(ParamChangeWrites, WritesOnlyItsSetting) {
  World w = marked_world();
  World expected = marked_world();
  GetParam().expect(expected);
  EXPECT_TRUE(apply_box_text(GetParam().box, GetParam().text, w));
  expect_same_world(w, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, ParamChangeWrites,
    ::testing::Values(
        Change{Box::p_text, "4", [](World& w) { w.p_rate = 0.4; }},
        Change{Box::p_text, "0", [](World& w) { w.p_rate = 0; }},
        Change{Box::p_text, "７", [](World& w) { w.p_rate = 7.0 / 10; }},
        Change{Box::Z_text, "30", [](World&) {}},
        Change{Box::l_text, "-3", [](World&) {}},
        Change{Box::Zh_text, "4", [](World& w) { w.z_birth = 0.25; }},
        Change{Box::Zh_text, "3", [](World& w) { w.z_birth = 1.0 / 3; }},
        Change{Box::lh_text, "3", [](World& w) { w.l_birth = static_cast<float>(1.0 / 3); }},
        Change{Box::lh_text, shortest(1 / 3.4028235e38),
               [](World& w) { w.l_birth = std::numeric_limits<float>::max(); }},
        Change{Box::ze_text, "2.5", [](World& w) { w.z_life = 2.5; }},
        Change{Box::ze_text, "-0.4", [](World& w) { w.z_life = -0.4; }},
        Change{Box::le_text, "20",
               [](World& w) {
                 w.l_life = 20;
                 w.l_hunt = 17;
               }},
        Change{Box::le_text, "4.5",  // 1.5 rounds to the even 2
               [](World& w) {
                 w.l_life = 4.5;
                 w.l_hunt = 2;
               }},
        Change{Box::lm_text, "12",
               [](World& w) {
                 w.l_full = 12;
                 w.l_hunt = -2;
               }},
        Change{Box::lm_text, "5.5",  // 4.5 rounds to the even 4
               [](World& w) {
                 w.l_full = 5.5;
                 w.l_hunt = 4;
               }},
        Change{Box::lK_text, "0", [](World& w) { w.l_catch = 0; }},
        Change{Box::lK_text, "10", [](World& w) { w.l_catch = 1; }}));

TEST(ParamChangeWrites, StepControlTextFourGivesQuarterBirthRate) {
  World w = marked_world();
  ASSERT_TRUE(apply_box_text(Box::Zh_text, "4", w));
  EXPECT_EQ(w.z_birth, 0.25);
}

TEST(ParamChangeWrites, HuntDaysFollowBothCarnivoreBoxes) {
  World w;
  ASSERT_TRUE(apply_box_text(Box::lm_text, "3", w));
  ASSERT_TRUE(apply_box_text(Box::le_text, "10", w));
  EXPECT_EQ(w.l_hunt, 7);
  ASSERT_TRUE(apply_box_text(Box::lm_text, "5", w));
  EXPECT_EQ(w.l_hunt, 5);
  EXPECT_EQ(w.l_life, 10);
  EXPECT_EQ(w.l_full, 5);

  World v;
  ASSERT_TRUE(apply_box_text(Box::lm_text, "1", v));
  ASSERT_TRUE(apply_box_text(Box::le_text, "2.5", v));
  EXPECT_EQ(v.l_hunt, 2);
}

TEST(ParamChangeWrites, ZeroRatesAreAccepted) {
  World w = marked_world();
  ASSERT_TRUE(apply_box_text(Box::lK_text, "0", w));
  ASSERT_TRUE(apply_box_text(Box::p_text, "0", w));
  EXPECT_EQ(w.l_catch, 0);
  EXPECT_EQ(w.p_rate, 0);
}

class ParamChangeRefused : public ::testing::TestWithParam<Check> {};

TEST_P(ParamChangeRefused, LeavesTheWorldUntouched) {
  ASSERT_FALSE(GetParam().valid);
  World w = marked_world();
  w.l_life = GetParam().l_life;
  w.l_full = GetParam().l_full;
  const World before = w;
  EXPECT_FALSE(apply_box_text(GetParam().box, GetParam().text, w));
  expect_same_world(w, before);
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, ParamChangeRefused,
    ::testing::Values(Check{Box::p_text, "", false}, Check{Box::p_text, "-", false},
                      Check{Box::p_text, ".", false}, Check{Box::Z_text, "257", false},
                      Check{Box::l_text, "x", false}, Check{Box::Zh_text, "0", false},
                      Check{Box::Zh_text, "1e-309", false}, Check{Box::lh_text, "0", false},
                      Check{Box::lh_text, "1e-39", false}, Check{Box::ze_text, "-0.5", false},
                      Check{Box::ze_text, "32766.5", false},
                      Check{Box::le_text, "0.5", false}, Check{Box::le_text, "40000", false},
                      Check{Box::le_text, "32766", false, 10, -2},
                      Check{Box::le_text, "", false},
                      Check{Box::lm_text, "-32758", false},
                      Check{Box::lm_text, "abc", false}, Check{Box::lK_text, "1e999", false},
                      Check{Box::lK_text, "\xFF", false}));

// ------------------------------------------------------------------- speed

struct Speed {
  std::string text;
  std::optional<int> interval;
};

std::ostream& operator<<(std::ostream& os, const Speed& s) {
  os << '"' << s.text << "\" -> ";
  if (s.interval) return os << *s.interval;
  return os << "refused";
}

class SpeedInterval : public ::testing::TestWithParam<Speed> {};

TEST_P(SpeedInterval, GivesTimerMilliseconds) {
  EXPECT_EQ(speed_interval(GetParam().text), GetParam().interval);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SpeedInterval,
    ::testing::Values(Speed{"1", 50}, Speed{"4", 200}, Speed{"100", 5000}, Speed{"200", 10000},
                      Speed{"0.25", 12}, Speed{"0.75", 38}, Speed{"2.5", 125},
                      Speed{"", 0}, Speed{"abc", 0}, Speed{"-", 0}, Speed{".", 0},
                      Speed{"0", 0}, Speed{"4x", 200}, Speed{"1e", 50}, Speed{" ４", 200},
                      Speed{"\xE3\x80\x80" "２", 100}, Speed{"1310.7", 65535},
                      Speed{"1310.8", std::nullopt}, Speed{"-1", std::nullopt},
                      Speed{"-0.01", 0}, Speed{"-0.02", std::nullopt},
                      Speed{"1e307", std::nullopt}, Speed{"1e999", std::nullopt},
                      Speed{"1e999abc", std::nullopt}, Speed{"\xFF" "9", 0}));

// ------------------------------------------------------------- run start

using Texts = std::array<std::string, kBoxCount>;

// p, Z, Zh, ze, l, lh, le, lm, lK
Texts good_texts() { return {"4", "50", "4", "5", "50", "20", "15", "3", "5"}; }

Texts with(Texts t, Box b, std::string text) {
  t[static_cast<int>(b)] = std::move(text);
  return t;
}

TEST(ParamRunSettings, FillsEverySettingExactly) {
  std::vector<Box> invalid = {Box::p_text};  // stale contents are cleared
  const Texts t = {"4", "2.5", "4", "2.5", "-3", "3", "2.5", "1", "7"};
  const std::optional<RunSettings> s = read_run_settings(t, &invalid);
  ASSERT_TRUE(s.has_value());
  EXPECT_TRUE(invalid.empty());
  EXPECT_EQ(s->p_rate, 0.4);
  EXPECT_EQ(s->z_num, 2);
  EXPECT_EQ(s->l_num, 0);
  EXPECT_EQ(s->z_birth, 0.25);
  EXPECT_EQ(s->l_birth, static_cast<float>(1.0 / 3));
  EXPECT_EQ(s->z_life, 2.5);
  EXPECT_EQ(s->l_life, 2.5);
  EXPECT_EQ(s->l_full, 1);
  EXPECT_EQ(s->l_hunt, 2);
  EXPECT_EQ(s->l_catch, 0.7);
}

TEST(ParamRunSettings, HuntDaysFromBothTexts) {
  EXPECT_EQ(read_run_settings(with(with(good_texts(), Box::le_text, "5"), Box::lm_text, "2"),
                              nullptr)->l_hunt,
            3);
  EXPECT_EQ(read_run_settings(with(with(good_texts(), Box::le_text, "1"), Box::lm_text, "5"),
                              nullptr)->l_hunt,
            -4);
  EXPECT_EQ(read_run_settings(with(with(good_texts(), Box::le_text, "3.5"), Box::lm_text, "0"),
                              nullptr)->l_hunt,
            4);
}

struct Count {
  std::string text;
  std::optional<std::int32_t> placed;  // nullopt: refused
};

std::ostream& operator<<(std::ostream& os, const Count& c) { return os << '"' << c.text << '"'; }

class ParamRunCounts : public ::testing::TestWithParam<Count> {};

TEST_P(ParamRunCounts, CutsRequestToWholeAnimals) {
  for (Box b : {Box::Z_text, Box::l_text}) {
    std::vector<Box> invalid;
    const std::optional<RunSettings> s =
        read_run_settings(with(good_texts(), b, GetParam().text), &invalid);
    if (!GetParam().placed) {
      EXPECT_FALSE(s.has_value());
      EXPECT_EQ(invalid.size(), 1u);
      EXPECT_TRUE(!invalid.empty() && invalid.front() == b) << box_name(b);
      continue;
    }
    ASSERT_TRUE(s.has_value()) << box_name(b);
    EXPECT_EQ(b == Box::Z_text ? s->z_num : s->l_num, *GetParam().placed) << box_name(b);
    EXPECT_EQ(b == Box::Z_text ? s->l_num : s->z_num, 50) << box_name(b);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParamRunCounts,
    ::testing::Values(Count{"2.5", 2}, Count{"-3", 0}, Count{"0", 0}, Count{"0.5", 0},
                      Count{"-0.5", 0}, Count{"256", 256}, Count{"256.99", 256},
                      Count{"１５０", 150}, Count{"257", std::nullopt},
                      Count{"1e9", std::nullopt}, Count{"", std::nullopt},
                      Count{"30匹", std::nullopt}));

struct Refusal {
  Texts texts;
  std::vector<Box> invalid;
};

std::ostream& operator<<(std::ostream& os, const Refusal& r) {
  for (const std::string& t : r.texts) os << '"' << t << "\" ";
  return os;
}

// Box names, so that a mismatch prints readably.
std::vector<std::string_view> names(const std::vector<Box>& boxes) {
  std::vector<std::string_view> out;
  for (Box b : boxes) out.push_back(box_name(b));
  return out;
}

class ParamRunRefused : public ::testing::TestWithParam<Refusal> {};

TEST_P(ParamRunRefused, ListsExactlyTheInvalidBoxes) {
  std::vector<Box> invalid;
  EXPECT_EQ(read_run_settings(GetParam().texts, &invalid), std::nullopt);
  EXPECT_EQ(names(invalid), names(GetParam().invalid));
  EXPECT_EQ(read_run_settings(GetParam().texts, nullptr), std::nullopt);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParamRunRefused,
    ::testing::Values(
        Refusal{{"", "", "", "", "", "", "", "", ""},
                {Box::p_text, Box::Z_text, Box::Zh_text, Box::ze_text, Box::l_text,
                 Box::lh_text, Box::le_text, Box::lm_text, Box::lK_text}},
        Refusal{{"x", "50", "4", "-0.5", "50", "20", "15", "y", "5"},
                {Box::p_text, Box::ze_text, Box::lm_text}},
        Refusal{with(good_texts(), Box::Zh_text, "0"), {Box::Zh_text}},
        Refusal{with(good_texts(), Box::lh_text, "1e-39"), {Box::lh_text}},
        Refusal{with(good_texts(), Box::ze_text, "32766.5"), {Box::ze_text}},
        Refusal{with(good_texts(), Box::lK_text, "1e999"), {Box::lK_text}},
        Refusal{with(good_texts(), Box::l_text, "257"), {Box::l_text}},
        // le_text and lm_text judged against each other's texts
        Refusal{with(with(good_texts(), Box::le_text, "32767"), Box::lm_text, "-2"),
                {Box::le_text, Box::lm_text}},
        Refusal{with(with(good_texts(), Box::le_text, "0.2"), Box::lm_text, "-40000"),
                {Box::le_text, Box::lm_text}},
        Refusal{with(with(good_texts(), Box::le_text, "x"), Box::lm_text, "-40000"),
                {Box::le_text}},
        Refusal{with(with(good_texts(), Box::le_text, "5"), Box::lm_text, "x"),
                {Box::lm_text}},
        Refusal{with(with(good_texts(), Box::le_text, "40000"), Box::lm_text, "x"),
                {Box::le_text, Box::lm_text}},
        Refusal{with(good_texts(), Box::le_text, "0.5"), {Box::le_text}}));

TEST(ParamRunSettings, PairChecksUseTextsNotStoredValues) {
  // le 32767 with lm 1 is fine by the texts although 32767 - (-2) would not be.
  World w;
  w.l_full = -2;
  EXPECT_FALSE(box_text_valid(Box::le_text, "32767", w));
  const std::optional<RunSettings> s =
      read_run_settings(with(with(good_texts(), Box::le_text, "32767"), Box::lm_text, "1"),
                        nullptr);
  ASSERT_TRUE(s.has_value());
  EXPECT_EQ(s->l_hunt, 32766);
}

}  // namespace
}  // namespace noboria
