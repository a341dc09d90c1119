#pragma once
// What the page's script and its core agree on besides the calls: which bits
// report what changed, and the order of the three shown counts. The fold step
// hands these to the script through the generated constants, so that the two
// sides cannot disagree.

#include <array>
#include <utility>
#include <string_view>

namespace noboria::page {

// What changed since the page last looked, bit by bit, so that it touches only that.
enum Change : unsigned {
  kTexts = 1u << 0,
  kSteps = 1u << 1,
  kCues = 1u << 2,
  kCounts = 1u << 3,      // the day's and the two counts' captions
  kTimer = 1u << 4,
  kField = 1u << 5,
  kGraph = 1u << 6,
  kFocus = 1u << 7,       // a box asks for the keyboard focus
  kBeep = 1u << 8,
  kAbout = 1u << 9,       // the About window shown or hidden
  kAnnounce = 1u << 10,   // a sentence to say once
  kSummaries = 1u << 11,  // the field's and the graph's summaries may read otherwise
};

inline constexpr std::array<std::pair<std::string_view, Change>, 12> kChangeNames = {{
    {"texts", kTexts}, {"steps", kSteps}, {"cues", kCues}, {"counts", kCounts},
    {"timer", kTimer}, {"field", kField}, {"graph", kGraph}, {"focus", kFocus},
    {"beep", kBeep}, {"about", kAbout}, {"announce", kAnnounce}, {"summaries", kSummaries},
}};

// The shown counts, numbered as the page asks for them: the trace's state
// block lists their captions in this order too.
inline constexpr std::array<std::string_view, 3> kCountRoles = {"day", "herbivore_count", "carnivore_count"};
inline constexpr int kDayCount = 0;
inline constexpr int kHerbivoreCount = 1;
inline constexpr int kCarnivoreCount = 2;

}  // namespace noboria::page
