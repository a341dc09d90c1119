// The population graph: each day's marks at x = 5 + gra_x and y = 205 - count
// on a fresh sheet, clipped to the white drawing area, and what the window
// shows of it inside the sunken border and behind the labels.
#include <gtest/gtest.h>

#include <QPainter>
#include <QScreen>
#include <QTest>

#include "view/graph_view.h"

namespace noboria {
namespace {

constexpr QRgb kAlmostBlack = 0xFF010000;  // the horizontal lines

// Three black verticals from y 5 down past the bottom, then three horizontals
// from x 5 to 255 over them.
QImage sheet() {
  QImage image(269, 213, QImage::Format_RGB32);
  image.fill(Qt::white);
  for (int at : {5, 105, 205})
    for (int y = 5; y < 213; ++y) image.setPixel(at, y, qRgb(0, 0, 0));
  for (int at : {5, 105, 205})
    for (int x = 5; x <= 255; ++x) image.setPixel(x, at, kAlmostBlack);
  return image;
}

// Herbivores in blue, then carnivores in red: a dash two pixels back to the
// previous count, and the four pixels round the point.
QImage with_marks(QImage image, const GraphPoint& p) {
  QPainter painter(&image);
  const float x = 5 + p.gra_x;
  for (auto [count, previous, colour] :
       {std::tuple(p.z_num, p.z_prev, Qt::blue), std::tuple(p.l_num, p.l_prev, Qt::red)}) {
    const float y = 205.0f - count;
    painter.setPen(QColor(colour));
    painter.drawLine(QPointF(x, y), QPointF(x - 2, 205.0f - previous));
    painter.drawPoints(QPolygonF({QPointF(x + 1, y), QPointF(x, y + 1), QPointF(x - 1, y), QPointF(x, y - 1)}));
  }
  return image;
}

TEST(Graph, WindowShowsEachDayOnAFreshSheetInsideASunkenBorder) {
  QWidget window;
  window.resize(664, 520);
  GraphView gra(&window);
  gra.move(384, 296);
  const auto screen = [&] {
    QCoreApplication::processEvents();
    const QImage shot = window.screen()->grabWindow(window.winId()).toImage();
    return shot.copy(QRect(gra.pos(), QSize(273, 217))).convertToFormat(QImage::Format_RGB32);
  };
  gra.new_sheet();
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  ASSERT_EQ(gra.size(), QSize(273, 217));
  const QImage first = screen();
  // The labels "200" and "100" hide the top and middle lines from x 8 to 40.
  for (int y : {5, 105})
    for (int x = 5; x <= 45; ++x)
      EXPECT_EQ(first.pixel(2 + x, 2 + y) == kAlmostBlack, x < 8 || x > 40) << x << "," << y;
  for (int ring : {0, 1}) {  // both rings of the border darker at the top and left
    EXPECT_LT(qGray(first.pixel(ring, 100)), qGray(first.pixel(272 - ring, 100)));
    EXPECT_LT(qGray(first.pixel(100, ring)), qGray(first.pixel(100, 216 - ring)));
  }

  const struct {
    const char* name;
    GraphPoint p;  // gra_x, z_num, z_prev, l_num, l_prev
  } days[] = {
      {"first day, level", {2, 50, 50, 80, 80}},
      {"rising and falling", {40, 60, 30, 90, 150}},
      {"steep", {100, 0, 200, 200, 0}},
      {"equal counts: red on top", {60, 70, 68, 70, 68}},
      {"last day of a sheet", {198, 10, 12, 3, 1}},
      {"at the top edge", {50, 204, 200, 205, 205}},
      {"above the top", {50, 207, 207, 1000, 900}},
      {"below the bottom", {50, -7, -7, -8, 0}},
      {"past the right edge", {264, 30, 32, 100, 100}},
  };
  for (const auto& [name, p] : days) {
    SCOPED_TRACE(name);
    gra.plot({44, 100, 100, 120, 120});  // wiped by the new sheet
    gra.new_sheet();
    screen();  // so that the day alone is repainted
    gra.plot(p);
    const QImage expected = with_marks(sheet(), p);
    EXPECT_EQ(gra.image(), expected);
    // Right of the labels, the window shows the drawing area 2 pixels in.
    EXPECT_EQ(screen().copy(2 + 41, 2, 228, 213), expected.copy(41, 0, 228, 213));
  }
}

TEST(Graph, EveryRiseOnTheSheetIsLitAsQPainterLightsIt) {
  GraphPainter painter;
  const PixelImage& pixels = painter.image();
  const QImage drawn(reinterpret_cast<const uchar*>(pixels.pixels.data()), 269, 213, 269 * 4, QImage::Format_RGB32);
  for (int count : {0, 100, 205})
    for (int previous = 0; previous <= 205; ++previous) {
      const GraphPoint p{100, count, previous, 205 - count, 205 - previous};
      painter.new_sheet();
      painter.plot(p);
      ASSERT_EQ(drawn, with_marks(sheet(), p)) << count << " after " << previous;
    }
}

}  // namespace
}  // namespace noboria
