// Reading what the user typed: the number grammar, each box's bounds, the
// speed interval, rounding, and the run start's texts.
#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "sim/parameters.h"
#include "sim/text_number.h"

namespace noboria {
namespace {

using namespace std::string_literals;
using enum Box;
constexpr auto kNone = std::nullopt;

TEST(Input, NumberGrammar) {
  const struct { std::string text; std::optional<double> value; } rows[] = {
      {"5", 5}, {"+5", 5}, {"-5", -5}, {"007", 7}, {"5.", 5}, {".5", 0.5}, {"-.5", -0.5},
      {"1e3", 1e3}, {"1E+3", 1e3}, {"1e-3", 1e-3}, {".5e1", 5}, {"5.e1", 50},
      {" \t-3.5\t ", -3.5}, {"\u3000" "7" "\u3000", 7}, {" \u3000\t12", 12},
      {"５０", 50}, {"－３", -3}, {"０．５", 0.5}, {"＋１ｅ２", 100}, {"１Ｅ－２", 0.01}, {"5０", 50},
      {"1.7976931348623157e308", std::numeric_limits<double>::max()}, {"4.9e-324", 4.9e-324},
      {"1e-400", 0}, {"0e99999999999999999999", 0}, {"0." + std::string(399, '0') + "1e400", 1},
      {"", kNone}, {" ", kNone}, {"\u3000", kNone}, {"-", kNone}, {".", kNone}, {"+-1", kNone},
      {"1..2", kNone}, {"e5", kNone}, {"1e", kNone}, {"1e+", kNone}, {"1 2", kNone}, {"1,000", kNone},
      {"0x10", kNone}, {"nan", kNone}, {"inf", kNone}, {"5x", kNone}, {"\n5", kNone}, {"1e309", kNone},
      {"-1e999", kNone}, {"1.7976931348623159e308", kNone}, {"５\u3000０", kNone}, {"\u00a0" "5", kNone},
      {"\xFF", kNone}, {"\xE3\x80" "5", kNone}, {"5\xEF\xBC", kNone}, {"5\0"s, kNone},
      {"\xC0\xB5", kNone}, {"\xE0\x80\xB5", kNone}, {"\xF0\x8F\xBC\x95", kNone}};  // overlong 5 and ５
  for (const auto& r : rows) EXPECT_EQ(number(r.text), r.value) << '"' << r.text << '"';
}

TEST(Input, SpeedIsTheLeadingNumberTimes50RoundedHalfToEven) {
  const struct { std::string text; std::optional<int> ms; } rows[] = {
      {"4", 200}, {"0.25", 12}, {"0.75", 38}, {"2.5", 125}, {"", 0}, {"abc", 0}, {"-", 0},
      {".", 0}, {"4x", 200}, {"1e", 50}, {"1e-x", 50}, {"2e1e1", 1000}, {"5.x", 250},
      {"-.5abc", kNone}, {" ４", 200}, {"\u3000" "２", 100}, {"\t1.5.5", 75}, {"\xFF" "9", 0},
      {"1310.7", 65535}, {"1310.8", kNone}, {"-0.01", 0}, {"-0.02", kNone}, {"1e999x", kNone}};
  for (const auto& r : rows) EXPECT_EQ(speed_interval(r.text), r.ms) << '"' << r.text << '"';
}

TEST(Input, EachBoxAcceptsOnlyItsRange) {
  const struct {
    Box box;
    std::vector<std::string> accepted, refused;
    double l_life = 10, l_full = 3;  // stored, the partners of le_text and lm_text
  } rows[] = {
      {p_text, {"-3", "1e300", "８"}, {"", "abc", "1e999"}},
      {lK_text, {"0", " 10 "}, {"-", "1,0"}},
      {Z_text, {"256.99", "0", "-1e300"}, {"257", "x"}},
      {l_text, {"256.9999"}, {"257.0"}},
      {Zh_text, {"-2", "1e-308"}, {"0", "-0", "1e-309"}},
      {lh_text, {"3e-39", "-3e-39", "2.938736e-39"}, {"0", "2.93873595e-39", "-2.93873595e-39"}},
      {ze_text, {"-0.4", "32766.4"}, {"-0.5", "32766.5", "-1"}},
      {le_text, {"0.6", "32766.6", "32767"}, {"0.5", "32767.1", "-5"}},
      {le_text, {"32765"}, {"32766"}, 10, -2},
      {lm_text, {"-32757", "-32756.5", "32778"}, {"-32758", "-32757.5", "32779"}},
      {lm_text, {"0"}, {"-1"}, 32767, 0},
  };
  for (const auto& r : rows) {
    World w;
    w.l_life = r.l_life, w.l_full = r.l_full;
    for (const auto& t : r.accepted) EXPECT_TRUE(box_text_valid(r.box, t, w)) << box_name(r.box) << " " << t;
    for (const auto& t : r.refused) EXPECT_FALSE(box_text_valid(r.box, t, w)) << box_name(r.box) << " " << t;
  }
}

TEST(Input, RunStartReadsAllNineTexts) {
  // In box order: p Z Zh ze l lh le lm lK.
  std::vector<Box> invalid = {p_text};
  const auto s = read_run_settings({"4", "256.99", "4", "2", "-3", "3", "3.5", "5", "7"}, &invalid);
  ASSERT_TRUE(s && invalid.empty());
  EXPECT_EQ(std::tuple(s->z_num, s->l_num, int{s->l_hunt}), std::tuple(256, 0, -2));  // rhe(-1.5)
  // le and lm are judged against each other's texts.
  const std::array<std::string, kBoxCount> bad = {"x", "257", "4", "-0.5", "50", "0", "32767", "-2", "5"};
  EXPECT_FALSE(read_run_settings(bad, &invalid));
  EXPECT_EQ(invalid, (std::vector{p_text, Z_text, ze_text, lh_text, le_text, lm_text}));
}

}  // namespace
}  // namespace noboria
