// The embedded pictures: found through the resource paths other parts load,
// at their sizes, opaque or see-through as each must be, and the sprites on
// exactly their ground colours.
#include <gtest/gtest.h>

#include <QColor>
#include <QFile>
#include <QImage>
#include <QSet>

#include "pixel_count.h"
#include "assets/pictures.h"
#include "view/sprites.h"

namespace noboria {
namespace {

QImage load(const QString& path) {
  ensure_pictures();
  return QImage(path);
}

bool fully_opaque(const QImage& image) {
  const QImage argb = image.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < argb.height(); ++y)
    for (int x = 0; x < argb.width(); ++x)
      if (qAlpha(argb.pixel(x, y)) != 255) return false;
  return true;
}

QRgb opaque(int r, int g, int b) { return qRgb(r, g, b); }

// Defined first, so it runs before anything asks for registration: linking
// the library is enough for the pictures to be there.
TEST(Pictures, PresentWithoutAsking) {
  EXPECT_TRUE(QFile::exists(kIconPath));
  EXPECT_TRUE(QFile::exists(QStringLiteral(":/sprites/sprite8.xpm")));
}

TEST(Pictures, EveryPathLoadsAtItsSize) {
  struct Case {
    QString path;
    QSize size;
  };
  std::vector<Case> cases = {
      {kLegendHerbivorePath, {32, 32}},
      {kLegendCarnivorePath, {32, 32}},
      {kIconPath, {32, 32}},
      {kAboutZebraPath, {80, 81}},
  };
  for (int k = 0; k < 9; ++k) cases.push_back({sprite_path(k), {24, 24}});
  for (const Case& c : cases) {
    SCOPED_TRACE(c.path.toStdString());
    EXPECT_TRUE(QFile::exists(c.path));
    const QImage image = load(c.path);
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), c.size);
  }
  EXPECT_EQ(sprite_path(0), QStringLiteral(":/sprites/sprite0.xpm"));
  EXPECT_EQ(sprite_path(8), QStringLiteral(":/sprites/sprite8.xpm"));
}

// Ground colour of sprite k, by plant level and occupant.
const QRgb kGround[9] = {
    opaque(0xCF, 0x8F, 0x00), opaque(0xA0, 0xFF, 0x40), opaque(0x60, 0xC0, 0x60),
    opaque(0xCF, 0x8F, 0x00), opaque(0x9C, 0xFE, 0x3C), opaque(0x9C, 0xFE, 0x3C),
    opaque(0xCF, 0x8F, 0x00), opaque(0xA0, 0xFF, 0x40), opaque(0x20, 0x80, 0x20),
};

TEST(Sprites, OpaqueWithTheirGroundAtEveryCorner) {
  const SpriteSet& sprites = field_sprites();
  for (int k = 0; k < 9; ++k) {
    SCOPED_TRACE(k);
    const QImage& s = sprites[k];
    EXPECT_EQ(s.format(), QImage::Format_RGB32);
    EXPECT_FALSE(s.hasAlphaChannel());
    EXPECT_TRUE(fully_opaque(load(sprite_path(k))));
    for (QPoint corner : {QPoint(0, 0), QPoint(23, 0), QPoint(0, 23), QPoint(23, 23)})
      EXPECT_EQ(s.pixel(corner), kGround[k]) << corner.x() << "," << corner.y();
  }
}

TEST(Sprites, PlainGroundIsMostlyItsColourWithDetails) {
  const SpriteSet& sprites = field_sprites();
  for (int k = 0; k < 3; ++k) {
    SCOPED_TRACE(k);
    const int ground = count_colour(sprites[k], kGround[k]);
    EXPECT_GT(ground, 24 * 24 / 2);  // the ground dominates
    EXPECT_LT(ground, 24 * 24);      // pebbles, tufts or flowers on it
  }
  // Flowers in red and yellow on the dense vegetation.
  EXPECT_GT(count_colour(sprites[2], opaque(0xE0, 0x28, 0x28)), 0);
  EXPECT_GT(count_colour(sprites[2], opaque(0xFF, 0xE0, 0x30)), 0);
}

TEST(Sprites, HerbivoreOnLevelsOneAndTwoIsTheSamePicture) {
  const SpriteSet& sprites = field_sprites();
  EXPECT_EQ(sprites[4], sprites[5]);
  EXPECT_EQ(load(sprite_path(4)), load(sprite_path(5)));
}

// The animal is the same in each row of the table; only the ground changes.
TEST(Sprites, SameAnimalOnEachGround) {
  const SpriteSet& sprites = field_sprites();
  const int rows[2][3] = {{3, 4, 5}, {6, 7, 8}};
  for (const auto& row : rows) {
    const QImage& first = sprites[row[0]];
    for (int i = 1; i < 3; ++i) {
      const int k = row[i];
      SCOPED_TRACE(k);
      int animal = 0;
      for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 24; ++x) {
          const bool ground_here = first.pixel(x, y) == kGround[row[0]];
          EXPECT_EQ(sprites[k].pixel(x, y) == kGround[k], ground_here) << x << "," << y;
          if (!ground_here) {
            EXPECT_EQ(sprites[k].pixel(x, y), first.pixel(x, y)) << x << "," << y;
            ++animal;
          }
        }
      }
      EXPECT_GT(animal, 24 * 24 / 4);  // the animal fills a good part of the square
    }
  }
}

TEST(Sprites, ZebraIsBlackAndWhiteLionIsYellow) {
  const SpriteSet& sprites = field_sprites();
  EXPECT_GT(count_colour(sprites[3], opaque(0, 0, 0)), 60);
  EXPECT_GT(count_colour(sprites[3], opaque(255, 255, 255)), 60);
  EXPECT_GT(count_colour(sprites[6], opaque(0xF0, 0xC0, 0x30)), 60);
  EXPECT_EQ(count_colour(sprites[6], opaque(255, 255, 255)), 0);
}

TEST(Legends, HerbivoreLegendIsAnOpaqueZebraOnGreen) {
  const QImage image = load(kLegendHerbivorePath);
  EXPECT_TRUE(fully_opaque(image));
  EXPECT_EQ(image.pixel(0, 0), opaque(0, 255, 0));
  EXPECT_EQ(image.pixel(31, 0), opaque(0, 255, 0));
  EXPECT_GT(count_colour(image, opaque(0, 0, 0)), 100);
  EXPECT_GT(count_colour(image, opaque(255, 255, 255)), 100);
}

TEST(Legends, CarnivoreLegendIsALionWithClearSurround) {
  const QImage image = load(kLegendCarnivorePath).convertToFormat(QImage::Format_ARGB32);
  EXPECT_TRUE(load(kLegendCarnivorePath).hasAlphaChannel());
  for (QPoint corner : {QPoint(0, 0), QPoint(31, 0), QPoint(0, 31), QPoint(31, 31)})
    EXPECT_EQ(qAlpha(image.pixel(corner)), 0);
  QSet<QRgb> colours;
  int opaque_pixels = 0;
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const QRgb c = image.pixel(x, y);
      const int a = qAlpha(c);
      EXPECT_TRUE(a == 0 || a == 255);
      if (a == 255) ++opaque_pixels;
      colours.insert(a == 0 ? 0 : c);
    }
  }
  EXPECT_LE(colours.size(), 16);
  EXPECT_GT(opaque_pixels, 250);
  EXPECT_LT(opaque_pixels, 32 * 32 - 100);
  EXPECT_GT(count_colour(image, qRgba(0xF0, 0xC0, 0x30, 255)), 100);
}

TEST(Icon, OpaqueGreysOnNearWhite) {
  const QImage image = load(kIconPath);
  EXPECT_TRUE(fully_opaque(image));
  EXPECT_FALSE(image.hasAlphaChannel());
  EXPECT_EQ(image.pixel(0, 0), opaque(0xF8, 0xF8, 0xF8));
  int zebra = 0;
  for (int y = 0; y < 32; ++y) {
    for (int x = 0; x < 32; ++x) {
      const QRgb c = image.pixel(x, y);
      EXPECT_TRUE(qRed(c) == qGreen(c) && qGreen(c) == qBlue(c)) << x << "," << y;
      if (c != opaque(0xF8, 0xF8, 0xF8)) ++zebra;
    }
  }
  EXPECT_GT(zebra, 200);
}

TEST(AboutZebra, CheckerboardSurroundAndAStripedZebraGrazingAtTheRight) {
  const QImage image = load(kAboutZebraPath).convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(image.size(), QSize(80, 81));
  // Every border pixel belongs to the surround.
  for (int y = 0; y < 81; ++y) {
    for (int x = 0; x < 80; ++x) {
      if (x != 0 && x != 79 && y != 0 && y != 80) continue;
      const QRgb c = image.pixel(x, y);
      if ((x + y) % 2 == 0)
        EXPECT_EQ(qAlpha(c), 0) << x << "," << y;
      else
        EXPECT_EQ(c, qRgba(0xF4, 0xF6, 0xF4, 255)) << x << "," << y;
    }
  }
  EXPECT_GT(count_colour(image, qRgba(0, 0, 0, 255)), 400);
  EXPECT_GT(count_colour(image, qRgba(255, 255, 255, 255)), 400);
  // The head hangs low at the right: zebra pixels near the right edge, low down.
  int head = 0;
  for (int y = 60; y < 75; ++y)
    for (int x = 66; x < 80; ++x)
      if (image.pixel(x, y) == qRgba(0, 0, 0, 255)) ++head;
  EXPECT_GT(head, 10);
}

}  // namespace
}  // namespace noboria
