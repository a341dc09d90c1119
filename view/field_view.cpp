#include "view/field_view.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>

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

}  // namespace

FieldView::FieldView(QWidget* parent) : QWidget(parent) {
  for (auto& column : shown_) column.fill(-1);
  setGeometry(window_rect());
  setFixedSize(window_rect().size());
  // Every pixel comes from the kept image: nothing to erase first.
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

int FieldView::scale_for(qreal device_pixel_ratio) {
  return std::max(1, static_cast<int>(std::floor(device_pixel_ratio + 0.5)));
}

void FieldView::clear_image() {
  image_ = QImage(window_rect().size() * step_, QImage::Format_RGB32);
  image_.setDevicePixelRatio(step_);
  image_.fill(kWindowBackground);
}

void FieldView::blit(int x, int y, int k, uchar* bits, qsizetype bytes_per_line) {
  const QImage& sprite = sprites_[k];
  const uchar* source = sprite.constBits();
  const qsizetype source_bytes_per_line = sprite.bytesPerLine();
  const int left = (kCellPixel[x - 1] - kCellPixel[0]) * step_;
  const int top = (kCellPixel[y - 1] - kCellPixel[0]) * step_;
  const int side = kSpriteSize * step_;
  const std::size_t row_bytes = static_cast<std::size_t>(side) * 4;
  uchar* target = bits + top * bytes_per_line + left * 4;
  for (int row = 0; row < side; ++row, target += bytes_per_line, source += source_bytes_per_line) {
    std::memcpy(target, source, row_bytes);
  }
}

void FieldView::field_draw(const World& w) {
  // Plain row copies: both images are RGB32 and every cell lies inside.
  uchar* bits = image_.bits();
  const qsizetype bytes_per_line = image_.bytesPerLine();
  for (int y = 1; y <= kFieldSize; ++y) {
    for (int x = 1; x <= kFieldSize; ++x) {
      const int p = w.p_map[x][y];
      if (p < 0 || p > 2) continue;
      const int a = w.ani_map[x][y];
      if (a < 0 || a > 2) continue;
      const int k = p + 3 * a;
      blit(x, y, k, bits, bytes_per_line);
      shown_[x - 1][y - 1] = static_cast<std::int8_t>(k);
    }
  }
  update();
}

void FieldView::set_scale(int step) {
  if (rebuild(std::max(1, step))) update();
}

bool FieldView::rebuild(int step) {
  if (step == step_) return false;
  step_ = step;
  sprites_ = field_sprites_scaled(step_);
  clear_image();
  uchar* bits = image_.bits();
  const qsizetype bytes_per_line = image_.bytesPerLine();
  for (int y = 1; y <= kFieldSize; ++y) {
    for (int x = 1; x <= kFieldSize; ++x) {
      const int k = shown_[x - 1][y - 1];
      if (k >= 0) blit(x, y, k, bits, bytes_per_line);
    }
  }
  return true;
}

void FieldView::paintEvent(QPaintEvent* event) {
  // Moved to a screen of another density: redraw once at its step.
  rebuild(scale_for(devicePixelRatioF()));
  QPainter painter(this);
  painter.setClipRegion(event->region());
  painter.drawImage(QPoint(0, 0), image_);
}

}  // namespace noboria
