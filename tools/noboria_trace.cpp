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

#include "sim/parameters.h"
#include "sim/random_source.h"
#include "sim/state_block.h"
#include "tools/trace_script.h"
#include "ui/fonts.h"
#include "ui/main_window.h"
#include "ui/services.h"
#include "view/field_view.h"
#include "view/graph_view.h"

namespace {

using noboria::Box;
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
void save_pictures(const MainWindow& form1, long long dump_number) {
  const QString dir = qEnvironmentVariable("NOBORIA_TRACE_PICTURES");
  if (dir.isEmpty()) return;
  const QString stem = QStringLiteral("%1/dump-%2-").arg(dir).arg(dump_number);
  QImage field = form1.field()->image();
  field.setDevicePixelRatio(1);
  const bool saved = field.convertToFormat(QImage::Format_RGB888).save(stem + QStringLiteral("field.png")) &&
                     form1.gra()->image().convertToFormat(QImage::Format_RGB888).save(stem + QStringLiteral("graph.png"));
  if (!saved) std::fprintf(stderr, "warning: cannot save pictures under %s\n", qPrintable(dir));
}

void dump(const MainWindow& form1, const RecordingServices& services, long long dump_number) {
  const std::string daycap = utf8(form1.daycap()->text());
  const std::string z_suu = utf8(form1.z_suu()->text());
  const std::string l_suu = utf8(form1.l_suu()->text());
  const noboria::StateBlockExtras extras{form1.timer().enabled(), form1.timer().interval(), services.beeps,
                                         static_cast<unsigned long long>(form1.sim().draws()), daycap, z_suu, l_suu};
  const std::string block = noboria::state_block(form1.sim().w, extras);
  std::fwrite(block.data(), 1, block.size(), stdout);
  save_pictures(form1, dump_number);
}

// Runs the script's commands on the window.
class ScriptRunner {
 public:
  ScriptRunner(MainWindow& form1, const RecordingServices& services) : form1_(form1), services_(services) {}

  void run(const Command& command) {
    switch (command.kind) {
      case Command::kNone:
        break;
      case Command::kText:
        text(noboria::trace::kBoxNames[command.target], command.text);
        break;
      case Command::kScroll:
        bar(command.target)->setValue(static_cast<int>(command.number));
        break;
      case Command::kClick:
        (command.target == 0 ? form1_.sim_com() : form1_.Command2())->click();
        break;
      case Command::kTick:
        for (std::uint64_t i = 0; i < command.number; ++i) {
          // Only a running timer delivers a tick.
          if (!form1_.timer().enabled() || form1_.timer().interval() <= 0) break;
          form1_.Timer1_Timer();
        }
        break;
      case Command::kDump:
        dump(form1_, services_, ++dumps_);
        break;
    }
  }

  // HS(0)..HS(8), then HSsp.
  QScrollBar* bar(int i) const { return i == noboria::trace::kSpeedBar ? form1_.HSsp() : form1_.HS(i); }

 private:
  void text(std::string_view name, const std::string& value) {
    QLineEdit* box = form1_.speed_box();
    for (Box b : noboria::kAllBoxes) {
      if (name == noboria::box_name(b)) box = form1_.box(b);
    }
    // setText raises the change notification only when the text differs.
    box->setText(QString::fromStdString(value));
  }

  MainWindow& form1_;
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
  MainWindow form1(random, services);
  form1.form_load();

  ScriptRunner runner(form1, services);
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
