#include "ui/fonts.h"

#include <QApplication>
#include <QStringList>

namespace noboria {

namespace {
const QString kGothic = QStringLiteral("ＭＳ Ｐゴシック");
}

void install_fonts() {
  // No system configuration maps the name, so the program does it itself.
  QFont::insertSubstitutions(kGothic, {QStringLiteral("IPAPGothic"), QStringLiteral("Noto Sans CJK JP")});
  QApplication::setFont(gothic(kDefaultPoints));
}

QFont gothic(double point_size, bool bold, bool underline) {
  QFont f(kGothic);
  f.setPointSizeF(point_size);
  f.setBold(bold);
  f.setUnderline(underline);
  f.setItalic(false);
  return f;
}

}  // namespace noboria
