#include "sim/text_number.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <string>
#include <system_error>

namespace noboria {
namespace {

// Stands in for every character the grammar cannot use (other scripts, bytes
// that are not UTF-8); it is no blank, so it ends a number wherever it sits.
constexpr char kOther = '?';

bool is_blank(char c) { return c == ' ' || c == '\t'; }
bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_continuation(unsigned char c) { return (c & 0xC0) == 0x80; }

// Decodes one UTF-8 sequence at text[i], strictly (no overlong forms, no
// surrogates, nothing above U+10FFFF). Returns the code point and advances i;
// a malformed sequence gives -1 and skips one byte.
std::int32_t decode(std::string_view text, std::size_t& i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
  const unsigned char lead = byte(i);
  if (lead < 0x80) {
    ++i;
    return lead;
  }
  int length = 0;
  std::int32_t cp = 0;
  unsigned char low = 0x80;   // bounds of the second byte, which rule out
  unsigned char high = 0xBF;  // overlong forms, surrogates and > U+10FFFF
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    cp = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    cp = lead & 0x0F;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    cp = lead & 0x07;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    ++i;
    return -1;
  }
  if (i + length > text.size() || byte(i + 1) < low || byte(i + 1) > high) {
    ++i;
    return -1;
  }
  for (int k = 1; k < length; ++k) {
    if (!is_continuation(byte(i + k))) {
      ++i;
      return -1;
    }
    cp = (cp << 6) | (byte(i + k) & 0x3F);
  }
  i += length;
  return cp;
}

// The text as the grammar sees it: full-width ASCII forms become ASCII, the
// ideographic space a plain space, anything else outside ASCII kOther.
std::string to_ascii(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    const std::int32_t cp = decode(utf8, i);
    if (cp >= 0 && cp < 0x80) {
      out.push_back(static_cast<char>(cp));
    } else if (cp >= 0xFF01 && cp <= 0xFF5E) {
      out.push_back(static_cast<char>(cp - 0xFEE0));
    } else if (cp == 0x3000) {
      out.push_back(' ');
    } else {
      out.push_back(kOther);
    }
  }
  return out;
}

std::size_t skip_digits(const std::string& s, std::size_t i) {
  while (i < s.size() && is_digit(s[i])) ++i;
  return i;
}

// End of the longest prefix of s[start..] that matches
//   [+-]? ( digits [ "." digits? ] | "." digits ) ( [eE] [+-]? digits )?
// or npos when none does.
std::size_t match_end(const std::string& s, std::size_t start) {
  std::size_t i = start;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  const std::size_t int_end = skip_digits(s, i);
  const bool int_digits = int_end > i;
  i = int_end;
  bool frac_digits = false;
  if (i < s.size() && s[i] == '.') {
    const std::size_t frac_end = skip_digits(s, i + 1);
    frac_digits = frac_end > i + 1;
    if (int_digits || frac_digits) i = frac_end;
  }
  if (!int_digits && !frac_digits) return std::string::npos;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    const std::size_t exp_end = skip_digits(s, j);
    if (exp_end > j) i = exp_end;  // an exponent counts only with its digits
  }
  return i;
}

// For a magnitude the parser could not hold: true when it is too large, false
// when it is too small (it then reads as zero). Only the power of ten matters:
// an overflow lies above 1e308 and an underflow below 1e-323.
bool too_large(std::string_view unsigned_text) {
  std::size_t i = 0;
  std::int64_t int_digits = 0;      // significant digits before the point
  std::int64_t leading_zeros = 0;   // zeros after the point before the first digit
  bool seen_nonzero = false;
  for (; i < unsigned_text.size() && is_digit(unsigned_text[i]); ++i) {
    if (unsigned_text[i] != '0') seen_nonzero = true;
    if (seen_nonzero) ++int_digits;
  }
  if (i < unsigned_text.size() && unsigned_text[i] == '.') {
    for (++i; i < unsigned_text.size() && is_digit(unsigned_text[i]); ++i) {
      if (!seen_nonzero && unsigned_text[i] == '0') ++leading_zeros;
      if (unsigned_text[i] != '0') seen_nonzero = true;
    }
  }
  std::int64_t exponent = 0;
  if (i < unsigned_text.size() && (unsigned_text[i] == 'e' || unsigned_text[i] == 'E')) {
    ++i;
    bool negative = false;
    if (i < unsigned_text.size() && (unsigned_text[i] == '+' || unsigned_text[i] == '-')) {
      negative = unsigned_text[i] == '-';
      ++i;
    }
    constexpr std::int64_t kCap = 1'000'000'000'000;  // far beyond any double
    for (; i < unsigned_text.size() && is_digit(unsigned_text[i]); ++i) {
      if (exponent < kCap) exponent = exponent * 10 + (unsigned_text[i] - '0');
    }
    if (negative) exponent = -exponent;
  }
  // The value lies in [10^(scale-1), 10^scale).
  const std::int64_t scale = (int_digits > 0 ? int_digits : -leading_zeros) + exponent;
  return scale > 0;
}

// The value of a text that matches the grammar exactly; nullopt if not finite.
std::optional<double> value_of(std::string_view matched) {
  bool negative = false;
  if (!matched.empty() && (matched.front() == '+' || matched.front() == '-')) {
    negative = matched.front() == '-';
    matched.remove_prefix(1);
  }
  double v = 0;
  const char* first = matched.data();
  const char* last = first + matched.size();
  const auto [ptr, ec] = std::from_chars(first, last, v, std::chars_format::general);
  if (ec == std::errc::result_out_of_range) {
    if (too_large(matched)) return std::nullopt;
    v = 0;
  } else if (ec != std::errc{} || ptr != last || !std::isfinite(v)) {
    return std::nullopt;
  }
  return negative ? -v : v;
}

}  // namespace

std::optional<double> number(std::string_view utf8) {
  const std::string s = to_ascii(utf8);
  std::size_t begin = 0;
  std::size_t end = s.size();
  while (begin < end && is_blank(s[begin])) ++begin;
  while (end > begin && is_blank(s[end - 1])) --end;
  if (begin == end) return std::nullopt;
  const std::string body = s.substr(begin, end - begin);
  if (match_end(body, 0) != body.size()) return std::nullopt;
  return value_of(body);
}

std::optional<double> leading_number(std::string_view utf8) {
  const std::string s = to_ascii(utf8);
  std::size_t begin = 0;
  while (begin < s.size() && is_blank(s[begin])) ++begin;
  const std::size_t end = match_end(s, begin);
  if (end == std::string::npos) return 0.0;
  return value_of(std::string_view(s).substr(begin, end - begin));
}

}  // namespace noboria
