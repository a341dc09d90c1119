// The field painter: where each cell lands in the main window, which sprite
// it shows, what a skipped cell keeps, and that the kept image is what the
// widget shows, before and after being hidden, at 1x and 2x.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QRandomGenerator>
#include <QWidget>

#include "sim/world.h"
#include "view/field_view.h"
#include "view/sprites.h"

namespace noboria {
namespace {

constexpr QRgb kWindowBackground = 0xFFFFFFC0;

World field_of(int plant, int occupant) {
  World w;
  for (int x = 0; x < kGridSize; ++x) {
    for (int y = 0; y < kGridSize; ++y) {
      w.p_map[x][y] = static_cast<std::int16_t>(plant);
      w.ani_map[x][y] = static_cast<std::int16_t>(occupant);
    }
  }
  return w;
}

World random_field(quint32 seed) {
  QRandomGenerator random(seed);
  World w;
  for (int x = 1; x <= kFieldSize; ++x) {
    for (int y = 1; y <= kFieldSize; ++y) {
      w.p_map[x][y] = static_cast<std::int16_t>(random.bounded(3));
      w.ani_map[x][y] = static_cast<std::int16_t>(random.bounded(3));
    }
  }
  return w;
}

// Pixel of the kept image at a point of the main window's client area.
QRgb at_window(const FieldView& view, QPoint window_point) {
  return view.image().pixel(window_point - FieldView::window_rect().topLeft());
}

// The same field drawn independently, with QPainter, sprite by sprite.
QImage painted_with_qpainter(const World& w) {
  QImage expected(FieldView::window_rect().size(), QImage::Format_RGB32);
  expected.fill(kWindowBackground);
  QPainter painter(&expected);
  for (int y = 1; y <= kFieldSize; ++y)
    for (int x = 1; x <= kFieldSize; ++x)
      painter.drawImage(FieldView::cell_origin(x, y) - FieldView::window_rect().topLeft(),
                        field_sprites()[w.p_map[x][y] + 3 * w.ani_map[x][y]]);
  return expected;
}

TEST(FieldGeometry, CellsStandAtTheirTwipPositionsRounded) {
  const int expected[16] = {7, 30, 53, 77, 100, 123, 147, 170, 193, 217, 240, 263, 287, 310, 333, 357};
  for (int i = 1; i <= 16; ++i) {
    EXPECT_EQ(FieldView::cell_origin(i, 1), QPoint(expected[i - 1], 7)) << i;
    EXPECT_EQ(FieldView::cell_origin(1, i), QPoint(7, expected[i - 1])) << i;
  }
  EXPECT_EQ(FieldView::cell_origin(16, 16), QPoint(357, 357));
  // Exactly the cells' bounding box: 7..380 both ways; the right-hand column
  // of the window starts at 5760 twips = 384 pixels.
  EXPECT_EQ(FieldView::window_rect(), QRect(7, 7, 374, 374));
}

TEST(FieldView, StandsAtItsWindowRectAndStartsAsWindowBackground) {
  QWidget window;
  FieldView view(&window);
  EXPECT_EQ(view.geometry(), FieldView::window_rect());
  EXPECT_EQ(view.image().size(), QSize(374, 374));
  EXPECT_EQ(view.image().format(), QImage::Format_RGB32);
  for (QPoint p : {QPoint(0, 0), QPoint(373, 373), QPoint(200, 100)})
    EXPECT_EQ(view.image().pixel(p), kWindowBackground);
}

TEST(FieldView, EveryCellShowsSpritePlantPlusThreeTimesOccupant) {
  for (int plant = 0; plant < 3; ++plant) {
    for (int occupant = 0; occupant < 3; ++occupant) {
      SCOPED_TRACE(plant + 3 * occupant);
      FieldView view;
      view.field_draw(field_of(plant, occupant));
      const QImage& sprite = field_sprites()[plant + 3 * occupant];
      // Corners of the corner cells, read in window coordinates.
      for (QPoint cell : {QPoint(1, 1), QPoint(16, 1), QPoint(1, 16), QPoint(16, 16)}) {
        const QPoint origin = FieldView::cell_origin(cell.x(), cell.y());
        EXPECT_EQ(at_window(view, origin), sprite.pixel(0, 0));
      }
      EXPECT_EQ(at_window(view, {380, 380}), sprite.pixel(23, 23));
      EXPECT_EQ(at_window(view, {380, 7}), sprite.pixel(23, 0));
      EXPECT_EQ(at_window(view, {7, 380}), sprite.pixel(0, 23));
    }
  }
}

TEST(FieldView, WholeFieldMatchesSpritesPaintedInRowOrder) {
  for (quint32 seed : {1u, 2u, 3u}) {
    const World w = random_field(seed);
    FieldView view;
    view.field_draw(w);
    EXPECT_EQ(view.image(), painted_with_qpainter(w)) << seed;
  }
}

TEST(FieldView, LaterCellsCoverTheOverlap) {
  // Cell (1,1) spans x 7..30 and cell (2,1) starts at 30: the later one wins,
  // and likewise downwards.
  World w = field_of(0, 0);
  w.p_map[1][1] = 0;  // bare ground
  w.p_map[2][1] = 2;  // dense vegetation, painted after
  w.p_map[1][2] = 1;  // grass, painted after (next row)
  FieldView view;
  view.field_draw(w);
  EXPECT_EQ(at_window(view, {30, 7}), field_sprites()[2].pixel(0, 0));
  EXPECT_EQ(at_window(view, {29, 7}), field_sprites()[0].pixel(22, 0));
  EXPECT_EQ(at_window(view, {7, 30}), field_sprites()[1].pixel(0, 0));
}

TEST(FieldView, HerbivoreOnLevelOneAndTwoLookTheSame) {
  World w = field_of(0, 0);
  w.p_map[4][4] = 1;
  w.ani_map[4][4] = 1;
  w.p_map[8][4] = 2;
  w.ani_map[8][4] = 1;
  FieldView view;
  view.field_draw(w);
  const QPoint a = FieldView::cell_origin(4, 4);
  const QPoint b = FieldView::cell_origin(8, 4);
  for (int dy = 0; dy < 23; ++dy)
    for (int dx = 0; dx < 23; ++dx)
      ASSERT_EQ(at_window(view, a + QPoint(dx, dy)), at_window(view, b + QPoint(dx, dy)));
}

TEST(FieldView, CellOutsideTheValidValuesKeepsItsPreviousPicture) {
  struct Case {
    int plant, occupant;
  };
  const Case cases[] = {{3, 0}, {-1, 0}, {0, 3}, {1, -1}, {32767, 2}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.plant << "," << c.occupant);
    FieldView view;
    view.field_draw(field_of(2, 2));  // every cell shows the lion on dark green
    World w = field_of(0, 0);
    w.p_map[5][6] = static_cast<std::int16_t>(c.plant);
    w.ani_map[5][6] = static_cast<std::int16_t>(c.occupant);
    view.field_draw(w);
    const QPoint origin = FieldView::cell_origin(5, 6);
    // Inside the skipped cell, clear of the one-pixel strips its neighbours
    // on each side may cover.
    for (int dy = 1; dy < 23; ++dy)
      for (int dx = 1; dx < 23; ++dx)
        ASSERT_EQ(at_window(view, origin + QPoint(dx, dy)), field_sprites()[8].pixel(dx, dy));
    // Its neighbours were painted over.
    EXPECT_EQ(at_window(view, FieldView::cell_origin(4, 6)), field_sprites()[0].pixel(0, 0));
  }
}

TEST(FieldView, NeverPaintedCellShowsTheWindowBackground) {
  FieldView view;
  World w = field_of(0, 0);
  w.p_map[9][9] = 3;
  view.field_draw(w);
  const QPoint origin = FieldView::cell_origin(9, 9);
  EXPECT_EQ(at_window(view, origin + QPoint(5, 5)), kWindowBackground);
}

TEST(FieldView, PaintedBeforeShownAndKeptAcrossHideAndShow) {
  QWidget window;
  window.resize(664, 520);
  FieldView view(&window);
  const World w = random_field(7);
  view.field_draw(w);  // the window has never been shown
  window.show();
  const QImage first = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(first, painted_with_qpainter(w));
  window.hide();
  window.show();
  const QImage again = view.grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(again, first);
}

TEST(FieldView, AtTwiceTheDensitySpritesAreDoubledWithoutSmoothing) {
  const World w = random_field(11);
  FieldView view;
  view.field_draw(w);
  const QImage one = view.image();
  view.set_scale(2);
  EXPECT_EQ(view.scale(), 2);
  EXPECT_EQ(view.image().size(), QSize(748, 748));
  EXPECT_EQ(view.image().devicePixelRatio(), 2.0);
  QImage doubled = one.scaled(748, 748, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  doubled.setDevicePixelRatio(2);
  EXPECT_EQ(view.image(), doubled);
  // Painting at 2x lands on the same cells.
  const World other = random_field(12);
  view.field_draw(other);
  FieldView reference;
  reference.field_draw(other);
  QImage expected = reference.image().scaled(748, 748, Qt::IgnoreAspectRatio, Qt::FastTransformation);
  expected.setDevicePixelRatio(2);
  EXPECT_EQ(view.image(), expected);
  // And back to 1x from what the cells show.
  view.set_scale(1);
  EXPECT_EQ(view.image(), reference.image());
}

TEST(FieldView, ScaleFollowsTheScreenRatioInWholeSteps) {
  EXPECT_EQ(FieldView::scale_for(1.0), 1);
  EXPECT_EQ(FieldView::scale_for(1.25), 1);
  EXPECT_EQ(FieldView::scale_for(1.5), 2);
  EXPECT_EQ(FieldView::scale_for(2.0), 2);
  EXPECT_EQ(FieldView::scale_for(3.0), 3);
  EXPECT_EQ(FieldView::scale_for(0.5), 1);
}

}  // namespace
}  // namespace noboria
