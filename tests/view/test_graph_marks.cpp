// A day's marks on the graph are set pixel by pixel from shapes QPainter drew
// once: every mark must match QPainter drawing it on the sheet, clipped ones
// at the edges included, and only the few pixels round it are repainted.
#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QPen>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <vector>

#include "view/graph_view.h"

namespace noboria {
namespace {

GraphPoint day(int gra_x, int z_num, int z_prev, int l_num, int l_prev) {
  GraphPoint p;
  p.gra_x = static_cast<std::int16_t>(gra_x);
  p.z_num = z_num;
  p.z_prev = z_prev;
  p.l_num = l_num;
  p.l_prev = l_prev;
  return p;
}

// The day's marks drawn with QPainter straight onto a copy of the sheet: per
// kind a dash back to the previous count and the four pixels round the point.
QImage drawn_with_qpainter(QImage sheet, const GraphPoint& p) {
  QPainter painter(&sheet);
  const int x = static_cast<std::int16_t>(p.gra_x + 5);
  const auto mark = [&](qint32 count, qint32 previous, QColor colour) {
    painter.setPen(QPen(colour, 1, Qt::SolidLine));
    const float y = 205.0f - static_cast<float>(count);
    const float y_previous = 205.0f - static_cast<float>(previous);
    painter.drawLine(QPointF(x, y), QPointF(x - 2, y_previous));
    painter.drawPoints(QPolygonF({QPointF(x + 1, y), QPointF(x, y + 1), QPointF(x - 1, y), QPointF(x, y - 1)}));
  };
  mark(p.z_num, p.z_prev, QColor(0, 0, 255));
  mark(p.l_num, p.l_prev, QColor(255, 0, 0));
  return sheet;
}

// Every rise from -260 to 260, with the kinds crossing, at the sheet's left,
// middle and right and at counts near the top and bottom edges.
std::vector<GraphPoint> days_to_try() {
  std::vector<GraphPoint> days;
  for (int rise = -260; rise <= 260; ++rise) {
    const int previous = rise < 0 ? 256 : 0;
    days.push_back(day(2 + 2 * ((rise + 260) % 99), previous + rise, previous, 120 - rise / 3, 120));
  }
  for (int gra_x : {0, 2, 100, 198, 258, 262, 264, 266, 300, -10})
    for (int count : {-8, -7, -6, -1, 0, 1, 2, 150, 203, 204, 205, 206, 207, 256, 1000})
      for (int previous : {0, 1, 204, 205, count + 1, count - 1})
        days.push_back(day(gra_x, count, previous, previous, count));
  days.push_back(day(2, 2147483647, -2147483647 - 1, 50, 50));
  days.push_back(day(32767, 50, 50, 60, 60));
  return days;
}

TEST(GraphMarks, EveryMarkIsWhatQPainterDrawsOnTheSheet) {
  GraphView gra;
  gra.new_sheet();
  const QImage sheet = gra.image();
  int n = 0;
  for (const GraphPoint& p : days_to_try()) {
    gra.new_sheet();
    gra.plot(p);
    ASSERT_EQ(gra.image(), drawn_with_qpainter(sheet, p))
        << "day " << n << ": x " << p.gra_x << " z " << p.z_num << "<-" << p.z_prev << " l " << p.l_num << "<-"
        << p.l_prev;
    ++n;
  }
}

TEST(GraphMarks, DaysOnTopOfEachOtherAddUpAsWithQPainter) {
  GraphView gra;
  gra.new_sheet();
  QImage expected = gra.image();
  int z = 40;
  int l = 20;
  for (int d = 1; d <= 99; ++d) {
    const int z_next = (z * 7 + d * 13) % 230;
    const int l_next = (l * 5 + d * 3) % 210;
    const GraphPoint p = day(2 * d, z_next, z, l_next, l);
    gra.plot(p);
    expected = drawn_with_qpainter(expected, p);
    z = z_next;
    l = l_next;
  }
  EXPECT_EQ(gra.image(), expected);
}

TEST(GraphMarks, PlotRectHoldsEveryPixelTheDayChanges) {
  for (const GraphPoint& p : days_to_try()) {
    GraphView gra;
    gra.new_sheet();
    const QImage before = gra.image();
    gra.plot(p);
    const QRect rect = GraphView::plot_rect(p);
    const QImage& after = gra.image();
    for (int y = 0; y < after.height(); ++y) {
      for (int x = 0; x < after.width(); ++x) {
        if (after.pixel(x, y) == before.pixel(x, y)) continue;
        ASSERT_TRUE(rect.contains(x, y)) << x << "," << y << " outside " << rect.x() << "," << rect.y() << " "
                                         << rect.width() << "x" << rect.height();
      }
    }
    EXPECT_TRUE(QRect(QPoint(0, 0), GraphView::kAreaSize).contains(rect) || rect.isEmpty());
  }
}

TEST(GraphMarks, PlotRectIsTheSmallBoxRoundTheMarks) {
  struct Case {
    GraphPoint p;
    QRect rect;
  };
  const Case cases[] = {
      // x = 7; counts 50 and 80 at y 155 and 125, both level.
      {day(2, 50, 50, 80, 80), QRect(QPoint(4, 123), QPoint(9, 157))},
      // x = 105; rising from 10 to 13: y 195 back to 192.
      {day(100, 13, 10, 13, 10), QRect(QPoint(102, 190), QPoint(107, 197))},
      // Above the top: nothing shows.
      {day(2, 300, 300, 400, 400), QRect()},
      // Past the right edge (x = 269 and more): only the columns still inside.
      {day(264, 30, 30, 30, 30), QRect(QPoint(266, 173), QPoint(268, 177))},
      {day(300, 30, 30, 30, 30), QRect()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.p.gra_x);
    EXPECT_EQ(GraphView::plot_rect(c.p), c.rect);
  }
}

class PaintRecorder final : public QObject {
 public:
  explicit PaintRecorder(QWidget& widget) { widget.installEventFilter(this); }
  QRegion painted;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) painted += static_cast<QPaintEvent*>(event)->region();
    return false;
  }
};

TEST(GraphMarks, ADayRepaintsOnlyItsMarksAndANewSheetTheWholeArea) {
  QWidget window;
  window.resize(664, 520);
  GraphView gra(&window);
  gra.move(384, 296);
  PaintRecorder recorder(gra);
  gra.new_sheet();
  const QImage sheet = gra.image();
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  QCoreApplication::processEvents();

  recorder.painted = QRegion();
  const GraphPoint p = day(40, 60, 58, 90, 95);
  gra.plot(p);
  QCoreApplication::processEvents();
  EXPECT_EQ(recorder.painted, QRegion(GraphView::plot_rect(p).translated(2, 2)));
  // The window shows the day's marks.
  const QRect marks = GraphView::plot_rect(p);
  const QImage shown = window.screen()->grabWindow(window.winId()).toImage().convertToFormat(QImage::Format_RGB32);
  EXPECT_EQ(shown.copy(marks.translated(gra.pos() + QPoint(2, 2))), gra.image().copy(marks));
  EXPECT_EQ(gra.image().copy(marks), drawn_with_qpainter(sheet, p).copy(marks));

  recorder.painted = QRegion();
  gra.new_sheet();
  QCoreApplication::processEvents();
  // The labels "200" and "100" paint themselves.
  QRegion area(gra.contentsRect());
  for (const QLabel* label : gra.findChildren<QLabel*>()) area -= label->geometry();
  EXPECT_EQ(recorder.painted, area);
}

}  // namespace
}  // namespace noboria
