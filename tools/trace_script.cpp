#include "tools/trace_script.h"

#include <charconv>
#include <cstdint>
#include <system_error>

namespace noboria::trace {
namespace {

std::string_view trim_blanks(std::string_view s) {
  const auto first = s.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = s.find_last_not_of(" \t");
  return s.substr(first, last - first + 1);
}

std::string_view drop_cr(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  return line;
}

// Plain ASCII digits only, no sign, within limit.
std::optional<std::uint64_t> whole_number(std::string_view text, std::uint64_t limit) {
  if (text.empty()) return std::nullopt;
  std::uint64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    const auto digit = static_cast<std::uint64_t>(c - '0');
    if (digit > limit || value > (limit - digit) / 10) return std::nullopt;
    value = value * 10 + digit;
  }
  return value;
}

std::vector<std::string_view> split_words(std::string_view s) {
  std::vector<std::string_view> words;
  std::size_t pos = 0;
  while (pos < s.size()) {
    const auto start = s.find_first_not_of(" \t", pos);
    if (start == std::string_view::npos) break;
    auto stop = s.find_first_of(" \t", start);
    if (stop == std::string_view::npos) stop = s.size();
    words.push_back(s.substr(start, stop - start));
    pos = stop;
  }
  return words;
}

std::string quoted(std::string_view word) { return "'" + std::string(word) + "'"; }

// A message is text: what it quotes of a line ends at a NUL byte the line may hold.
std::string_view up_to_nul(std::string_view s) { return s.substr(0, s.find('\0')); }

// NAME, then everything after the single space that follows it.
std::string parse_text(std::string_view rest, Command& command) {
  const auto space = rest.find(' ');
  const std::string_view name = rest.substr(0, space);
  for (std::size_t i = 0; i < kBoxNames.size(); ++i) {
    if (name != kBoxNames[i]) continue;
    command.kind = Command::kText;
    command.target = static_cast<int>(i);
    command.text = space == std::string_view::npos ? std::string_view() : rest.substr(space + 1);
    return {};
  }
  return "text needs a box name, not " + quoted(name);
}

std::string parse_scroll(const std::vector<std::string_view>& args, const std::array<BarLimits, kBarCount>& bars,
                         Command& command) {
  if (args.size() != 2) return "scroll takes a bar (0..8 or sp) and a value";
  int bar = kSpeedBar;
  std::string bar_name = "HSsp";
  if (args[0] != "sp") {
    const auto index = whole_number(args[0], kBarCount - 2);
    if (!index) return "scroll needs a bar 0..8 or sp, not " + quoted(args[0]);
    bar = static_cast<int>(*index);
    bar_name = "HS(" + std::to_string(bar) + ")";
  }
  const BarLimits& limits = bars[bar];
  const auto value = whole_number(args[1], static_cast<std::uint64_t>(limits.maximum));
  if (!value || static_cast<int>(*value) < limits.minimum) {
    return bar_name + " takes a whole number " + std::to_string(limits.minimum) + ".." +
           std::to_string(limits.maximum) + ", not " + quoted(args[1]);
  }
  command.kind = Command::kScroll;
  command.target = bar;
  command.number = *value;
  return {};
}

std::string parse_click(const std::vector<std::string_view>& args, Command& command) {
  if (args.size() != 1) return "click takes one button name";
  if (args[0] != "sim_com" && args[0] != "Command2") return "click needs sim_com or Command2, not " + quoted(args[0]);
  command.kind = Command::kClick;
  command.target = args[0] == "sim_com" ? 0 : 1;
  return {};
}

std::string parse_tick(const std::vector<std::string_view>& args, Command& command) {
  if (args.size() > 1) return "tick takes at most one count";
  command.number = 1;
  if (args.size() == 1) {
    const auto count = whole_number(args[0], UINT64_MAX);
    if (!count) return "tick needs a whole number of ticks, not " + quoted(args[0]);
    command.number = *count;
  }
  command.kind = Command::kTick;
  return {};
}

}  // namespace

bool ScriptReader::read(std::string_view line, Command& command) {
  ++number_;
  command = Command();
  line = drop_cr(line);
  if (line.empty() || line.front() == '#' || trim_blanks(line).empty()) return true;
  const std::string problem = parse(line, command);
  if (problem.empty()) return true;
  command = Command();
  error_ = "error: line " + std::to_string(number_) + ": " + std::string(up_to_nul(problem)) + "\n";
  return false;
}

// Empty when the line holds a command; otherwise what is wrong with it.
std::string ScriptReader::parse(std::string_view line, Command& command) const {
  line.remove_prefix(line.find_first_not_of(" \t"));
  // `text` alone splits at the first space only: its value may hold blanks.
  const auto space = line.find(' ');
  if (line.substr(0, space) == "text") {
    return parse_text(space == std::string_view::npos ? std::string_view() : line.substr(space + 1), command);
  }
  const std::vector<std::string_view> words = split_words(line);
  const std::vector<std::string_view> args(words.begin() + 1, words.end());
  if (words.front() == "scroll") return parse_scroll(args, bars_, command);
  if (words.front() == "click") return parse_click(args, command);
  if (words.front() == "tick") return parse_tick(args, command);
  if (words.front() == "dump") {
    if (!args.empty()) return "dump takes no argument";
    command.kind = Command::kDump;
    return {};
  }
  return "unknown command " + quoted(words.front());
}

std::optional<float> random_value(std::string_view text) {
  float value = 0;
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, value, std::chars_format::general);
  if (ec == std::errc::result_out_of_range) {
    // Too small for a normal float: its nearest float is still well defined.
    double wide = 0;
    auto [wptr, wec] = std::from_chars(text.data(), end, wide, std::chars_format::general);
    if (wec != std::errc() || wptr != end) return std::nullopt;
    value = static_cast<float>(wide);
    ptr = wptr;
    ec = std::errc();
  }
  if (ec != std::errc() || ptr != end) return std::nullopt;
  if (!(value >= 0.0f && value < 1.0f)) return std::nullopt;
  return value;
}

bool RandomReader::read(std::string_view piece, std::vector<float>& out) {
  while (!piece.empty()) {
    const auto end = piece.find('\n');
    if (end == std::string_view::npos) {
      pending_.append(piece);
      return true;
    }
    bool good;
    if (pending_.empty()) {
      good = line(piece.substr(0, end), out);
    } else {
      pending_.append(piece.substr(0, end));
      good = line(pending_, out);
      pending_.clear();
    }
    if (!good) return false;
    piece.remove_prefix(end + 1);
  }
  return true;
}

bool RandomReader::finish(std::vector<float>& out) {
  if (pending_.empty()) return true;
  const std::string last = std::move(pending_);
  pending_.clear();
  return line(last, out);
}

bool RandomReader::line(std::string_view text, std::vector<float>& out) {
  ++number_;
  text = trim_blanks(drop_cr(text));
  if (text.empty()) return true;
  const std::optional<float> value = random_value(text);
  if (!value) {
    error_ = "error: " + path_ + " line " + std::to_string(number_) + ": not a number r with 0 <= r < 1: " +
             std::string(up_to_nul(text)) + "\n";
    return false;
  }
  out.push_back(*value);
  return true;
}

std::string cannot_read(std::string_view path) { return "error: cannot read random file " + std::string(path) + "\n"; }

}  // namespace noboria::trace
