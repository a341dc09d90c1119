#include "view/field_view.h"

#include <QPaintEngine>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QTransform>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <utility>

#include "view/pixels.h"

namespace noboria {

namespace {

// The window shows through wherever no sprite has been painted yet.
const QColor kWindowBackground(0xFF, 0xFF, 0xC0);

constexpr int kPitchTwips = 350;
constexpr int kFirstCellTwips = 100;

// Pixel position of column (or row) i = 1..16 in the window, rounded once.
constexpr std::array<int, kFieldSize> kCellPixel = [] {
  std::array<int, kFieldSize> px{};
  for (int i = 0; i < kFieldSize; ++i) px[i] = px_from_twips(kFirstCellTwips + kPitchTwips * i);
  return px;
}();
static_assert(kCellPixel[0] == 7 && kCellPixel[kFieldSize - 1] == 357);

// Where column (or row) i's owned pixels begin and end in the widget: each
// sprite is painted over by the next one from that one's origin on.
constexpr int own_begin(int i) { return kCellPixel[i - 1] - kCellPixel[0]; }
constexpr int own_end(int i) { return i < kFieldSize ? own_begin(i + 1) : own_begin(i) + kSpriteSize; }
constexpr int kFieldPixels = own_end(kFieldSize);
static_assert(own_end(1) == 23 && own_end(3) == 70 && kFieldPixels == 374);

// The column (or row) owning each pixel column (or row) of the widget.
constexpr std::array<std::int8_t, kFieldPixels> kOwner = [] {
  std::array<std::int8_t, kFieldPixels> owner{};
  for (int i = 1; i <= kFieldSize; ++i)
    for (int px = own_begin(i); px < own_end(i); ++px) owner[px] = static_cast<std::int8_t>(i);
  return owner;
}();

QRect sprite_rect(int x, int y) { return QRect(own_begin(x), own_begin(y), kSpriteSize, kSpriteSize); }

// Formats whose pixels an opaque RGB32 pixel is, bit for bit.
bool takes_rgb32_pixels(QImage::Format format) {
  return format == QImage::Format_RGB32 || format == QImage::Format_ARGB32 ||
         format == QImage::Format_ARGB32_Premultiplied;
}

// Copies a rect of `rows` rows of `row_bytes` bytes between RGB32 images.
void copy_rows(const uchar* source, qsizetype source_bytes_per_line, uchar* target, qsizetype target_bytes_per_line,
               int rows, std::size_t row_bytes) {
  for (int row = 0; row < rows; ++row, source += source_bytes_per_line, target += target_bytes_per_line) {
    std::memcpy(target, source, row_bytes);
  }
}

}  // namespace

FieldView::FieldView(QWidget* parent) : QWidget(parent) {
  for (auto& column : shown_) column.fill(kOwnPicture);
  setGeometry(window_rect());
  setFixedSize(window_rect().size());
  // Every pixel is painted from the cells: nothing to erase first.
  setAttribute(Qt::WA_OpaquePaintEvent);
  step_ = scale_for(devicePixelRatioF());
  sprites_ = field_sprites_scaled(step_);
  clear_image();
}

QPoint FieldView::cell_origin(int x, int y) {
  return {px_from_twips(kFirstCellTwips + kPitchTwips * (x - 1)),
          px_from_twips(kFirstCellTwips + kPitchTwips * (y - 1))};
}

QRect FieldView::window_rect() {
  // From the first cell's corner to the far edge of the last sprite.
  const QPoint first = cell_origin(1, 1);
  const QPoint last = cell_origin(kFieldSize, kFieldSize);
  return QRect(first, last + QPoint(kSpriteSize - 1, kSpriteSize - 1));
}

QRect FieldView::owned_rect(int x, int y) {
  return QRect(QPoint(own_begin(x), own_begin(y)), QPoint(own_end(x) - 1, own_end(y) - 1));
}

int FieldView::scale_for(qreal device_pixel_ratio) {
  return std::max(1, static_cast<int>(std::floor(device_pixel_ratio + 0.5)));
}

const QImage& FieldView::image() const {
  catch_up();
  return image_;
}

void FieldView::clear_image() {
  image_ = QImage(window_rect().size() * step_, QImage::Format_RGB32);
  image_.setDevicePixelRatio(step_);
  image_.fill(kWindowBackground);
}

void FieldView::copy_sprite(int k, int x, int y, const QRect& part, QImage& target, QPoint offset) const {
  const QImage& sprite = sprites_[k];
  const QPoint from = (part.topLeft() - sprite_rect(x, y).topLeft()) * step_;
  const QPoint to = part.topLeft() * step_ + offset;
  copy_rows(sprite.constBits() + from.y() * sprite.bytesPerLine() + from.x() * 4, sprite.bytesPerLine(),
            target.bits() + to.y() * target.bytesPerLine() + to.x() * 4, target.bytesPerLine(),
            part.height() * step_, static_cast<std::size_t>(part.width() * step_) * 4);
}

void FieldView::copy_cell(int x, int y, const QRect& part, QImage& target, QPoint offset) const {
  const int k = shown_[x - 1][y - 1];
  if (k >= 0) {
    copy_sprite(k, x, y, part, target, offset);
    return;
  }
  const QPoint from = part.topLeft() * step_;
  const QPoint to = from + offset;
  copy_rows(image_.constBits() + from.y() * image_.bytesPerLine() + from.x() * 4, image_.bytesPerLine(),
            target.bits() + to.y() * target.bytesPerLine() + to.x() * 4, target.bytesPerLine(),
            part.height() * step_, static_cast<std::size_t>(part.width() * step_) * 4);
}

void FieldView::catch_up() const {
  if (!any_behind_) return;
  for (int x = 1; x <= kFieldSize; ++x) {
    for (int y = 1; y <= kFieldSize; ++y) {
      if (!behind_[x - 1][y - 1]) continue;
      copy_sprite(shown_[x - 1][y - 1], x, y, owned_rect(x, y), image_, QPoint());
      behind_[x - 1][y - 1] = false;
    }
  }
  any_behind_ = false;
}

void FieldView::field_draw(const World& w) {
  // Painting each cell's owned rect gives what painting every whole sprite in
  // row order gives. So a cell only records its sprite, and only the cells
  // whose sprite changes are shown anew.
  constexpr std::int8_t kSkipped = -1;
  CellGrid sprite;
  std::array<std::array<bool, kFieldSize>, kFieldSize> changed{};  // [y - 1][x - 1]
  bool any_skipped = false;
  for (int y = 1; y <= kFieldSize; ++y) {
    for (int x = 1; x <= kFieldSize; ++x) {
      const int p = w.p_map[x][y];
      const int a = w.ani_map[x][y];
      if (p < 0 || p > 2 || a < 0 || a > 2) {
        sprite[x - 1][y - 1] = kSkipped;
        any_skipped = true;
        continue;
      }
      const auto k = static_cast<std::int8_t>(sprite_picture(p + 3 * a));
      sprite[x - 1][y - 1] = k;
      if (shown_[x - 1][y - 1] == k) continue;
      shown_[x - 1][y - 1] = k;
      behind_[x - 1][y - 1] = true;
      any_behind_ = true;
      changed[y - 1][x - 1] = true;
    }
  }
  if (any_skipped) {
    // A skipped cell keeps its picture except where the whole sprites of the
    // painted cells before it reach in: the one-pixel strips at 23-pixel
    // pitches, painted in row order as the whole sprites would be.
    for (int y = 1; y <= kFieldSize; ++y) {
      for (int x = 1; x <= kFieldSize; ++x) {
        if (sprite[x - 1][y - 1] != kSkipped) continue;
        const QRect own = owned_rect(x, y);
        for (const auto& [nx, ny] : {std::pair(x - 1, y - 1), std::pair(x, y - 1), std::pair(x - 1, y)}) {
          if (nx < 1 || ny < 1 || sprite[nx - 1][ny - 1] == kSkipped) continue;
          const QRect part = sprite_rect(nx, ny) & own;
          if (part.isEmpty()) continue;
          if (shown_[x - 1][y - 1] != kOwnPicture) {
            // From now on the kept image holds this cell's picture.
            if (behind_[x - 1][y - 1]) copy_sprite(shown_[x - 1][y - 1], x, y, own, image_, QPoint());
            behind_[x - 1][y - 1] = false;
            shown_[x - 1][y - 1] = kOwnPicture;
          }
          copy_sprite(sprite[nx - 1][ny - 1], nx, ny, part, image_, QPoint());
          changed[y - 1][x - 1] = true;
        }
      }
    }
  }
  // Row by row, runs of changed cells left to right: already the banded,
  // sorted, non-touching rects a region is made of.
  std::array<QRect, kFieldSize * kFieldSize> rects;
  int count = 0;
  for (int y = 1; y <= kFieldSize; ++y) {
    for (int x = 1; x <= kFieldSize;) {
      if (!changed[y - 1][x - 1]) {
        ++x;
        continue;
      }
      const int first = x;
      while (x <= kFieldSize && changed[y - 1][x - 1]) ++x;
      rects[count++] = QRect(QPoint(own_begin(first), own_begin(y)), QPoint(own_end(x - 1) - 1, own_end(y) - 1));
    }
  }
  QRegion region;
  region.setRects(rects.data(), count);
  if (!region.isEmpty()) update(region);
}

void FieldView::set_scale(int step) {
  if (rebuild(std::max(1, step))) update();
}

bool FieldView::rebuild(int step) {
  if (step == step_) return false;
  catch_up();
  // Every pixel of the kept image is a block of step x step device pixels,
  // so the image is resampled block by block, whatever its cells hold.
  const QImage old = image_;
  const int old_step = step_;
  step_ = step;
  sprites_ = field_sprites_scaled(step_);
  clear_image();
  for (int row = 0; row < image_.height(); ++row) {
    const auto* source = reinterpret_cast<const QRgb*>(old.constScanLine(row / step_ * old_step));
    auto* target = reinterpret_cast<QRgb*>(image_.scanLine(row));
    for (int column = 0; column < image_.width(); ++column) target[column] = source[column / step_ * old_step];
  }
  return true;
}

bool FieldView::paint_directly(QPainter& painter, const QRegion& region) const {
  // Into an image (the window's backing store) at this widget's step with a
  // whole-pixel offset, the cells are copied straight in: no pass through the
  // kept image, and nothing the event does not ask for.
  QPaintEngine* engine = painter.paintEngine();
  QPaintDevice* device = engine ? engine->paintDevice() : nullptr;
  if (!device || device->devType() != QInternal::Image) return false;
  auto& target = *static_cast<QImage*>(device);
  if (!takes_rgb32_pixels(target.format())) return false;
  const QTransform transform = painter.deviceTransform();
  if (transform.type() > QTransform::TxScale || transform.m11() != step_ || transform.m22() != step_ ||
      transform.dx() != std::floor(transform.dx()) || transform.dy() != std::floor(transform.dy()))
    return false;
  const QPoint offset(static_cast<int>(transform.dx()), static_cast<int>(transform.dy()));
  const QRect widget_rect(0, 0, kFieldPixels, kFieldPixels);
  for (const QRect& r : region) {
    if (!widget_rect.contains(r) || !target.rect().contains(QRect(r.topLeft() * step_ + offset, r.size() * step_)))
      return false;
  }
  for (const QRect& r : region) {
    for (int y = kOwner[r.top()]; y <= kFieldSize && own_begin(y) <= r.bottom(); ++y) {
      for (int x = kOwner[r.left()]; x <= kFieldSize && own_begin(x) <= r.right(); ++x) {
        copy_cell(x, y, owned_rect(x, y) & r, target, offset);
      }
    }
  }
  return true;
}

void FieldView::paintEvent(QPaintEvent* event) {
  // Moved to a screen of another density: redraw once at its step.
  rebuild(scale_for(devicePixelRatioF()));
  QPainter painter(this);
  if (paint_directly(painter, event->region())) return;
  // Elsewhere (a grab into a pixmap) or at a ratio between steps: through
  // QPainter, from the kept image.
  catch_up();
  painter.setClipRegion(event->region());
  painter.drawImage(QPoint(0, 0), image_);
}

}  // namespace noboria
