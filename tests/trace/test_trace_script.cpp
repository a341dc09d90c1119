// The trace language as both drivers read it: each script line's command or
// message, and the random file's lines cut anywhere into pieces.

#include <gtest/gtest.h>

#include <array>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "tools/trace_script.h"

namespace {

using noboria::trace::Command;

std::array<noboria::trace::BarLimits, noboria::trace::kBarCount> limits() {
  std::array<noboria::trace::BarLimits, noboria::trace::kBarCount> bars{};
  for (int i = 0; i < noboria::trace::kBarCount; ++i) bars[i] = {i == 0 ? 0 : 1, 8 + 10 * i};
  return bars;
}

struct LineCase {
  const char* name;
  std::string lines;  // read in turn; the last one's command or the first message counts
  std::string want;   // "error: ..." or the command: kind target number [text]
};

std::string shown(const Command& c) {
  std::string s = std::to_string(c.kind) + " " + std::to_string(c.target) + " " + std::to_string(c.number);
  return c.kind == Command::kText ? s + " [" + c.text + "]" : s;
}

TEST(TraceScript, EachLineGivesItsCommandOrItsMessage) {
  const LineCase cases[] = {
      {"blank", " \t", "0 0 0"},
      {"comment", "# tick x", "0 0 0"},
      {"text keeps blanks", "text lh_text  3 4 \r", "1 5 0 [ 3 4 ]"},
      {"text alone empties", "text speed", "1 9 0 []"},
      {"text needs a box", "text HS0 1", "error: line 1: text needs a box name, not 'HS0'\n"},
      {"text with a tab is no text", "text\tp_text 1", "error: line 1: unknown command 'text'\n"},
      {"scroll", "  scroll\t8 88", "2 8 88"},
      {"scroll sp", "scroll sp 1", "2 9 1"},
      {"scroll bar 9", "scroll 9 1", "error: line 1: scroll needs a bar 0..8 or sp, not '9'\n"},
      {"scroll above", "scroll 1 19", "error: line 1: HS(1) takes a whole number 1..18, not '19'\n"},
      {"scroll below", "scroll sp 0", "error: line 1: HSsp takes a whole number 1..98, not '0'\n"},
      {"scroll sign", "scroll 0 +1", "error: line 1: HS(0) takes a whole number 0..8, not '+1'\n"},
      {"scroll one word", "scroll 1", "error: line 1: scroll takes a bar (0..8 or sp) and a value\n"},
      {"click start", "click sim_com", "3 0 0"},
      {"click stop", "click Command2", "3 1 0"},
      {"click other", "click Command1", "error: line 1: click needs sim_com or Command2, not 'Command1'\n"},
      {"click two", "click sim_com sim_com", "error: line 1: click takes one button name\n"},
      {"tick", "tick", "4 0 1"},
      {"tick most", "tick 18446744073709551615", "4 0 18446744073709551615"},
      {"tick too many", "tick 18446744073709551616",
       "error: line 1: tick needs a whole number of ticks, not '18446744073709551616'\n"},
      {"tick two", "tick 1 2", "error: line 1: tick takes at most one count\n"},
      {"dump", "dump\r", "5 0 0"},
      {"dump with more", "dump 1", "error: line 1: dump takes no argument\n"},
      {"unknown", "Dump", "error: line 1: unknown command 'Dump'\n"},
      {"nul ends a message", std::string("ti\0ck", 5), "error: line 1: unknown command 'ti\n"},
      {"messages count every line", "\n# a\ndump\n \ntock", "error: line 5: unknown command 'tock'\n"},
  };
  for (const LineCase& c : cases) {
    noboria::trace::ScriptReader reader(limits());
    Command command;
    bool good = true;
    std::istringstream lines(c.lines);
    for (std::string line; good && std::getline(lines, line);) good = reader.read(line, command);
    EXPECT_EQ(good ? shown(command) : reader.error(), c.want) << c.name;
  }
}

// The same file in pieces of every size reads alike: values, line numbers, the end.
TEST(TraceScript, RandomFileReadsAlikeInAnyPieces) {
  const std::string good = "0.5\r\n\n \t0.25 \n-0\n1e-46\n0.75";
  const std::string bad = good + "\n\n0.5x\n0.5\n";
  const std::vector<float> values{0.5f, 0.25f, -0.0f, 0.0f, 0.75f};  // the bad line and after it: none
  for (std::size_t size = 1; size <= bad.size(); ++size) {
    for (const auto& [file, message] :
         {std::pair{good, std::string()},
          std::pair{bad, std::string("error: r.txt line 8: not a number r with 0 <= r < 1: 0.5x\n")}}) {
      noboria::trace::RandomReader reader("r.txt");
      std::vector<float> got;
      bool read = true;
      for (std::size_t at = 0; read && at < file.size(); at += size) read = reader.read(file.substr(at, size), got);
      if (read) read = reader.finish(got);
      EXPECT_EQ(read ? std::string() : reader.error(), message) << size;
      EXPECT_EQ(got, values) << size;
    }
  }
}

}  // namespace
