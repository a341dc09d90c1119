// The field painter repaints only what changes: each cell owns the pixels no
// later cell covers, so fields painted one after another, skipped cells
// included, must give exactly what painting every whole sprite in row order
// onto the same surface gives, in the kept image and on screen, and only the
// changed cells are repainted.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QPaintEvent>
#include <QPainter>
#include <QPixmap>
#include <QRandomGenerator>
#include <QRegion>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <vector>

#include "sim/world.h"
#include "view/field_view.h"
#include "view/sprites.h"

namespace noboria {
namespace {

constexpr QRgb kWindowBackground = 0xFFFFFFC0;

// What the field shows when every painted sprite is drawn whole, in row
// order, onto the last picture: the painter's behaviour by definition.
class WholeSpritePainter {
 public:
  WholeSpritePainter() : image_(FieldView::window_rect().size(), QImage::Format_RGB32) {
    image_.fill(kWindowBackground);
  }

  void draw(const World& w) {
    QPainter painter(&image_);
    for (int y = 1; y <= kFieldSize; ++y) {
      for (int x = 1; x <= kFieldSize; ++x) {
        const int p = w.p_map[x][y];
        const int a = w.ani_map[x][y];
        if (p < 0 || p > 2 || a < 0 || a > 2) continue;
        painter.drawImage(FieldView::cell_origin(x, y) - FieldView::window_rect().topLeft(),
                          field_sprites()[p + 3 * a]);
      }
    }
  }

  const QImage& image() const { return image_; }

  QImage at_step(int step) const {
    QImage scaled = image_.scaled(image_.size() * step, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    scaled.setDevicePixelRatio(step);
    return scaled;
  }

 private:
  QImage image_;
};

// A sequence of fields, each changing a share of the cells of the one
// before; some cells hold values outside 0..2.
class FieldSequence {
 public:
  FieldSequence(quint32 seed, int change_percent, int skip_percent)
      : random_(seed), change_percent_(change_percent), skip_percent_(skip_percent) {
    for (int x = 1; x <= kFieldSize; ++x) {
      for (int y = 1; y <= kFieldSize; ++y) set_cell(x, y);
    }
  }

  const World& next() {
    for (int x = 1; x <= kFieldSize; ++x) {
      for (int y = 1; y <= kFieldSize; ++y) {
        if (static_cast<int>(random_.bounded(100)) < change_percent_) set_cell(x, y);
      }
    }
    return w_;
  }

 private:
  void set_cell(int x, int y) {
    static constexpr std::int16_t kInvalid[] = {3, -1, 7, 32767};
    if (static_cast<int>(random_.bounded(100)) < skip_percent_) {
      const std::int16_t bad = kInvalid[random_.bounded(4)];
      if (random_.bounded(2) == 0) {
        w_.p_map[x][y] = bad;
        w_.ani_map[x][y] = static_cast<std::int16_t>(random_.bounded(3));
      } else {
        w_.p_map[x][y] = static_cast<std::int16_t>(random_.bounded(3));
        w_.ani_map[x][y] = bad;
      }
      return;
    }
    w_.p_map[x][y] = static_cast<std::int16_t>(random_.bounded(3));
    w_.ani_map[x][y] = static_cast<std::int16_t>(random_.bounded(3));
  }

  QRandomGenerator random_;
  int change_percent_;
  int skip_percent_;
  World w_;
};

struct SequenceCase {
  const char* name;
  quint32 seed;
  int change_percent;
  int skip_percent;
};

const SequenceCase kSequences[] = {
    {"busy, all valid", 1, 60, 0},
    {"quiet, all valid", 2, 5, 0},
    {"busy, some skipped", 3, 50, 8},
    {"quiet, some skipped", 4, 10, 5},
    {"many skipped", 5, 40, 45},
};

TEST(FieldOwnership, OwnedRectsTileTheFieldInsideTheirSprites) {
  QRegion covered;
  int area = 0;
  for (int y = 1; y <= kFieldSize; ++y) {
    for (int x = 1; x <= kFieldSize; ++x) {
      const QRect own = FieldView::owned_rect(x, y);
      const QRect sprite(FieldView::cell_origin(x, y) - FieldView::window_rect().topLeft(),
                         QSize(kSpriteSize, kSpriteSize));
      EXPECT_TRUE(sprite.contains(own)) << x << "," << y;
      EXPECT_EQ(own.topLeft(), sprite.topLeft()) << x << "," << y;
      EXPECT_FALSE(covered.intersects(own)) << x << "," << y;
      covered += own;
      area += own.width() * own.height();
    }
  }
  EXPECT_EQ(covered, QRegion(QRect(0, 0, 374, 374)));
  EXPECT_EQ(area, 374 * 374);
  EXPECT_EQ(FieldView::owned_rect(1, 1), QRect(0, 0, 23, 23));
  EXPECT_EQ(FieldView::owned_rect(3, 16), QRect(46, 350, 24, 24));
}

TEST(FieldIncremental, EachFieldOfASequenceEqualsWholeSpritesPaintedInOrder) {
  for (const SequenceCase& c : kSequences) {
    SCOPED_TRACE(c.name);
    FieldSequence fields(c.seed, c.change_percent, c.skip_percent);
    FieldView view;
    WholeSpritePainter expected;
    for (int i = 0; i < 60; ++i) {
      const World& w = fields.next();
      view.field_draw(w);
      expected.draw(w);
      ASSERT_EQ(view.image(), expected.image()) << "field " << i;
    }
  }
}

TEST(FieldIncremental, ReadingTheImageOnlyNowAndThenChangesNothing) {
  // The kept image is brought up to date when read; reading it seldom must
  // give what reading it after every field gives.
  FieldSequence fields(6, 30, 10);
  FieldView view;
  WholeSpritePainter expected;
  for (int i = 0; i < 40; ++i) {
    const World& w = fields.next();
    view.field_draw(w);
    expected.draw(w);
    if (i % 7 == 6) {
      ASSERT_EQ(view.image(), expected.image()) << "field " << i;
    }
  }
  EXPECT_EQ(view.image(), expected.image());
}

TEST(FieldIncremental, SkippedCellBesideChangedNeighboursKeepsItsInsideAndTakesTheirStrips) {
  // Cell (2,2) shows sprite 8, then is skipped while its neighbours change:
  // the strips where their whole sprites reach in (column 30 from (1,2), row
  // 30 from (2,1)) take the new neighbours; the rest stays the lion.
  World first;
  for (int x = 1; x <= kFieldSize; ++x)
    for (int y = 1; y <= kFieldSize; ++y) first.p_map[x][y] = 2, first.ani_map[x][y] = 2;
  World second = first;
  for (int x = 1; x <= kFieldSize; ++x)
    for (int y = 1; y <= kFieldSize; ++y) second.p_map[x][y] = 0, second.ani_map[x][y] = 0;
  second.p_map[2][2] = 3;
  FieldView view;
  view.field_draw(first);
  view.field_draw(second);
  const QImage& image = view.image();
  const QImage& lion = field_sprites()[8];
  const QImage& ground = field_sprites()[0];
  const QPoint origin = FieldView::cell_origin(2, 2) - FieldView::window_rect().topLeft();  // (23, 23)
  ASSERT_EQ(origin, QPoint(23, 23));
  EXPECT_EQ(image.pixel(origin), ground.pixel(23, 23));              // the corner: (1,2) painted last
  EXPECT_EQ(image.pixel(origin + QPoint(5, 0)), ground.pixel(5, 23));  // top strip from (2,1)
  EXPECT_EQ(image.pixel(origin + QPoint(0, 5)), ground.pixel(23, 5));  // left strip from (1,2)
  EXPECT_EQ(image.pixel(origin + QPoint(5, 5)), lion.pixel(5, 5));
  EXPECT_EQ(image.pixel(origin + QPoint(22, 22)), lion.pixel(22, 22));
  WholeSpritePainter expected;
  expected.draw(first);
  expected.draw(second);
  EXPECT_EQ(image, expected.image());
}

TEST(FieldIncremental, ChangingDensityKeepsWhatTheCellsShowEvenAfterSkips) {
  for (const SequenceCase& c : kSequences) {
    SCOPED_TRACE(c.name);
    FieldSequence fields(c.seed + 100, c.change_percent, c.skip_percent);
    FieldView view;
    WholeSpritePainter expected;
    for (int i = 0; i < 12; ++i) {
      const World& w = fields.next();
      view.field_draw(w);
      expected.draw(w);
      if (i == 3) view.set_scale(2);
      if (i == 7) view.set_scale(3);
      if (i == 10) view.set_scale(1);
      ASSERT_EQ(view.image(), expected.at_step(view.scale())) << "field " << i;
    }
  }
}

// Records the region of every paint event the field receives.
class PaintRecorder final : public QObject {
 public:
  explicit PaintRecorder(QWidget& widget) { widget.installEventFilter(this); }
  QRegion painted;
  int events = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) {
      painted += static_cast<QPaintEvent*>(event)->region();
      ++events;
    }
    return false;
  }
};

class FieldOnScreen : public ::testing::Test {
 protected:
  FieldOnScreen() : view(&window), recorder(view) {
    window.resize(664, 520);
    view.move(FieldView::window_rect().topLeft());
  }

  void show() {
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QCoreApplication::processEvents();
  }

  // What the window's surface shows of the field, read back from the screen.
  QImage on_screen() {
    QCoreApplication::processEvents();
    const QPixmap shot = window.screen()->grabWindow(window.winId());
    return shot.toImage()
        .copy(QRect(FieldView::window_rect().topLeft() * shot.devicePixelRatio(),
                    FieldView::window_rect().size() * shot.devicePixelRatio()))
        .convertToFormat(QImage::Format_RGB32);
  }

  QWidget window;
  FieldView view;
  PaintRecorder recorder;
};

TEST_F(FieldOnScreen, TheScreenShowsEveryFieldOfASequence) {
  // One long sequence through every kind; the first field is drawn while the
  // window has never been shown.
  WholeSpritePainter expected;
  bool shown = false;
  for (const SequenceCase& c : kSequences) {
    SCOPED_TRACE(c.name);
    FieldSequence fields(c.seed + 200, c.change_percent, c.skip_percent);
    for (int i = 0; i < 20; ++i) {
      const World& w = fields.next();
      view.field_draw(w);
      expected.draw(w);
      if (!shown) {
        show();
        shown = true;
      }
      ASSERT_EQ(on_screen(), expected.at_step(view.scale()).convertToFormat(QImage::Format_RGB32)) << "field " << i;
    }
  }
  // Hidden and shown again, the window is repainted whole from the cells.
  window.hide();
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  EXPECT_EQ(on_screen(), expected.at_step(view.scale()).convertToFormat(QImage::Format_RGB32));
}

TEST_F(FieldOnScreen, OnlyTheCellsWhosePictureChangesAreRepainted) {
  World w;  // all bare ground
  view.field_draw(w);
  show();
  recorder.painted = QRegion();
  recorder.events = 0;
  w.p_map[3][2] = 1;     // a new picture
  w.p_map[16][16] = 2;   // the last cell, a whole sprite
  w.ani_map[9][5] = 1;   // a herbivore on level 1...
  w.p_map[9][5] = 1;
  view.field_draw(w);
  QCoreApplication::processEvents();
  const QRegion first =
      QRegion(FieldView::owned_rect(3, 2)) + FieldView::owned_rect(16, 16) + FieldView::owned_rect(9, 5);
  EXPECT_EQ(recorder.painted, first);
  EXPECT_EQ(on_screen(), view.image());

  recorder.painted = QRegion();
  w.p_map[9][5] = 2;  // ...and on level 2: the same picture, nothing to repaint
  view.field_draw(w);
  view.field_draw(w);  // the same field again: nothing either
  QCoreApplication::processEvents();
  EXPECT_TRUE(recorder.painted.isEmpty());

  w.p_map[4][2] = 2;  // beside (3,2): one run of two cells
  w.p_map[3][2] = 2;
  view.field_draw(w);
  QCoreApplication::processEvents();
  EXPECT_EQ(recorder.painted, QRegion(FieldView::owned_rect(3, 2).united(FieldView::owned_rect(4, 2))));
  WholeSpritePainter expected;
  World all_ground;
  expected.draw(all_ground);
  expected.draw(w);
  EXPECT_EQ(view.image(), expected.image());
  EXPECT_EQ(on_screen(), expected.image());
}

TEST_F(FieldOnScreen, RendersIntoImagesOfEveryFormatAtAnOffset) {
  FieldSequence fields(9, 50, 10);
  WholeSpritePainter expected;
  for (int i = 0; i < 4; ++i) {
    const World& w = fields.next();
    view.field_draw(w);
    expected.draw(w);
  }
  struct Case {
    QImage::Format format;
    QPoint offset;
  };
  const Case cases[] = {
      {QImage::Format_RGB32, QPoint(0, 0)},
      {QImage::Format_RGB32, QPoint(13, 5)},
      {QImage::Format_ARGB32_Premultiplied, QPoint(3, 40)},
      {QImage::Format_ARGB32, QPoint(1, 1)},
      {QImage::Format_RGB16, QPoint(2, 7)},  // not plain pixels: through QPainter
      {QImage::Format_RGB888, QPoint(0, 9)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.format);
    QImage target(400, 420, c.format);
    target.fill(Qt::black);
    view.render(&target, c.offset);
    QImage want(400, 420, c.format);
    want.fill(Qt::black);
    QPainter painter(&want);
    painter.drawImage(c.offset, expected.image());
    painter.end();
    EXPECT_EQ(target, want);
  }
}

}  // namespace
}  // namespace noboria
