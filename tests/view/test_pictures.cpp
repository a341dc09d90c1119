// The embedded pictures as the program loads them: each at its size with its
// corner colour, read from its file by Qt just as our own XPM reader reads it;
// sprite k = plant level + 3 x occupant, with the ground of its level at every
// corner and its animal's colours.
#include <gtest/gtest.h>

#include <QImage>

#include "assets/picture_data.h"
#include "view/field_painter.h"
#include "view/xpm.h"

namespace noboria {
namespace {

// The picture's file in assets/, as Qt reads it.
QImage read_by_qt(const QString& file) {
  return QImage(QStringLiteral(QT_TESTCASE_SOURCEDIR "/../../assets/") + file).convertToFormat(QImage::Format_ARGB32);
}

QImage read_by_painters(Picture p) {
  const std::optional<PixelImage> image = decode_xpm(picture_xpm(p));
  if (!image) return {};
  return QImage(reinterpret_cast<const uchar*>(image->pixels.data()), image->width, image->height,
                image->width * 4, QImage::Format_ARGB32).copy();
}

TEST(Pictures, EachLoadsAtItsSizeWithItsCornerColourAlikeInQtAndInThePainters) {
  const QRgb see_through = 0;
  for (const auto& [path, picture, size, corner] :
       {std::tuple("pictures/legend_herbivore.xpm", Picture::legend_herbivore, QSize(32, 32), qRgb(0, 255, 0)),
        std::tuple("pictures/legend_carnivore.xpm", Picture::legend_carnivore, QSize(32, 32), see_through),
        std::tuple("pictures/icon.xpm", Picture::icon, QSize(32, 32), see_through),
        std::tuple("pictures/about_zebra.xpm", Picture::about_zebra, QSize(80, 81), see_through)}) {
    SCOPED_TRACE(path);
    const QImage image = read_by_qt(QString::fromLatin1(path));
    EXPECT_EQ(image.size(), size);
    EXPECT_EQ(image.pixel(0, 0), corner);
    EXPECT_EQ(read_by_painters(picture), image);
  }
  EXPECT_FALSE(decode_xpm("\"2 1 1 1\", \". c #000000\", \".\"").has_value());  // a short row
  EXPECT_FALSE(decode_xpm("\"1 1 1 1\", \". c red\", \".\"").has_value());      // a colour by name
}

TEST(Sprites, EachShowsTheGroundOfItsLevelAndItsAnimal) {
  const QRgb bare = qRgb(0xCF, 0x8F, 0x00), grass = qRgb(0xA0, 0xFF, 0x40), grazed = qRgb(0x9C, 0xFE, 0x3C);
  const QRgb ground[kSpriteCount] = {
      bare, grass,  qRgb(0x60, 0xC0, 0x60),  // plants alone
      bare, grazed, grazed,                  // a herbivore looks the same on levels 1 and 2
      bare, grass,  qRgb(0x20, 0x80, 0x20),  // a carnivore
  };
  for (int k = 0; k < kSpriteCount; ++k) {
    SCOPED_TRACE(k);
    const QImage file(QStringLiteral(QT_TESTCASE_SOURCEDIR "/../../assets/sprites/sprite%1.xpm").arg(k));
    EXPECT_FALSE(file.hasAlphaChannel());                                       // opaque, so drawn by plain copies
    EXPECT_EQ(file.colorTable().contains(qRgb(0, 0, 0)), k / 3 == 1);           // a zebra's black stripes
    EXPECT_EQ(file.colorTable().contains(qRgb(0xF0, 0xC0, 0x30)), k / 3 == 2);  // a lion's mane
    const QImage sprite = read_by_painters(static_cast<Picture>(k));
    ASSERT_EQ(sprite.size(), QSize(24, 24));
    EXPECT_EQ(sprite, read_by_qt(QStringLiteral("sprites/sprite%1.xpm").arg(k)));
    for (QPoint corner : {QPoint(0, 0), QPoint(23, 0), QPoint(0, 23), QPoint(23, 23)})
      EXPECT_EQ(sprite.pixel(corner), ground[k]);
  }
}

}  // namespace
}  // namespace noboria
