#include "ui/announcer.h"

#include "ui/accessibility.h"

namespace noboria {

Announcer::Announcer(QWidget& window) : QWidget(&window) {
  set_reader_role(*this, QAccessible::Notification);
  setObjectName(QStringLiteral("announcer"));
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
  setGeometry(0, 0, 0, 0);  // nothing to see
  hide();
  hide_.setSingleShot(true);
  hide_.setInterval(kShownMs);
  connect(&hide_, &QTimer::timeout, this, &QWidget::hide);
}

void Announcer::say(const QString& sentence) {
  // Hidden first, so that a sentence said again is shown again.
  hide();
  setAccessibleName(sentence);
  show();
  hide_.start();
}

}  // namespace noboria
