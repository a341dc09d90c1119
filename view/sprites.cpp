#include "view/sprites.h"

#include <QColor>
#include <QtGlobal>

#include "assets/pictures.h"

namespace noboria {

namespace {

QImage load_sprite(int k) {
  ensure_pictures();
  QImage image(sprite_path(k));
  if (image.isNull() || image.size() != QSize(kSpriteSize, kSpriteSize)) {
    // Never expected: the pictures are built in. A visible square beats a crash.
    qWarning("noboria: sprite %d is missing", k);
    image = QImage(kSpriteSize, kSpriteSize, QImage::Format_RGB32);
    image.fill(QColor(255, 0, 255));
  }
  return image.convertToFormat(QImage::Format_RGB32);
}

}  // namespace

const SpriteSet& field_sprites() {
  static const SpriteSet sprites = [] {
    SpriteSet s;
    for (int k = 0; k < kSpriteCount; ++k) s[k] = load_sprite(k);
    return s;
  }();
  return sprites;
}

int sprite_picture(int k) {
  static const std::array<int, kSpriteCount> picture = [] {
    const SpriteSet& sprites = field_sprites();
    std::array<int, kSpriteCount> first{};
    for (int i = 0; i < kSpriteCount; ++i) {
      first[i] = i;
      for (int j = 0; j < i; ++j) {
        if (sprites[j] == sprites[i]) {
          first[i] = first[j];
          break;
        }
      }
    }
    return first;
  }();
  return picture[k];
}

SpriteSet field_sprites_scaled(int step) {
  SpriteSet scaled = field_sprites();
  if (step <= 1) return scaled;
  for (QImage& image : scaled) {
    image = image.scaled(image.size() * step, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                .convertToFormat(QImage::Format_RGB32);
  }
  return scaled;
}

}  // namespace noboria
