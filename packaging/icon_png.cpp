// Writes the window icon, exactly as the program embeds it, as the PNG file
// that desktop menus show. Run by the build, so the two never drift apart.
#include <QImage>
#include <cstdio>

#include "assets/pictures.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
    return 2;
  }
  noboria::ensure_pictures();
  const QImage icon(noboria::kIconPath);
  if (icon.isNull()) {
    std::fprintf(stderr, "error: cannot read the embedded icon\n");
    return 1;
  }
  if (!icon.convertToFormat(QImage::Format_RGB32).save(QString::fromLocal8Bit(argv[1]), "PNG")) {
    std::fprintf(stderr, "error: cannot write %s\n", argv[1]);
    return 1;
  }
  return 0;
}
