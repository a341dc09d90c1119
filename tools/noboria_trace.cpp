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
#include <array>
#include <clocale>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "form/layout.h"
#include "sim/random_source.h"
#include "sim/state_block.h"
#include "tools/trace_script.h"
#include "ui/fonts.h"
#include "ui/main_window.h"
#include "ui/services.h"
#include "view/field_view.h"
#include "view/graph_view.h"

namespace {

using noboria::MainWindow;
using noboria::RecordingServices;
using noboria::trace::Command;

constexpr int kBadInput = 2;
constexpr int kExhausted = 3;

// Running out of the file's numbers ends the program at once, since a day
// cannot be left half done.
[[noreturn]] void random_exhausted() {
  std::fflush(stdout);
  std::fputs("error: random sequence exhausted\n", stderr);
  std::_Exit(kExhausted);
}

// The whole file's numbers, read in pieces; on a bad line its message.
std::optional<std::vector<float>> read_random_file(const char* path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    const std::string message = noboria::trace::cannot_read(path);
    std::fwrite(message.data(), 1, message.size(), stderr);
    return std::nullopt;
  }
  noboria::trace::RandomReader reader(path);
  std::vector<float> values;
  std::vector<char> piece(1 << 16);
  bool good = true;
  while (good && in) {
    in.read(piece.data(), static_cast<std::streamsize>(piece.size()));
    good = reader.read(std::string_view(piece.data(), static_cast<std::size_t>(in.gcount())), values);
  }
  if (good && reader.finish(values)) return values;
  std::fwrite(reader.error().data(), 1, reader.error().size(), stderr);
  return std::nullopt;
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

void dump(const MainWindow& window, const RecordingServices& services, long long dump_number) {
  const std::string daycap = utf8(window.day()->text());
  const std::string z_suu = utf8(window.herbivore_count()->text());
  const std::string l_suu = utf8(window.carnivore_count()->text());
  const noboria::StateBlockExtras extras{window.form().timer_on(), window.form().interval(), services.beeps,
                                         static_cast<unsigned long long>(window.sim().draws()), daycap, z_suu, l_suu};
  const std::string block = noboria::state_block(window.sim().w, extras);
  std::fwrite(block.data(), 1, block.size(), stdout);
  save_pictures(window, dump_number);
}

// Runs the script's commands on the window.
class ScriptRunner {
 public:
  ScriptRunner(MainWindow& window, const RecordingServices& services) : window_(window), services_(services) {}

  void run(const Command& command) {
    switch (command.kind) {
      case Command::kNone:
        break;
      case Command::kText:
        // setText raises the change notification only when the text differs.
        window_.text_box(command.target)->setText(QString::fromStdString(command.text));
        break;
      case Command::kScroll:
        bar(command.target)->setValue(static_cast<int>(command.number));
        break;
      case Command::kClick:
        static_cast<QPushButton*>(window_.control(command.target == 0 ? "start_button" : "stop_button"))->click();
        break;
      case Command::kTick:
        for (std::uint64_t i = 0; i < command.number; ++i) {
          // Only a running timer delivers a tick.
          if (!window_.form().ticking()) break;
          window_.tick();
        }
        break;
      case Command::kDump:
        dump(window_, services_, ++dumps_);
        break;
    }
  }

  // HS(0)..HS(8), then HSsp.
  QScrollBar* bar(int i) const { return window_.step_control(i); }

 private:
  MainWindow& window_;
  const RecordingServices& services_;
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

  noboria::ScriptedRandom random(std::move(*values), random_exhausted);
  RecordingServices services;
  MainWindow window(random, services);
  window.load();

  ScriptRunner runner(window, services);
  std::array<noboria::trace::BarLimits, noboria::trace::kBarCount> limits;
  for (int i = 0; i < noboria::trace::kBarCount; ++i) limits[i] = {runner.bar(i)->minimum(), runner.bar(i)->maximum()};
  noboria::trace::ScriptReader reader(limits);
  Command command;
  std::string line;
  while (std::getline(std::cin, line)) {
    if (!reader.read(line, command)) {
      std::fflush(stdout);
      std::fwrite(reader.error().data(), 1, reader.error().size(), stderr);
      return kBadInput;
    }
    runner.run(command);
  }
  std::fflush(stdout);
  return 0;
}
