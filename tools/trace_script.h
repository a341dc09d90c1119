#pragma once
// The trace drivers' input, read in one place: the script's commands and the
// random file's numbers, with the messages a driver prints for bad input.
// noboria-trace links it; noboria-trace-web runs the same code compiled to
// WebAssembly (trace_script_wasm.cpp), so both drivers read and refuse alike.

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "sim/world.h"

namespace noboria::trace {

// The boxes `text` names, by number; the nine parameter boxes come in the
// order of their step controls HS(0)..HS(8).
inline constexpr std::array<std::string_view, 10> kBoxNames = {
    "p_text", "Z_text", "Zh_text", "ze_text", "l_text", "lh_text", "le_text", "lm_text", "lK_text", "speed"};
// The step controls `scroll` names: HS(0)..HS(8), then HSsp.
inline constexpr int kBarCount = 10;
inline constexpr int kSpeedBar = 9;

// The most random numbers one command can take, so that a driver that hands
// the numbers over in pieces never leaves a command short mid-way. Start-up
// draws the plants with the index-0 rim, then two numbers per herbivore and
// three per carnivore placed, at most kMaxPlaced of each; a run start the
// same without the rim; a day one per cell for the plants, then two per
// herbivore and three per carnivore alive, one animal to a cell at most.
inline constexpr std::size_t kMostDrawsPerCommand = std::max({
    std::size_t{(kFieldSize + 1) * (kFieldSize + 1) + 5 * kMaxPlaced},
    std::size_t{kFieldSize * kFieldSize + 5 * kMaxPlaced},
    std::size_t{kFieldSize * kFieldSize * (1 + 3)}});

// One script line's command.
struct Command {
  enum Kind { kNone, kText, kScroll, kClick, kTick, kDump };
  Kind kind = kNone;     // kNone: a blank line or a comment
  int target = 0;        // the box (kBoxNames), the bar (0..8, kSpeedBar) or the button (0 sim_com, 1 Command2)
  std::string text;      // kText: the new text, bytes as the script has them
  std::uint64_t number = 0;  // kScroll: the value; kTick: how many ticks
};

struct BarLimits {
  int minimum;
  int maximum;
};

// Reads a script line by line, counting the lines for its messages. The
// bars' limits are the window's, so that a value outside them is refused.
class ScriptReader {
 public:
  explicit ScriptReader(const std::array<BarLimits, kBarCount>& bars) : bars_(bars) {}

  // The next line, without its line feed. False for a bad line, with
  // error() the whole message: "error: line N: ...\n".
  bool read(std::string_view line, Command& command);
  const std::string& error() const { return error_; }

 private:
  std::string parse(std::string_view line, Command& command) const;

  std::array<BarLimits, kBarCount> bars_;
  long long number_ = 0;
  std::string error_;
};

// The nearest 32-bit float to the decimal text, if it is one with 0 <= r < 1.
std::optional<float> random_value(std::string_view text);

// Reads a random file piece by piece, as its bytes come: one number a line,
// blank lines ignored. PATH is only for the messages.
class RandomReader {
 public:
  explicit RandomReader(std::string path) : path_(std::move(path)) {}

  // Appends the values of the piece's whole lines to out; a line cut at the
  // piece's end waits for the next piece. False at the first bad line, with
  // error() the whole message.
  bool read(std::string_view piece, std::vector<float>& out);
  // The file's end: reads its last line if no line feed ended it.
  bool finish(std::vector<float>& out);
  const std::string& error() const { return error_; }

 private:
  bool line(std::string_view text, std::vector<float>& out);

  std::string path_;
  std::string pending_;
  long long number_ = 0;
  std::string error_;
};

// The message for a random file that cannot be opened.
std::string cannot_read(std::string_view path);

}  // namespace noboria::trace
