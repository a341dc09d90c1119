#include "view/graph_view.h"

#include <QLabel>
#include <QPaintEvent>
#include <QPainter>
#include <QPen>
#include <QPolygonF>
#include <algorithm>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <vector>

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

// One kind's mark: the dash from the previous count, then the circle.
void draw_mark(QPainter& painter, float x, float y, float y_previous, const QColor& colour) {
  painter.setPen(QPen(colour, 1, Qt::SolidLine));
  painter.drawLine(QPointF(x, y), QPointF(x - 2, y_previous));
  draw_circle(painter, QPointF(x, y), 1);
}

void draw_series(QPainter& painter, int x, qint32 count, qint32 previous, const QColor& colour) {
  // The counts reach the drawing as 32-bit floats.
  const float y = static_cast<float>(kBaseline) - static_cast<float>(count);
  const float y_previous = static_cast<float>(kBaseline) - static_cast<float>(previous);
  draw_mark(painter, static_cast<float>(x), y, y_previous, colour);
}

// The pixels of one mark, relative to the day's point.
struct MarkShape {
  std::vector<QPoint> pixels;
  QRect bounds;  // of the pixels; empty while not yet drawn
};

// x of a day's point on the sheet, wrapped as a 16-bit position.
int plot_x(const GraphPoint& p) { return static_cast<std::int16_t>(p.gra_x + kSheetLeft); }

}  // namespace

// The marks as QPainter draws them, by their rise from the previous count
// (y_previous - y). Whole pixels drawn at whole positions come out the same
// wherever the mark stands, as long as none is clipped; so each shape is drawn
// once on a scratch image and a day's mark is then set pixel by pixel,
// sparing a QPainter on the sheet every day.
class GraphView::MarkShapes {
 public:
  static constexpr int kMaxRise = 300;  // more than a field holds

  // nullptr for a rise beyond kMaxRise.
  const MarkShape* shape(qint64 rise) {
    if (rise < -kMaxRise || rise > kMaxRise) return nullptr;
    MarkShape& entry = shapes_[static_cast<std::size_t>(rise + kMaxRise)];
    if (entry.bounds.isEmpty()) entry = draw_shape(static_cast<int>(rise));
    return &entry;
  }

 private:
  static MarkShape draw_shape(int rise) {
    // A pixel of margin all round, as on the sheet when nothing is clipped.
    const QPoint at(4, 2 + std::max(0, -rise));
    QImage scratch(7, std::abs(rise) + 5, QImage::Format_RGB32);
    const QRgb white = qRgb(255, 255, 255);
    scratch.fill(white);
    QPainter painter(&scratch);
    draw_mark(painter, static_cast<float>(at.x()), static_cast<float>(at.y()), static_cast<float>(at.y() + rise),
              Qt::black);
    painter.end();
    MarkShape shape;
    for (int y = 0; y < scratch.height(); ++y) {
      for (int x = 0; x < scratch.width(); ++x) {
        if (scratch.pixel(x, y) == white) continue;
        shape.pixels.push_back(QPoint(x, y) - at);
        shape.bounds |= QRect(shape.pixels.back(), QSize(1, 1));
      }
    }
    return shape;  // never empty: the circle is always there
  }

  std::array<MarkShape, 2 * kMaxRise + 1> shapes_;
};

GraphView::GraphView(QWidget* parent) : QFrame(parent), shapes_(std::make_unique<MarkShapes>()) {
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

GraphView::~GraphView() = default;

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

QRect GraphView::plot_rect(const GraphPoint& p) {
  // Each dash runs from x - 2 at the previous count to x at this one, and each
  // circle reaches one pixel round (x, y); one pixel more each way is spare.
  const qint64 x = plot_x(p);
  const std::array<qint64, 4> ys = {kBaseline - qint64{p.z_num}, kBaseline - qint64{p.z_prev},
                                    kBaseline - qint64{p.l_num}, kBaseline - qint64{p.l_prev}};
  const auto [top, bottom] = std::minmax_element(ys.begin(), ys.end());
  const QRect area(QPoint(0, 0), kAreaSize);
  const auto clamp = [](qint64 v, int low, int high) { return static_cast<int>(std::clamp<qint64>(v, low, high)); };
  // Clamped one pixel outside the area, so a mark wholly outside gives an empty rect.
  const QPoint top_left(clamp(x - 3, -1, area.right() + 1), clamp(*top - 2, -1, area.bottom() + 1));
  const QPoint bottom_right(clamp(x + 2, -1, area.right() + 1), clamp(*bottom + 2, -1, area.bottom() + 1));
  return QRect(top_left, bottom_right) & area;
}

void GraphView::plot(const GraphPoint& p) {
  const int x = plot_x(p);
  if (!set_marks(p)) {
    QPainter painter(&image_);
    painter.setBrush(Qt::NoBrush);
    draw_series(painter, x, p.z_num, p.z_prev, kHerbivoreBlue);
    draw_series(painter, x, p.l_num, p.l_prev, kCarnivoreRed);  // last, so red lies on top
  }
  const QRect changed = plot_rect(p);
  if (!changed.isEmpty()) update(changed.translated(contentsRect().topLeft()));
}

bool GraphView::set_marks(const GraphPoint& p) {
  const int x = plot_x(p);
  struct Mark {
    qint64 y;
    const MarkShape* shape;
    QRgb colour;
  };
  const std::array<Mark, 2> marks = {
      Mark{kBaseline - qint64{p.z_num}, shapes_->shape(qint64{p.z_num} - p.z_prev), kHerbivoreBlue.rgb()},
      Mark{kBaseline - qint64{p.l_num}, shapes_->shape(qint64{p.l_num} - p.l_prev), kCarnivoreRed.rgb()},
  };
  // Only marks that stand a pixel clear of the edges: near them QPainter clips.
  const QRect inner = image_.rect().adjusted(1, 1, -1, -1);
  for (const Mark& mark : marks) {
    if (mark.shape == nullptr || mark.y < inner.top() || mark.y > inner.bottom() ||
        !inner.contains(mark.shape->bounds.translated(x, static_cast<int>(mark.y))))
      return false;
  }
  for (const Mark& mark : marks) {  // carnivores last, so red lies on top
    for (QPoint d : mark.shape->pixels) {
      reinterpret_cast<QRgb*>(image_.scanLine(static_cast<int>(mark.y) + d.y()))[x + d.x()] = mark.colour;
    }
  }
  return true;
}

void GraphView::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect area = contentsRect();
  const QRegion& region = event->region();
  if (area.contains(region.boundingRect())) {
    // A day's marks: plain copies, and the border is untouched.
    for (const QRect& r : region) painter.drawImage(r.topLeft(), image_, r.translated(-area.topLeft()));
    return;
  }
  painter.setClipRegion(region);
  painter.drawImage(area.topLeft(), image_);
  drawFrame(&painter);
}

}  // namespace noboria
