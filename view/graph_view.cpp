#include "view/graph_view.h"

#include <QLabel>
#include <QPaintEvent>
#include <QPainter>

#include "form/layout.h"

namespace noboria {

namespace {

// A fixed label inside the box, placed from the inside of the border.
void add_label(QWidget* box, const GraphLabel& l) {
  auto* label = new QLabel(QString::fromUtf8(l.text.data(), static_cast<qsizetype>(l.text.size())), box);
  label->setObjectName(QString::fromUtf8(l.role.data(), static_cast<qsizetype>(l.role.size())));
  label->setGeometry(GraphView::kBorder + px(l.left), GraphView::kBorder + px(l.top), px(l.width), px(l.height));
  QPalette palette = label->palette();
  palette.setColor(QPalette::Window, Qt::white);
  label->setPalette(palette);
  label->setAutoFillBackground(true);
}

}  // namespace

GraphView::GraphView(QWidget* parent) : QFrame(parent) {
  setObjectName(QStringLiteral("gra"));
  setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
  setLineWidth(kBorder);
  setFixedSize(kOuterSize);
  setAttribute(Qt::WA_OpaquePaintEvent);
  const PixelImage& pixels = painter_.image();
  shown_ = QImage(reinterpret_cast<const uchar*>(pixels.pixels.data()), pixels.width, pixels.height,
                  pixels.width * 4, QImage::Format_RGB32);
  for (const GraphLabel& label : kGraphLabels) add_label(this, label);
}

void GraphView::new_sheet() {
  painter_.new_sheet();
  update(contentsRect());
}

void GraphView::plot(const GraphPoint& p) {
  painter_.plot(p);
  const PixelRect changed = GraphPainter::plot_rect(p);
  if (!changed.empty()) update(QRect(changed.x, changed.y, changed.width, changed.height).translated(contentsRect().topLeft()));
}

void GraphView::paintEvent(QPaintEvent* event) {
  QPainter painter(this);
  const QRect area = contentsRect();
  const QRegion& region = event->region();
  if (area.contains(region.boundingRect())) {
    // A day's marks: plain copies, and the border is untouched.
    for (const QRect& r : region) painter.drawImage(r.topLeft(), shown_, r.translated(-area.topLeft()));
    return;
  }
  painter.setClipRegion(region);
  painter.drawImage(area.topLeft(), shown_);
  drawFrame(&painter);
}

}  // namespace noboria
