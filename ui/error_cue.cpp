#include "ui/error_cue.h"

#include <QApplication>
#include <QLineEdit>
#include <QPalette>

namespace noboria {

void show_error_cue(QLineEdit& box, const QString& hint) {
  QPalette palette = box.palette();
  palette.setColor(QPalette::Base, kErrorCueColor);
  box.setPalette(palette);
  box.setToolTip(hint);
}

void clear_error_cue(QLineEdit& box) {
  if (!has_error_cue(box) && box.toolTip().isEmpty()) return;
  QPalette palette = box.palette();
  palette.setColor(QPalette::Base, QApplication::palette(&box).color(QPalette::Base));
  box.setPalette(palette);
  box.setToolTip(QString());
}

bool has_error_cue(const QLineEdit& box) {
  return box.palette().color(QPalette::Base) == kErrorCueColor;
}

}  // namespace noboria
