#include "ui/announcer.h"

#include <QTimer>
#include <QWidget>

#include "ui/accessibility.h"

namespace noboria {

Announcer::Announcer(QWidget& window) : QObject(&window), window_(window) {}

void Announcer::say(const QString& sentence, const QString& details) {
  auto* notice = new QWidget(&window_);
  set_reader_role(*notice, QAccessible::Notification);
  notice->setObjectName(QStringLiteral("announcement"));
  notice->setAttribute(Qt::WA_TransparentForMouseEvents);
  notice->setFocusPolicy(Qt::NoFocus);
  notice->setGeometry(0, 0, 0, 0);  // nothing to see
  notice->setAccessibleName(sentence);
  notice->setAccessibleDescription(details);
  notice->show();
  QTimer::singleShot(kShownMs, notice, &QObject::deleteLater);
}

}  // namespace noboria
