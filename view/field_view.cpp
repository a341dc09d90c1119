#include "view/field_view.h"

#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

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
  draw_waiting();
  if (step_ == 1) return shown_;
  if (scaled_stale_) {
    scaled_ = shown_.scaled(shown_.size() * step_);  // no smoothing: whole blocks
    scaled_.setDevicePixelRatio(step_);
    scaled_stale_ = false;
  }
  return scaled_;
}

namespace {

bool every_cell_has_a_picture(const World& w) {
  for (int x = 1; x <= kFieldSize; ++x) {
    for (int y = 1; y <= kFieldSize; ++y) {
      if (w.p_map[x][y] < 0 || w.p_map[x][y] > 2 || w.ani_map[x][y] < 0 || w.ani_map[x][y] > 2) return false;
    }
  }
  return true;
}

}  // namespace

void FieldView::field_draw(const World& w) {
  // A cell without a picture of its own keeps the one the waiting field gives it.
  if (waiting_ && !every_cell_has_a_picture(w)) draw_waiting();
  if (!waiting_) waiting_ = std::make_unique<World>();
  *waiting_ = w;
  if (!holding_) draw_waiting();
}

void FieldView::draw_held() {
  holding_ = false;
  draw_waiting();
}

void FieldView::draw_waiting() const {
  if (!waiting_) return;
  const std::unique_ptr<World> w = std::move(waiting_);
  painter_.field_draw(*w);
  const std::vector<PixelRect>& changed = painter_.changed();
  if (changed.empty()) return;
  scaled_stale_ = true;
  // One rect for each row of cells, from its first changed cell to its last:
  // a copy of the few unchanged cells between costs less than a region of
  // many rects does at each step of the repaint. The painter's rects come in
  // rows, top to bottom, so the region takes the row rects as they are.
  std::vector<QRect> rects;
  for (const PixelRect& r : changed) {
    if (!rects.empty() && rects.back().top() == r.y) {
      rects.back().setRight(r.x + r.width - 1);
    } else {
      rects.push_back(to_qrect(r));
    }
  }
  QRegion region;
  region.setRects(rects.data(), static_cast<int>(rects.size()));
  const_cast<FieldView*>(this)->update(region);
}

bool FieldView::copy_directly(QPainter& painter, const QRegion& region) const {
  // Into an image (the window's backing store) at one device pixel a pixel
  // and a whole-pixel offset, each rect is a few plain row copies, without
  // QPainter's per-image set-up.
  QPaintEngine* engine = painter.paintEngine();
  QPaintDevice* device = engine ? engine->paintDevice() : nullptr;
  if (!device || device->devType() != QInternal::Image) return false;
  auto& target = *static_cast<QImage*>(device);
  const QImage::Format format = target.format();
  if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32 &&
      format != QImage::Format_ARGB32_Premultiplied)
    return false;  // the field is opaque, so its pixels are those formats' pixels bit for bit
  const QTransform transform = painter.deviceTransform();
  if (transform.type() > QTransform::TxTranslate || transform.dx() != std::floor(transform.dx()) ||
      transform.dy() != std::floor(transform.dy()))
    return false;
  const QPoint offset(static_cast<int>(transform.dx()), static_cast<int>(transform.dy()));
  for (const QRect& r : region) {
    if (!shown_.rect().contains(r) || !target.rect().contains(r.translated(offset))) return false;
  }
  // Row addresses from the first pixel: scanLine() checks for sharing at every call.
  uchar* const to = target.bits();
  const uchar* const from = shown_.constBits();
  const qsizetype to_line = target.bytesPerLine();
  const qsizetype from_line = shown_.bytesPerLine();
  for (const QRect& r : region) {
    const std::size_t bytes = static_cast<std::size_t>(r.width()) * 4;
    for (int y = r.top(); y <= r.bottom(); ++y) {
      std::memcpy(to + (y + offset.y()) * to_line + (r.left() + offset.x()) * 4, from + y * from_line + r.left() * 4,
                  bytes);
    }
  }
  return true;
}

void FieldView::paintEvent(QPaintEvent* event) {
  draw_waiting();
  set_scale(scale_for(devicePixelRatioF()));
  QPainter painter(this);
  if (copy_directly(painter, event->region())) return;
  // Elsewhere, or on a denser screen, where the painter enlarges each pixel
  // to a block: without smooth transformation it copies, never blends.
  for (const QRect& r : event->region()) painter.drawImage(r, shown_, r);
}

}  // namespace noboria
