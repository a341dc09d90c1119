#include "view/graph_view.h"

#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QPen>
#include <QPolygonF>
#include <cstdint>

#include "view/pixels.h"

namespace noboria {

namespace {

const QColor kHerbivoreBlue(0, 0, 255);
const QColor kCarnivoreRed(255, 0, 0);
const QColor kVerticalLine(0, 0, 0);
const QColor kHorizontalLine(1, 0, 0);  // looks black, yet is not the day lines' colour

constexpr int kBaseline = 205;  // y of a count of 0; one pixel up per animal
constexpr int kSheetLeft = 5;   // x of gra_x = 0

// A fixed label inside the box; position and size in twips from the inside
// of the border.
void add_label(QWidget* box, const char* name, const char* text, int left, int top) {
  auto* label = new QLabel(QString::fromLatin1(text), box);
  label->setObjectName(QString::fromLatin1(name));
  label->setGeometry(GraphView::kBorder + px_from_twips(left), GraphView::kBorder + px_from_twips(top),
                     px_from_twips(495), px_from_twips(255));
  QPalette palette = label->palette();
  palette.setColor(QPalette::Window, Qt::white);
  label->setPalette(palette);
  label->setAutoFillBackground(true);
}

// Outline of a circle of whole radius r, by the midpoint rule: for radius 1
// the four pixels beside the centre. (QPainter's own ellipse at this size is
// lopsided.)
void draw_circle(QPainter& painter, QPointF centre, int r) {
  QPolygonF points;
  for (int x = r, y = 0, err = 1 - r; x >= y;) {
    for (QPointF d : {QPointF(x, y), QPointF(y, x), QPointF(-y, x), QPointF(-x, y), QPointF(-x, -y),
                      QPointF(-y, -x), QPointF(y, -x), QPointF(x, -y)})
      points << centre + d;
    ++y;
    if (err < 0) {
      err += 2 * y + 1;
    } else {
      --x;
      err += 2 * (y - x) + 1;
    }
  }
  painter.drawPoints(points);
}

void draw_series(QPainter& painter, int x, qint32 count, qint32 previous, const QColor& colour) {
  painter.setPen(QPen(colour, 1, Qt::SolidLine));
  // The counts reach the drawing as 32-bit floats.
  const float y = static_cast<float>(kBaseline) - static_cast<float>(count);
  const float y_previous = static_cast<float>(kBaseline) - static_cast<float>(previous);
  painter.drawLine(QPointF(x, y), QPointF(x - 2, y_previous));
  draw_circle(painter, QPointF(x, y), 1);
}

}  // namespace

GraphView::GraphView(QWidget* parent) : QFrame(parent) {
  setObjectName(QStringLiteral("gra"));
  setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
  setLineWidth(kBorder);
  setFixedSize(kOuterSize);
  setAttribute(Qt::WA_OpaquePaintEvent);
  image_ = QImage(kAreaSize, QImage::Format_RGB32);
  image_.fill(Qt::white);
  add_label(this, "Label2_1", "200", 120, 0);
  add_label(this, "Label2_0", "100", 120, 1560);
}

void GraphView::new_sheet() {
  image_.fill(Qt::white);
  QPainter painter(&image_);
  painter.setPen(QPen(kVerticalLine, 1, Qt::SolidLine));
  for (int x : {5, 105, 205}) painter.drawLine(x, 5, x, 255);
  painter.setPen(QPen(kHorizontalLine, 1, Qt::SolidLine));
  for (int y : {5, 105, 205}) painter.drawLine(5, y, 255, y);
  painter.end();
  update(contentsRect());
}

void GraphView::plot(const GraphPoint& p) {
  const int x = static_cast<std::int16_t>(p.gra_x + kSheetLeft);
  QPainter painter(&image_);
  painter.setBrush(Qt::NoBrush);
  draw_series(painter, x, p.z_num, p.z_prev, kHerbivoreBlue);
  draw_series(painter, x, p.l_num, p.l_prev, kCarnivoreRed);  // last, so red lies on top
  painter.end();
  update(contentsRect());
}

void GraphView::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  painter.setClipRegion(event->region());
  painter.drawImage(contentsRect().topLeft(), image_);
  drawFrame(&painter);
}

}  // namespace noboria
