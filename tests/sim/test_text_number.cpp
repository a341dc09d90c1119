// Reading numbers from typed text: the whole-text grammar, the leading-number
// prefix, full-width and ideographic input, range limits and broken UTF-8.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

#include "sim/rounding.h"
#include "sim/text_number.h"

namespace noboria {
namespace {

struct Read {
  std::string text;
  std::optional<double> value;  // nullopt: not a number / out of range
};

std::ostream& operator<<(std::ostream& os, const Read& r) {
  os << '"' << r.text << "\" -> ";
  if (r.value) return os << *r.value;
  return os << "nullopt";
}

constexpr double kDenormMin = std::numeric_limits<double>::denorm_min();
constexpr double kMax = std::numeric_limits<double>::max();

// ---------------------------------------------------------------- number()

class TextNumberAccepts : public ::testing::TestWithParam<Read> {};

TEST_P(TextNumberAccepts, ReadsExactValue) {
  const std::optional<double> v = number(GetParam().text);
  ASSERT_TRUE(v.has_value());
  EXPECT_EQ(*v, *GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Grammar, TextNumberAccepts,
    ::testing::Values(Read{"0", 0.0}, Read{"5", 5.0}, Read{"+5", 5.0}, Read{"-5", -5.0},
                      Read{"007", 7.0}, Read{"5.", 5.0}, Read{".5", 0.5}, Read{"-.5", -0.5},
                      Read{"+.5", 0.5}, Read{"5.25", 5.25}, Read{"1e3", 1000.0},
                      Read{"1E3", 1000.0}, Read{"1e+3", 1000.0}, Read{"1e-3", 0.001},
                      Read{"2.5e1", 25.0}, Read{".5e1", 5.0}, Read{"5.e1", 50.0},
                      Read{"-2.5E-1", -0.25}, Read{"1e0003", 1000.0},
                      Read{"0e999999999999999999999", 0.0}));

INSTANTIATE_TEST_SUITE_P(
    Blanks, TextNumberAccepts,
    ::testing::Values(Read{" 7", 7.0}, Read{"7 ", 7.0}, Read{"\t7\t", 7.0},
                      Read{"  \t -3.5 \t ", -3.5},
                      Read{"\xE3\x80\x80" "7" "\xE3\x80\x80", 7.0},  // U+3000 on both sides
                      Read{" \xE3\x80\x80\t12", 12.0}));

INSTANTIATE_TEST_SUITE_P(
    FullWidth, TextNumberAccepts,
    ::testing::Values(Read{"５０", 50.0}, Read{"－３", -3.0}, Read{"０．５", 0.5},
                      Read{"＋１ｅ２", 100.0}, Read{"１Ｅ－２", 0.01},
                      Read{"5０", 50.0},                   // mixed widths
                      Read{"\xE3\x80\x80" "４" "\xE3\x80\x80", 4.0}));

INSTANTIATE_TEST_SUITE_P(
    Range, TextNumberAccepts,
    ::testing::Values(Read{"1e308", 1e308}, Read{"-1e308", -1e308},
                      Read{"1.7976931348623157e308", kMax},
                      Read{"0.1", 0.1}, Read{"0.30000000000000004", 0.30000000000000004},
                      Read{"9007199254740993", 9007199254740992.0},  // tie to even
                      Read{"4.9e-324", kDenormMin},
                      Read{"2.4703282292062328e-324", kDenormMin},
                      Read{"2.4703282292062327e-324", 0.0},  // underflows to zero
                      Read{"1e-400", 0.0}, Read{"-1e-400", -0.0},
                      Read{"0.0000000001e-400", 0.0},
                      Read{"1e-99999999999999999999999", 0.0}));

class TextNumberRefuses : public ::testing::TestWithParam<std::string> {};

TEST_P(TextNumberRefuses, IsNotANumber) { EXPECT_EQ(number(GetParam()), std::nullopt); }

INSTANTIATE_TEST_SUITE_P(
    Grammar, TextNumberRefuses,
    ::testing::Values("", " ", "\t", "-", "+", ".", "-.", "+.", "+-1", "--1", "1..2",
                      "1.2.3", "e5", ".e5", "1e", "1e+", "1e-", "1e5.5", "1 2", "1,000",
                      "1_000", "0x10", "0X10", "NaN", "nan", "inf", "-inf", "Infinity",
                      "5x", "x5", "5e2x", "\n5", "5\n", "5\r", "1e2e3"));

INSTANTIATE_TEST_SUITE_P(
    OutOfRange, TextNumberRefuses,
    ::testing::Values("1e999", "1e309", "-1e309", "1.7976931348623159e308",
                      "1e99999999999999999999999", "1000000000000000000000e300"));

INSTANTIATE_TEST_SUITE_P(
    OtherScripts, TextNumberRefuses,
    ::testing::Values("\xE3\x80\x80", "\xE2\x88\x92" "3",  // U+2212 minus sign
                      "\xD9\xA3",                           // Arabic-Indic three
                      "１２３ａｂｃ", "５　０",              // U+3000 inside the number
                      "\xC2\xA0" "5"));                      // no-break space is no blank

INSTANTIATE_TEST_SUITE_P(
    BrokenUtf8, TextNumberRefuses,
    ::testing::Values("\xFF", "5\xFF", "\xFF" "5", "\xC0\xB5",  // overlong '5'
                      "\xE0\x80\xB5",                           // overlong '5', 3 bytes
                      "\xF0\x8F\xBC\x95",                       // overlong U+FF15
                      "\xE3\x80" "5",                           // cut U+3000
                      "5\xEF\xBC",                              // cut full-width form
                      "\xED\xA0\x80" "5",                       // surrogate
                      "\xF4\x90\x80\x80", "5\x80", "\xBC\x95",
                      std::string("5\0", 2), std::string("\0" "5", 2)));

TEST(TextNumberSign, MinusZeroKeepsItsSign) {
  const std::optional<double> v = number("-0");
  ASSERT_TRUE(v.has_value());
  EXPECT_EQ(*v, 0.0);
  EXPECT_TRUE(std::signbit(*v));
}

TEST(TextNumberLength, LongTextsReadCorrectly) {
  // 400 digits read as one correctly rounded value, not cut short.
  std::string digits = "1" + std::string(399, '0');
  EXPECT_EQ(number(digits), std::nullopt);  // 1e399 overflows
  std::string small = "0." + std::string(399, '0') + "1e400";
  EXPECT_EQ(number(small), 1.0);
  std::string long_fraction = "0.5" + std::string(1000, '0');
  EXPECT_EQ(number(long_fraction), 0.5);
}

// -------------------------------------------------------- leading_number()

class TextLeadingNumber : public ::testing::TestWithParam<Read> {};

TEST_P(TextLeadingNumber, ReadsLongestPrefix) {
  const std::optional<double> v = leading_number(GetParam().text);
  ASSERT_EQ(v.has_value(), GetParam().value.has_value());
  if (v) {
    EXPECT_EQ(*v, *GetParam().value);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Prefixes, TextLeadingNumber,
    ::testing::Values(Read{"", 0.0}, Read{"   ", 0.0}, Read{"abc", 0.0}, Read{"-", 0.0},
                      Read{"+", 0.0}, Read{".", 0.0}, Read{"-.x", 0.0}, Read{"x1", 0.0},
                      Read{"0x10", 0.0}, Read{"inf", 0.0}, Read{"NaN", 0.0},
                      Read{"1e", 1.0}, Read{"1e+", 1.0}, Read{"1e-x", 1.0},
                      Read{"1e5x", 100000.0}, Read{"-.5abc", -0.5}, Read{"  12ab", 12.0},
                      Read{"5.", 5.0}, Read{"5.x", 5.0}, Read{"1.5.5", 1.5},
                      Read{"12 34", 12.0}, Read{"4x", 4.0}, Read{"1,000", 1.0},
                      Read{"2.5e1e1", 25.0}, Read{"7 ", 7.0}, Read{"\t-3", -3.0},
                      Read{"\xE3\x80\x80" "４x", 4.0}, Read{"－．５", -0.5},
                      Read{"1e308", 1e308}, Read{"1e-999x", 0.0}));

INSTANTIATE_TEST_SUITE_P(
    OutOfRange, TextLeadingNumber,
    ::testing::Values(Read{"1e999", std::nullopt}, Read{"-1e999", std::nullopt},
                      Read{"1e309x", std::nullopt}, Read{"  1e400 ms", std::nullopt}));

INSTANTIATE_TEST_SUITE_P(
    BrokenUtf8, TextLeadingNumber,
    ::testing::Values(Read{"5\xFF" "9", 5.0}, Read{"\xFF" "5", 0.0},
                      Read{"\xC0\xB5", 0.0}, Read{"12\xE3\x80", 12.0},
                      Read{"\xE3\x80" "5", 0.0}, Read{std::string("3\0" "9", 3), 3.0}));

// ---------------------------------------------------------------- rounding

struct Rounded {
  double in;
  double out;
};

class TextRoundHalfEven : public ::testing::TestWithParam<Rounded> {};

TEST_P(TextRoundHalfEven, RoundsToNearestEven) {
  EXPECT_EQ(rhe(GetParam().in), GetParam().out) << GetParam().in;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextRoundHalfEven,
    ::testing::Values(Rounded{2.5, 2}, Rounded{3.5, 4}, Rounded{-2.5, -2}, Rounded{-1.5, -2},
                      Rounded{0.5, 0}, Rounded{1.5, 2}, Rounded{-0.4, 0}, Rounded{0.6, 1},
                      Rounded{12.5, 12}, Rounded{37.5, 38}, Rounded{2.4999999, 2},
                      Rounded{32767.5, 32768}, Rounded{-32768.5, -32768}, Rounded{7, 7}));

TEST(TextRoundHalfEven, Fits16BitsAtTheLimits) {
  EXPECT_TRUE(fits_int16(32767));
  EXPECT_TRUE(fits_int16(-32768));
  EXPECT_FALSE(fits_int16(32768));
  EXPECT_FALSE(fits_int16(-32769));
  EXPECT_FALSE(fits_int16(rhe(std::numeric_limits<double>::infinity())));
}

}  // namespace
}  // namespace noboria
