#include "sim/parameters.h"

#include <cmath>
#include <cstdint>
#include <limits>

#include "sim/rounding.h"
#include "sim/text_number.h"

namespace noboria {
namespace {

// Values that round to a finite float lie below FLT_MAX plus half its step.
constexpr double kFloatLimit = 0x1p128 - 0x1p103;

// A whole number from rhe(), checked against a range; NaN and infinities fail.
bool whole_in(double whole, double low, double high) {
  return std::isfinite(whole) && whole >= low && whole <= high;
}

bool fits_hunt(double l_life, double l_full) { return fits_int16(rhe(l_life - l_full)); }

bool count_ok(double v) { return v < kMaxPlaced + 1; }

// The reciprocal of 0 (or of a number so small that 1/v overflows) is no rate.
bool z_birth_ok(double v) { return v != 0 && std::isfinite(1.0 / v); }

bool l_birth_ok(double v) { return v != 0 && std::fabs(1.0 / v) < kFloatLimit; }

// life_map takes rhe(z_life), and eating in place divides by rhe(z_life + 1).
bool z_life_ok(double v) {
  return whole_in(rhe(v), 0, 32766) && whole_in(rhe(v + 1), 1, 32767);
}

// A carnivore is placed with life 1 + r x l_life, which must stay a 16-bit value.
bool l_life_own_ok(double v) { return whole_in(rhe(v), 1, kDayLimit) && v <= kDayLimit; }

std::int32_t requested_count(double v) {
  return v <= 0 ? 0 : static_cast<std::int32_t>(std::floor(v));
}

}  // namespace

std::string_view box_name(Box b) {
  switch (b) {
    case Box::p_text: return "p_text";
    case Box::Z_text: return "Z_text";
    case Box::Zh_text: return "Zh_text";
    case Box::ze_text: return "ze_text";
    case Box::l_text: return "l_text";
    case Box::lh_text: return "lh_text";
    case Box::le_text: return "le_text";
    case Box::lm_text: return "lm_text";
    case Box::lK_text: return "lK_text";
  }
  return {};
}

namespace {

// Whether v suits box b. le_text and lm_text are also judged against the
// other carnivore setting, l_full or l_life; nullopt adds no condition.
bool value_ok(Box b, double v, std::optional<double> l_life, std::optional<double> l_full) {
  switch (b) {
    case Box::p_text:
    case Box::lK_text:
      return true;
    case Box::Z_text:
    case Box::l_text:
      return count_ok(v);
    case Box::Zh_text: return z_birth_ok(v);
    case Box::lh_text: return l_birth_ok(v);
    case Box::ze_text: return z_life_ok(v);
    case Box::le_text: return l_life_own_ok(v) && (!l_full || fits_hunt(v, *l_full));
    case Box::lm_text: return !l_life || fits_hunt(*l_life, v);
  }
  return false;
}

}  // namespace

bool box_text_valid(Box b, std::string_view text, const World& w) {
  const std::optional<double> v = number(text);
  return v && value_ok(b, *v, w.l_life, w.l_full);
}

bool apply_box_text(Box b, std::string_view text, World& w) {
  if (!box_text_valid(b, text, w)) return false;
  const double v = *number(text);
  switch (b) {
    case Box::p_text: w.p_rate = v / 10; break;
    case Box::Z_text:
    case Box::l_text:
      break;  // read only when a run starts
    case Box::Zh_text: w.z_birth = 1 / v; break;
    case Box::lh_text: w.l_birth = static_cast<float>(1 / v); break;
    case Box::ze_text: w.z_life = v; break;
    case Box::le_text:
      w.l_life = v;
      w.l_hunt = to_int16(w.l_life - w.l_full);
      break;
    case Box::lm_text:
      w.l_full = v;
      w.l_hunt = to_int16(w.l_life - w.l_full);
      break;
    case Box::lK_text: w.l_catch = v / 10; break;
  }
  return true;
}

std::optional<int> speed_interval(std::string_view text) {
  const std::optional<double> v = leading_number(text);
  if (!v) return std::nullopt;
  const double ms = rhe(*v * 50);
  if (!whole_in(ms, 0, std::numeric_limits<std::uint16_t>::max())) return std::nullopt;
  return static_cast<int>(ms);
}

std::optional<RunSettings> read_run_settings(const std::array<std::string, kBoxCount>& texts,
                                             std::vector<Box>* invalid) {
  std::array<std::optional<double>, kBoxCount> v;
  for (Box b : kAllBoxes) v[static_cast<int>(b)] = number(texts[static_cast<int>(b)]);
  const auto at = [&](Box b) -> const std::optional<double>& { return v[static_cast<int>(b)]; };
  const std::optional<double>& le = at(Box::le_text);
  const std::optional<double>& lm = at(Box::lm_text);

  // le_text and lm_text are judged against each other's texts; a partner that
  // is no number is refused by itself and adds no condition here.
  const auto valid = [&](Box b) { return at(b) && value_ok(b, *at(b), le, lm); };

  if (invalid) invalid->clear();
  bool all_valid = true;
  for (Box b : kAllBoxes) {
    if (valid(b)) continue;
    all_valid = false;
    if (invalid) invalid->push_back(b);
  }
  if (!all_valid) return std::nullopt;

  RunSettings s;
  s.p_rate = *at(Box::p_text) / 10;
  s.z_num = requested_count(*at(Box::Z_text));
  s.l_num = requested_count(*at(Box::l_text));
  s.z_birth = 1 / *at(Box::Zh_text);
  s.l_birth = static_cast<float>(1 / *at(Box::lh_text));
  s.z_life = *at(Box::ze_text);
  s.l_life = *le;
  s.l_full = *lm;
  s.l_hunt = to_int16(s.l_life - s.l_full);
  s.l_catch = *at(Box::lK_text) / 10;
  return s;
}

}  // namespace noboria
