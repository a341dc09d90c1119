#pragma once
// The nine parameter boxes and the speed box: which texts each accepts, what a
// change writes into the world, and the checked reading of a run start. A text
// that is refused changes nothing.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/simulation.h"
#include "sim/world.h"

namespace noboria {

// In the order of the step controls HS(0)..HS(8), which is also tab order.
enum class Box { p_text, Z_text, Zh_text, ze_text, l_text, lh_text, le_text, lm_text, lK_text };
inline constexpr int kBoxCount = 9;

inline constexpr std::array<Box, kBoxCount> kAllBoxes = {
    Box::p_text, Box::Z_text, Box::Zh_text, Box::ze_text, Box::l_text,
    Box::lh_text, Box::le_text, Box::lm_text, Box::lK_text};

// Object name of the box ("p_text", "Z_text", ...).
std::string_view box_name(Box b);

// Whether the box's change handler (or, for Z_text and l_text, the run start)
// accepts the text, judged against the world's current settings (le_text and
// lm_text are checked against the other one's stored value).
bool box_text_valid(Box b, std::string_view text, const World& w);

// The change handler of a box: writes the setting (and l_hunt for le_text and
// lm_text) when the text is valid and returns true; otherwise changes nothing
// and returns false. Z_text and l_text have no handler: they return validity
// and change nothing.
bool apply_box_text(Box b, std::string_view text, World& w);

// Timer interval in ms for a speed text: rhe(leading-number x 50) in 0..65535,
// nullopt when out of range.
std::optional<int> speed_interval(std::string_view text);

// Reads all nine texts (indexed by Box) for a run start, le_text and lm_text
// checked against each other's texts. Fills invalid (in Box order) and returns
// nullopt if any box is refused.
std::optional<RunSettings> read_run_settings(const std::array<std::string, kBoxCount>& texts,
                                             std::vector<Box>* invalid);

}  // namespace noboria
