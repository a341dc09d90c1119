#include "view/field_view.h"

#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <algorithm>
#include <cmath>

#include "view/pixels.h"

namespace noboria {

namespace {

QRect to_qrect(const PixelRect& r) { return QRect(r.x, r.y, r.width, r.height); }

}  // namespace

FieldView::FieldView(QWidget* parent) : QWidget(parent) {
  const PixelImage& pixels = painter_.image();
  shown_ = QImage(reinterpret_cast<const uchar*>(pixels.pixels.data()), pixels.width, pixels.height,
                  pixels.width * 4, QImage::Format_RGB32);
  setGeometry(window_rect());
  setFixedSize(window_rect().size());
  // Every pixel is painted from the picture: nothing to erase first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  step_ = scale_for(devicePixelRatioF());
}

QPoint FieldView::cell_origin(int x, int y) {
  const int first = px_from_twips(100);
  return {first + FieldPainter::cell_offset(x), first + FieldPainter::cell_offset(y)};
}

QRect FieldView::window_rect() { return QRect(cell_origin(1, 1), QSize(FieldPainter::kPixels, FieldPainter::kPixels)); }

int FieldView::scale_for(qreal device_pixel_ratio) {
  return std::max(1, static_cast<int>(std::floor(device_pixel_ratio + 0.5)));
}

void FieldView::set_scale(int step) {
  step = std::max(1, step);
  if (step == step_) return;
  step_ = step;
  scaled_stale_ = true;
}

const QImage& FieldView::image() const {
  if (step_ == 1) return shown_;
  if (scaled_stale_) {
    scaled_ = shown_.scaled(shown_.size() * step_);  // no smoothing: whole blocks
    scaled_.setDevicePixelRatio(step_);
    scaled_stale_ = false;
  }
  return scaled_;
}

void FieldView::field_draw(const World& w) {
  painter_.field_draw(w);
  const std::vector<PixelRect>& changed = painter_.changed();
  if (changed.empty()) return;
  scaled_stale_ = true;
  QRegion region;
  for (const PixelRect& r : changed) region += to_qrect(r);
  update(region);
}

void FieldView::paintEvent(QPaintEvent* event) {
  set_scale(scale_for(devicePixelRatioF()));
  // On a denser screen the painter enlarges each pixel to a block: without
  // smooth transformation it copies, never blends.
  QPainter painter(this);
  for (const QRect& r : event->region()) painter.drawImage(r, shown_, r);
}

}  // namespace noboria
