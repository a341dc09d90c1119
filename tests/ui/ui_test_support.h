#pragma once
// A loaded main window on recording services and a seeded random source
// (runs that tick need draws without end).

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "sim/random_source.h"
#include "ui/main_window.h"
#include "ui/services.h"

namespace noboria {

inline void process_deferred_deletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() { window->load(); }

  void TearDown() override {
    window.reset();
    process_deferred_deletes();
  }

  QLineEdit* box(Box b) const { return window->text_box(static_cast<int>(b)); }
  World& w() { return window->sim().w; }
  // Starts a run that lasts hundreds of days.
  void start_long_run() {
    const char* texts[kBoxCount] = {"8", "50", "10", "5", "10", "20", "10", "3", "3"};
    for (int i = 0; i < kBoxCount; ++i) window->text_box(i)->setText(QString::fromLatin1(texts[i]));
    window->start_button()->click();
  }

  RecordingServices services;
  MersenneRandom random{20070201};
  std::unique_ptr<MainWindow> window = std::make_unique<MainWindow>(random, services);
};

}  // namespace noboria
