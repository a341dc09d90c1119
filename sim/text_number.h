#pragma once
// Reading numbers from what the user typed. Full-width ASCII forms (U+FF01..
// U+FF5E) read as their ASCII characters; blanks are space, tab and U+3000.

#include <optional>
#include <string_view>

namespace noboria {

// The whole text, blanks trimmed, must be
//   [+-]? ( digits [ "." digits? ] | "." digits ) ( [eE] [+-]? digits )?
// with a finite value (correctly rounded 64-bit float); otherwise nullopt.
std::optional<double> number(std::string_view utf8);

// Leading blanks skipped, the longest prefix of the same grammar (an exponent
// only with digits) is read; no prefix gives 0. nullopt when that prefix's
// value is not finite (out of range).
std::optional<double> leading_number(std::string_view utf8);

}  // namespace noboria
