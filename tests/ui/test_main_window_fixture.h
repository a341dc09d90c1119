#pragma once
// A main window on a fixed random sequence with recorded services, and
// helpers to find its controls and compare world records.

#include <gtest/gtest.h>

#include <QApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <memory>

#include "fake_services.h"
#include "sim/random_source.h"
#include "sim/world.h"
#include "ui/main_window.h"
#include "view/field_view.h"
#include "view/graph_view.h"

namespace noboria {

inline void process_deferred_deletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

// Every field of the record, grids included.
inline bool same_world(const World& a, const World& b) {
  return a.p_map == b.p_map && a.ani_map == b.ani_map && a.life_map == b.life_map && a.next_map == b.next_map &&
         a.z_x == b.z_x && a.z_y == b.z_y && a.l_x == b.l_x && a.l_y == b.l_y && a.z_num == b.z_num &&
         a.l_num == b.l_num && a.z_prev == b.z_prev && a.l_prev == b.l_prev && a.day == b.day &&
         a.gra_x == b.gra_x && a.p_rate == b.p_rate && a.z_birth == b.z_birth && a.l_birth == b.l_birth &&
         a.z_life == b.z_life && a.l_life == b.l_life && a.l_full == b.l_full && a.l_hunt == b.l_hunt &&
         a.l_catch == b.l_catch && a.cx == b.cx && a.cy == b.cy && a.tx == b.tx && a.ty == b.ty;
}

class MainWindowTest : public ::testing::Test {
 protected:
  // A seeded generator: runs that tick need draws without end.
  MainWindowTest() : random(20070201), window(std::make_unique<MainWindow>(random, services)) {}

  void TearDown() override {
    window.reset();
    process_deferred_deletes();
  }

  void load() { window->form_load(); }

  // form_load and shown on the offscreen screen, for mouse and keyboard tests.
  void load_and_show() {
    load();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
  }

  template <class T>
  T* child(const QString& name) const {
    return window->findChild<T*>(name);
  }
  QLabel* label(const QString& name) const { return child<QLabel>(name); }
  QLineEdit* edit(Box b) const { return window->box(b); }
  World& w() { return window->sim().w; }

  // Replaces the whole text as a user would: select all, then type ASCII
  // key by key.
  void type_into(QLineEdit* box, const QString& text) {
    box->selectAll();
    if (text.isEmpty()) {
      QTest::keyClick(box, Qt::Key_Delete);
    } else {
      QTest::keyClicks(box, text);
    }
  }

  // Replaces the whole text with what a Japanese input method commits.
  void commit_into(QLineEdit* box, const QString& text) {
    box->selectAll();
    QInputMethodEvent event;
    event.setCommitString(text);
    QApplication::sendEvent(box, &event);
  }

  FakeServices services;
  MersenneRandom random;
  std::unique_ptr<MainWindow> window;
};

}  // namespace noboria
