// noboria-trace RANDOM_FILE < SCRIPT
//
// Drives the real main window without a screen, with the random sequence read
// from RANDOM_FILE, and prints the world record on request, so that the
// simulation can be followed day by day. The timer never fires by itself:
// only the script's `tick` runs a day. Exit status: 0 done, 2 bad input,
// 3 random sequence exhausted.

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <charconv>
#include <clocale>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "form/layout.h"
#include "sim/random_source.h"
#include "sim/state_block.h"
#include "ui/fonts.h"
#include "ui/main_window.h"
#include "ui/services.h"
#include "view/field_view.h"
#include "view/graph_view.h"

namespace {

using noboria::MainWindow;

constexpr int kBadInput = 2;
constexpr int kExhausted = 3;

// The file's numbers in order; running out ends the program at once, since
// a day cannot be left half done.
class FileRandom final : public noboria::RandomSource {
 public:
  explicit FileRandom(std::vector<float> values) : values_(std::move(values)) {}
  float next() override {
    if (pos_ >= values_.size()) {
      std::fflush(stdout);
      std::fputs("error: random sequence exhausted\n", stderr);
      std::_Exit(kExhausted);
    }
    return values_[pos_++];
  }

 private:
  std::vector<float> values_;
  std::size_t pos_ = 0;
};

// Counts the beeps; there is no clipboard or message box to show here.
class CountingServices final : public noboria::Services {
 public:
  void beep() override { ++beeps; }
  void copy_text(const QString&) override {}
  void message(QWidget*, const QString&) override {}
  long long beeps = 0;
};

std::string_view trim_blanks(std::string_view s) {
  const auto first = s.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  const auto last = s.find_last_not_of(" \t");
  return s.substr(first, last - first + 1);
}

void drop_cr(std::string& line) {
  if (!line.empty() && line.back() == '\r') line.pop_back();
}

// The nearest 32-bit float to the decimal text, if it is one in [0, 1).
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

std::optional<std::vector<float>> read_random_file(const char* path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "error: cannot read random file %s\n", path);
    return std::nullopt;
  }
  std::vector<float> values;
  std::string line;
  for (long long number = 1; std::getline(in, line); ++number) {
    drop_cr(line);
    const std::string_view text = trim_blanks(line);
    if (text.empty()) continue;
    const std::optional<float> value = random_value(text);
    if (!value) {
      std::fprintf(stderr, "error: %s line %lld: not a number r with 0 <= r < 1: %s\n", path, number,
                   std::string(text).c_str());
      return std::nullopt;
    }
    values.push_back(*value);
  }
  return values;
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

std::string utf8(const QString& text) { return text.toUtf8().toStdString(); }

// With NOBORIA_TRACE_PICTURES=DIR, each dump also saves the field and the
// graph's drawing area as DIR/dump-N-field.png and DIR/dump-N-graph.png, so
// that another front end's pictures can be compared with them pixel for pixel.
void save_pictures(const MainWindow& window, long long dump_number) {
  const QString dir = qEnvironmentVariable("NOBORIA_TRACE_PICTURES");
  if (dir.isEmpty()) return;
  const QString stem = QStringLiteral("%1/dump-%2-").arg(dir).arg(dump_number);
  QImage field = window.field()->image();
  field.setDevicePixelRatio(1);
  const bool saved = field.convertToFormat(QImage::Format_RGB888).save(stem + QStringLiteral("field.png")) &&
                     window.graph()->image().convertToFormat(QImage::Format_RGB888).save(stem + QStringLiteral("graph.png"));
  if (!saved) std::fprintf(stderr, "warning: cannot save pictures under %s\n", qPrintable(dir));
}

void dump(const MainWindow& window, const CountingServices& services, long long dump_number) {
  const std::string daycap = utf8(window.day()->text());
  const std::string z_suu = utf8(window.herbivore_count()->text());
  const std::string l_suu = utf8(window.carnivore_count()->text());
  const noboria::StateBlockExtras extras{window.form().timer_on(), window.form().interval(), services.beeps,
                                         static_cast<unsigned long long>(window.sim().draws()), daycap, z_suu, l_suu};
  const std::string block = noboria::state_block(window.sim().w, extras);
  std::fwrite(block.data(), 1, block.size(), stdout);
  save_pictures(window, dump_number);
}

// Runs the script; returns an error message for the first bad line.
class ScriptRunner {
 public:
  ScriptRunner(MainWindow& window, const CountingServices& services) : window_(window), services_(services) {}

  // Empty when the line ran; otherwise what is wrong with it.
  std::string run(std::string_view line) {
    line.remove_prefix(line.find_first_not_of(" \t"));
    const auto space = line.find(' ');
    const std::string_view command = line.substr(0, space);
    if (command == "text") return text(space == std::string_view::npos ? std::string_view() : line.substr(space + 1));
    const std::vector<std::string_view> words = split_words(line);
    const std::vector<std::string_view> args(words.begin() + 1, words.end());
    if (words.front() == "scroll") return scroll(args);
    if (words.front() == "click") return click(args);
    if (words.front() == "tick") return tick(args);
    if (words.front() == "dump") {
      if (!args.empty()) return "dump takes no argument";
      dump(window_, services_, ++dumps_);
      return {};
    }
    return "unknown command '" + std::string(words.front()) + "'";
  }

 private:
  // NAME, then everything after the single space that follows it.
  std::string text(std::string_view rest) {
    const auto space = rest.find(' ');
    const std::string_view name = rest.substr(0, space);
    const std::string_view value = space == std::string_view::npos ? std::string_view() : rest.substr(space + 1);
    QLineEdit* box = nullptr;
    for (const noboria::Control& c : noboria::controls()) {
      if (c.kind == noboria::Kind::box && c.data_name == name) box = window_.text_box(c.index);
    }
    if (box == nullptr) return "text needs a box name, not '" + std::string(name) + "'";
    // setText raises the change notification only when the text differs.
    box->setText(QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size())));
    return {};
  }

  std::string scroll(const std::vector<std::string_view>& args) {
    if (args.size() != 2) return "scroll takes a bar (0..8 or sp) and a value";
    QScrollBar* bar = nullptr;
    std::string bar_name;
    if (args[0] == "sp") {
      bar = window_.step_control(noboria::kSpeedIndex);
      bar_name = "HSsp";
    } else if (const auto index = whole_number(args[0], 8)) {
      bar = window_.step_control(static_cast<int>(*index));
      bar_name = "HS(" + std::to_string(*index) + ")";
    } else {
      return "scroll needs a bar 0..8 or sp, not '" + std::string(args[0]) + "'";
    }
    const auto value = whole_number(args[1], static_cast<std::uint64_t>(bar->maximum()));
    if (!value || static_cast<int>(*value) < bar->minimum()) {
      return bar_name + " takes a whole number " + std::to_string(bar->minimum()) + ".." +
             std::to_string(bar->maximum()) + ", not '" + std::string(args[1]) + "'";
    }
    bar->setValue(static_cast<int>(*value));
    return {};
  }

  std::string click(const std::vector<std::string_view>& args) {
    if (args.size() != 1) return "click takes one button name";
    for (const noboria::Control& c : noboria::controls()) {
      if (c.kind == noboria::Kind::button && !c.data_name.empty() && c.data_name == args[0]) {
        static_cast<QPushButton*>(window_.control(c.role))->click();
        return {};
      }
    }
    return "click needs sim_com or Command2, not '" + std::string(args[0]) + "'";
  }

  std::string tick(const std::vector<std::string_view>& args) {
    if (args.size() > 1) return "tick takes at most one count";
    std::uint64_t count = 1;
    if (args.size() == 1) {
      const auto k = whole_number(args[0], UINT64_MAX);
      if (!k) return "tick needs a whole number of ticks, not '" + std::string(args[0]) + "'";
      count = *k;
    }
    for (std::uint64_t i = 0; i < count; ++i) {
      // Only a running timer delivers a tick.
      if (!window_.form().ticking()) break;
      window_.tick();
    }
    return {};
  }

  MainWindow& window_;
  const CountingServices& services_;
  long long dumps_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fputs("usage: noboria-trace RANDOM_FILE < SCRIPT\n", stderr);
    return kBadInput;
  }
  std::optional<std::vector<float>> values = read_random_file(argv[1]);
  if (!values) return kBadInput;

  // No display is needed or wanted; Qt's own options are not ours to take.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  int qt_argc = 1;
  QApplication app(qt_argc, argv);
  // Qt adopts the user's locale; numbers are printed the C way.
  std::setlocale(LC_NUMERIC, "C");
  noboria::install_fonts();

  FileRandom random(std::move(*values));
  CountingServices services;
  MainWindow window(random, services);
  window.load();

  ScriptRunner runner(window, services);
  std::string line;
  for (long long number = 1; std::getline(std::cin, line); ++number) {
    drop_cr(line);
    if (line.empty() || line.front() == '#' || trim_blanks(line).empty()) continue;
    const std::string error = runner.run(line);
    if (!error.empty()) {
      std::fflush(stdout);
      std::fprintf(stderr, "error: line %lld: %s\n", number, error.c_str());
      return kBadInput;
    }
  }
  std::fflush(stdout);
  return 0;
}
