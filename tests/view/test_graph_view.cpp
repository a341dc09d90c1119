// The population graph: its box and labels, the sheet's grid, where a day's
// points land in each colour, what is clipped, and that the drawing is what
// the box shows, also after being hidden.
#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QWidget>
#include <vector>

#include "pixel_count.h"
#include "view/graph_view.h"

namespace noboria {
namespace {

constexpr QRgb kWhite = 0xFFFFFFFF;
constexpr QRgb kBlack = 0xFF000000;
constexpr QRgb kAlmostBlack = 0xFF010000;  // the horizontal grid lines
constexpr QRgb kBlue = 0xFF0000FF;
constexpr QRgb kRed = 0xFFFF0000;

GraphPoint day(int gra_x, int z_num, int l_num) {
  GraphPoint p;
  p.gra_x = static_cast<std::int16_t>(gra_x);
  p.z_num = p.z_prev = z_num;
  p.l_num = p.l_prev = l_num;
  return p;
}

// The pixels one kind of a day colours: the dash from x - 2 to x at the
// count, and the four pixels of the radius-1 circle round (x, y).
std::vector<QPoint> mark(int x, int y) {
  return {{x - 2, y}, {x - 1, y}, {x, y}, {x + 1, y}, {x, y - 1}, {x, y + 1}};
}

TEST(GraphBox, SizeBorderAndDrawingArea) {
  GraphView gra;
  EXPECT_EQ(gra.objectName(), QStringLiteral("gra"));
  EXPECT_EQ(gra.size(), QSize(273, 217));
  EXPECT_EQ(gra.frameWidth(), 2);
  EXPECT_EQ(gra.frameShadow(), QFrame::Sunken);
  EXPECT_EQ(gra.contentsRect(), QRect(2, 2, 269, 213));
  EXPECT_EQ(gra.image().size(), QSize(269, 213));
  EXPECT_EQ(count_colour(gra.image(), kWhite), 269 * 213);
}

TEST(GraphBox, FixedLabelsInsideTheBorder) {
  GraphView gra;
  struct Case {
    const char* name;
    const char* text;
    QRect geometry;
  };
  // (120, 0) and (120, 1560) twips, 495 x 255 twips, from inside the border.
  const Case cases[] = {{"Label2_1", "200", QRect(10, 2, 33, 17)}, {"Label2_0", "100", QRect(10, 106, 33, 17)}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto* label = gra.findChild<QLabel*>(QString::fromLatin1(c.name));
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), QString::fromLatin1(c.text));
    EXPECT_EQ(label->geometry(), c.geometry);
    EXPECT_TRUE(label->autoFillBackground());
    EXPECT_EQ(label->palette().color(QPalette::Window), QColor(Qt::white));
  }
}

TEST(GraphSheet, GridLinesInTheirColoursClippedToTheArea) {
  GraphView gra;
  gra.new_sheet();
  const QImage& image = gra.image();
  struct Case {
    QPoint at;
    QRgb colour;
  };
  const Case cases[] = {
      // vertical lines, black, from y = 5 down past the bottom edge (212)
      {{5, 5 + 1}, kBlack}, {{5, 150}, kBlack}, {{5, 212}, kBlack},
      {{105, 50}, kBlack}, {{205, 50}, kBlack}, {{205, 212}, kBlack},
      // horizontal lines, RGB(1,0,0), drawn after and so over the crossings
      {{5, 5}, kAlmostBlack}, {{150, 5}, kAlmostBlack}, {{255, 5}, kAlmostBlack},
      {{105, 105}, kAlmostBlack}, {{255, 105}, kAlmostBlack}, {{205, 205}, kAlmostBlack},
      // around them, white
      {{4, 50}, kWhite}, {{6, 50}, kWhite}, {{256, 5}, kWhite}, {{50, 4}, kWhite},
      {{50, 6}, kWhite}, {{5, 4}, kWhite}, {{268, 212}, kWhite}, {{150, 150}, kWhite},
  };
  for (const Case& c : cases)
    EXPECT_EQ(image.pixel(c.at), c.colour) << c.at.x() << "," << c.at.y();
  // Three vertical lines of 208 visible pixels less the three crossings each,
  // three horizontal lines of 251.
  EXPECT_EQ(count_colour(image, kBlack), 3 * 208 - 9);
  EXPECT_EQ(count_colour(image, kAlmostBlack), 3 * 251);
}

TEST(GraphSheet, NewSheetWipesEarlierDays) {
  GraphView gra;
  gra.new_sheet();
  const QImage clean = gra.image();
  gra.plot(day(2, 50, 60));
  ASSERT_NE(gra.image(), clean);
  gra.new_sheet();
  EXPECT_EQ(gra.image(), clean);
}

TEST(GraphPlot, EachKindDrawsItsDashAndCircleAtTheDaysPlace) {
  struct Case {
    int gra_x, z_num, l_num, x;
  };
  const Case cases[] = {
      {2, 50, 80, 7},      // first day of a sheet
      {4, 120, 3, 9},      // second day
      {198, 10, 200, 203}, // 99th day, the last of a sheet
      {100, 0, 7, 105},    // a count of 0 lies on the baseline
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.gra_x);
    GraphView gra;
    gra.new_sheet();
    gra.plot(day(c.gra_x, c.z_num, c.l_num));
    const QImage& image = gra.image();
    for (QPoint p : mark(c.x, 205 - c.z_num)) EXPECT_EQ(image.pixel(p), kBlue) << p.x() << "," << p.y();
    for (QPoint p : mark(c.x, 205 - c.l_num)) EXPECT_EQ(image.pixel(p), kRed) << p.x() << "," << p.y();
    EXPECT_EQ(count_colour(image, kBlue), 6);
    EXPECT_EQ(count_colour(image, kRed), 6);
    // The circle is an outline: its corners stay as they were.
    EXPECT_NE(image.pixel(c.x + 1, 205 - c.z_num - 1), kBlue);
    EXPECT_NE(image.pixel(c.x + 2, 205 - c.z_num), kBlue);
  }
}

TEST(GraphPlot, SegmentRunsFromThePreviousCount) {
  GraphView gra;
  gra.new_sheet();
  GraphPoint p = day(20, 50, 100);
  p.z_prev = 48;  // two up, two back: a diagonal
  gra.plot(p);
  const QImage& image = gra.image();
  EXPECT_EQ(image.pixel(25, 155), kBlue);
  EXPECT_EQ(image.pixel(24, 156), kBlue);
  EXPECT_EQ(image.pixel(23, 157), kBlue);
  EXPECT_EQ(image.pixel(23, 155), kWhite);
}

TEST(GraphPlot, CarnivoresLieOnTopWhereCountsAreEqual) {
  GraphView gra;
  gra.new_sheet();
  gra.plot(day(2, 50, 50));
  for (QPoint p : mark(7, 155)) EXPECT_EQ(gra.image().pixel(p), kRed);
  EXPECT_EQ(count_colour(gra.image(), kBlue), 0);
}

TEST(GraphPlot, CountsAboveTheTopDoNotShow) {
  for (int count : {207, 256, 100000}) {
    SCOPED_TRACE(count);
    GraphView gra;
    gra.new_sheet();
    const QImage before = gra.image();
    gra.plot(day(2, count, count));
    EXPECT_EQ(gra.image(), before);
  }
}

TEST(GraphPlot, ClippedAtTheRightEdgeOfTheArea) {
  GraphView gra;
  gra.new_sheet();
  // x = 269 is just past the last column (268): only the dash's first two
  // pixels and the circle's left pixel, which coincides, show.
  gra.plot(day(264, 30, 300));
  EXPECT_EQ(gra.image().pixel(267, 175), kBlue);
  EXPECT_EQ(gra.image().pixel(268, 175), kBlue);
  EXPECT_EQ(count_colour(gra.image(), kBlue), 2);
  EXPECT_EQ(count_colour(gra.image(), kRed), 0);
}

TEST(GraphShown, TheBoxShowsTheDrawingAlsoAfterHideAndShow) {
  QWidget window;
  window.resize(664, 520);
  GraphView gra(&window);
  gra.move(384, 296);
  gra.new_sheet();
  gra.plot(day(2, 50, 80));
  window.show();
  const QImage first = gra.grab().toImage().convertToFormat(QImage::Format_RGB32);
  // Drawing area behind the 2-pixel border.
  EXPECT_EQ(first.pixel(2 + 7, 2 + 155), kBlue);
  EXPECT_EQ(first.pixel(2 + 7, 2 + 125), kRed);
  EXPECT_EQ(first.pixel(2 + 5, 2 + 150), kBlack);
  // The label "200" lies over the top line with its white background.
  EXPECT_EQ(first.pixel(2 + 39, 2 + 5), kWhite);
  EXPECT_EQ(first.pixel(2 + 45, 2 + 5), kAlmostBlack);
  // A sunken border: darker at the top and left than at the bottom and right.
  EXPECT_LT(qGray(first.pixel(0, 100)), qGray(first.pixel(272, 100)));
  EXPECT_LT(qGray(first.pixel(100, 1)), qGray(first.pixel(100, 215)));
  EXPECT_NE(first.pixel(1, 100), kWhite);
  window.hide();
  window.show();
  const QImage again = gra.grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(again, first);
  // A day drawn while the window is hidden shows when it comes back.
  window.hide();
  gra.plot(day(4, 60, 90));
  window.show();
  const QImage later = gra.grab().toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(later.pixel(2 + 9, 2 + 145), kBlue);
  EXPECT_EQ(later.pixel(2 + 7, 2 + 155), kBlue);
}

}  // namespace
}  // namespace noboria
