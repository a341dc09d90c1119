// Writes the menu icon at every size the hicolor theme lists, as
// OUT/NxN/apps/noboria.png, from the zebra drawn in assets/pictures. Each size
// is one of the drawings scaled by a whole factor (nearest pixel), centred on
// a see-through square where the drawing is smaller: never resampled, so every
// size stays as crisp as the pixel art. Run by the build, so the icons and the
// window icon never drift apart.
#include <QDir>
#include <QImage>
#include <QPainter>
#include <cstdio>

namespace {

struct IconSize {
  int size;
  const char* drawing;  // the XPM file in assets/pictures
  int factor;
};

constexpr IconSize kSizes[] = {
    {16, "icon16.xpm", 1}, {22, "icon22.xpm", 1}, {24, "icon22.xpm", 1}, {32, "icon.xpm", 1},
    {48, "icon22.xpm", 2}, {64, "icon.xpm", 2},   {128, "icon.xpm", 4},  {256, "icon.xpm", 8},
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s PICTURES_DIR OUTPUT_DIR\n", argv[0]);
    return 2;
  }
  const QDir pictures(QString::fromLocal8Bit(argv[1]));
  const QDir out(QString::fromLocal8Bit(argv[2]));
  for (const IconSize& s : kSizes) {
    const QString source = pictures.filePath(QString::fromLatin1(s.drawing));
    const QImage drawing(source);
    if (drawing.isNull()) {
      std::fprintf(stderr, "error: cannot read %s\n", qPrintable(source));
      return 1;
    }
    const QImage scaled = drawing.convertToFormat(QImage::Format_ARGB32)
                              .scaled(drawing.size() * s.factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    QImage icon(s.size, s.size, QImage::Format_ARGB32);
    icon.fill(Qt::transparent);
    QPainter painter(&icon);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage((s.size - scaled.width()) / 2, (s.size - scaled.height()) / 2, scaled);
    painter.end();
    const QString folder = QStringLiteral("%1x%1/apps").arg(s.size);
    const QString file = out.filePath(folder + QStringLiteral("/noboria.png"));
    if (!out.mkpath(folder) || !icon.save(file, "PNG")) {
      std::fprintf(stderr, "error: cannot write %s\n", qPrintable(file));
      return 1;
    }
  }
  return 0;
}
