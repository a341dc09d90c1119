// The field as a user sees it must equal a plain second route: each valid
// cell's whole sprite p_map + 3 * ani_map drawn at its rounded twip position,
// in row order, over the last picture (a cell outside 0..2 keeps its own).
#include <gtest/gtest.h>

#include <QPaintEvent>
#include <QPainter>
#include <QRandomGenerator>
#include <QScreen>
#include <QTest>

#include "view/field_view.h"

namespace noboria {
namespace {

// Column or row i stands at 100 + 350 (i - 1) twips, 15 to a pixel, rounded; the widget at the first.
int cell_px(int i) { return qRound((100 + 350 * (i - 1)) / 15.0) - 7; }

const QString kSprites = QStringLiteral(QT_TESTCASE_SOURCEDIR "/../../assets/sprites/sprite%1.xpm");

// The sprites as Qt reads their XPM files, drawn whole.
struct WholeSprites {
  QImage image{374, 374, QImage::Format_RGB32};
  WholeSprites() { image.fill(qRgb(0xFF, 0xFF, 0xC0)); }  // the window, where nothing is painted yet
  void draw(const World& w) {
    QPainter painter(&image);
    for (int y = 1; y <= kFieldSize; ++y)
      for (int x = 1; x <= kFieldSize; ++x) {
        const int p = w.p_map[x][y], a = w.ani_map[x][y];
        if (p < 0 || p > 2 || a < 0 || a > 2) continue;
        painter.drawImage(cell_px(x), cell_px(y), QImage(kSprites.arg(p + 3 * a)));
      }
  }
};

// Changes change_percent of the cells; skip_percent of those get a value
// outside 0..2 (plant level 3 among them).
void change(World& w, QRandomGenerator& random, int change_percent, int skip_percent) {
  for (int x = 1; x <= kFieldSize; ++x)
    for (int y = 1; y <= kFieldSize; ++y) {
      if (random.bounded(100) >= change_percent) continue;
      w.p_map[x][y] = static_cast<std::int16_t>(random.bounded(3));
      w.ani_map[x][y] = static_cast<std::int16_t>(random.bounded(3));
      if (random.bounded(100) < skip_percent)
        (random.bounded(2) ? w.p_map : w.ani_map)[x][y] = random.bounded(2) ? 3 : -1;
    }
}

TEST(Field, KeptImageEqualsWholeSpritesInRowOrderAtEachDensity) {
  for (auto [change_percent, skip_percent] : {std::pair(60, 0), std::pair(5, 0), std::pair(40, 8), std::pair(40, 45)}) {
    SCOPED_TRACE(testing::Message() << change_percent << "% changed, " << skip_percent << "% skipped");
    QRandomGenerator random(7);
    World w;
    FieldView view;
    WholeSprites expected;
    for (int i = 0; i < 30; ++i) {
      if (i % 2 == 1) view.hold_draws();  // two fields in one day, painted as one
      for (int field = 0; field <= i % 2; ++field) {
        change(w, random, i == 0 ? 100 : change_percent, skip_percent);
        view.field_draw(w);
        expected.draw(w);
      }
      view.draw_held();
      if (i % 5 == 0) view.set_scale(1 + i / 5 % 3);  // 1, 2 and 3 device pixels a pixel in turn
      QImage denser = expected.image.scaled(374 * view.scale(), 374 * view.scale());  // no smoothing
      denser.setDevicePixelRatio(view.scale());
      ASSERT_EQ(view.image(), denser) << "field " << i;
    }
  }
  EXPECT_EQ(std::pair(FieldView::scale_for(1.25), FieldView::scale_for(1.5)), std::pair(1, 2));  // the ratio, rounded
}

struct PaintRecorder final : QObject {
  QRegion painted;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(event)->region();
    return false;
  }
};

TEST(Field, ScreenShowsEachFieldFromBeforeFirstShownAndAfterHideAndShowRepaintingOnlyNewPictures) {
  QWidget window;
  window.resize(664, 520);
  FieldView view(&window);
  ASSERT_EQ(FieldView::window_rect(), QRect(7, 7, 374, 374));  // the cells' bounding box
  const auto screen = [&] {
    QCoreApplication::processEvents();
    return window.screen()->grabWindow(window.winId(), 7, 7, 374, 374).toImage().convertToFormat(QImage::Format_RGB32);
  };
  QRandomGenerator random(11);
  World w;
  WholeSprites expected;
  for (int i = 0; i < 40; ++i) {
    // A skipped cell takes its neighbours' strips at every field: none from field 38 on.
    change(w, random, i == 0 || i == 38 ? 100 : 30, i < 38 ? 10 : 0);
    w.p_map[16][16] = 1, w.ani_map[16][16] = 1;
    view.field_draw(w);
    expected.draw(w);
    window.setVisible(i < 10 || i >= 20);  // first shown after field 0 is drawn, hidden for ten fields
    if (!window.isHidden()) {
      ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
      ASSERT_EQ(screen(), expected.image) << "field " << i;
    }
  }
  PaintRecorder recorder;
  view.installEventFilter(&recorder);
  w.p_map[16][16] = 2;  // a herbivore looks the same on level 2 as on level 1
  w.p_map[16][15] = (w.p_map[16][15] + 1) % 3, w.ani_map[16][15] = 0;  // a new picture
  view.field_draw(w);
  expected.draw(w);
  EXPECT_EQ(screen(), expected.image);
  EXPECT_EQ(recorder.painted, QRegion(cell_px(16), cell_px(15), 24, cell_px(16) - cell_px(15)));
}

}  // namespace
}  // namespace noboria
