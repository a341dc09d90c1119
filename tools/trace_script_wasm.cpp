// trace_script.wasm: the trace language (trace_script.h) for
// noboria-trace-web, which runs in Node. The driver writes bytes into the
// `in` buffer (ts_in), then calls a reader; texts come back through ts_out
// and ts_out_len, the random file's values through ts_values.

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/trace_script.h"

#define TS_EXPORT(name) extern "C" __attribute__((export_name(#name)))

// The wasm C++ runtime has no exceptions: nothing here throws, and anything
// that would is a fault that must stop the call instead of going on.
extern "C" void* __cxa_allocate_exception(std::size_t) { __builtin_trap(); }
extern "C" void __cxa_throw(void*, void*, void (*)(void*)) { __builtin_trap(); }

namespace {

using noboria::trace::Command;

std::string in;   // bytes the driver hands over
std::string out;  // the last text handed back
std::array<noboria::trace::BarLimits, noboria::trace::kBarCount> limits{};
std::optional<noboria::trace::ScriptReader> script;
std::optional<noboria::trace::RandomReader> random_file;
std::vector<float> values;
Command command;

}  // namespace

// Room for n bytes, for the next call that reads `in`.
TS_EXPORT(ts_in) char* ts_in(int n) {
  in.assign(n < 0 ? 0 : static_cast<std::size_t>(n), '\0');
  return in.data();
}

TS_EXPORT(ts_out) const char* ts_out() { return out.data(); }
TS_EXPORT(ts_out_len) int ts_out_len() { return static_cast<int>(out.size()); }

TS_EXPORT(ts_most_draws) int ts_most_draws() { return static_cast<int>(noboria::trace::kMostDrawsPerCommand); }

// ---- The script ----------------------------------------------------------------

// The limits of bar i (0..8, then HSsp), as the page's controls have them.
TS_EXPORT(ts_bar) void ts_bar(int i, int minimum, int maximum) {
  if (i >= 0 && i < noboria::trace::kBarCount) limits[i] = {minimum, maximum};
}

// Reads `in` as the script's next line (its line feed left out), with the
// limits given so far. Returns the command's kind (Command::Kind) with its
// target, number and text (in ts_out), or -1 with the message in ts_out.
TS_EXPORT(ts_line) int ts_line() {
  if (!script) script.emplace(limits);
  if (!script->read(in, command)) {
    out = script->error();
    return -1;
  }
  out = command.text;
  return command.kind;
}

TS_EXPORT(ts_target) int ts_target() { return command.target; }
// A count above 2^53 comes out rounded; no session lives that many days.
TS_EXPORT(ts_number) double ts_number() { return static_cast<double>(command.number); }

// ---- The random file -------------------------------------------------------------

// Starts a file whose name, for the messages, is `in`.
TS_EXPORT(ts_random_start) void ts_random_start() { random_file.emplace(in); }

// Reads `in` as the file's next piece (ts_random_finish after the last).
// Returns how many values it held, at ts_values, or -1 with the message in ts_out.
TS_EXPORT(ts_random_read) int ts_random_read() {
  values.clear();
  if (!random_file || !random_file->read(in, values)) {
    out = random_file ? random_file->error() : std::string();
    return -1;
  }
  return static_cast<int>(values.size());
}

TS_EXPORT(ts_random_finish) int ts_random_finish() {
  values.clear();
  if (!random_file || !random_file->finish(values)) {
    out = random_file ? random_file->error() : std::string();
    return -1;
  }
  return static_cast<int>(values.size());
}

TS_EXPORT(ts_values) const float* ts_values() { return values.data(); }

// The message for a random file named `in` that cannot be read.
TS_EXPORT(ts_cannot_read) void ts_cannot_read() { out = noboria::trace::cannot_read(in); }
