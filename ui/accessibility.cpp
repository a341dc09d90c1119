#include "ui/accessibility.h"

#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QVariant>
#include <QWidget>

#include "ui/box_accessible.h"

namespace noboria {

namespace {

const char* const kRoleProperty = "noboria_reader_role";
const char* const kSaidElsewhereProperty = "noboria_said_elsewhere";

// A link's press runs after the reader's call has returned: the action may
// open a modal message box, which must not hold up the reader's request.
class LinkInterface final : public QAccessibleWidget {
 public:
  explicit LinkInterface(QWidget* widget) : QAccessibleWidget(widget, QAccessible::Link) {}

  QStringList actionNames() const override { return QStringList{pressAction()} + QAccessibleWidget::actionNames(); }

  void doAction(const QString& name) override {
    if (name != pressAction()) {
      QAccessibleWidget::doAction(name);
      return;
    }
    QCoreApplication::postEvent(widget(), new QKeyEvent(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " "));
    QCoreApplication::postEvent(widget(), new QKeyEvent(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, " "));
  }
};

// A label without a name: a reader's flat review skips such a label.
class SilentLabel final : public QAccessibleWidget {
 public:
  explicit SilentLabel(QWidget* widget) : QAccessibleWidget(widget, QAccessible::StaticText) {}
  QString text(QAccessible::Text t) const override {
    return t == QAccessible::Name ? QString() : QAccessibleWidget::text(t);
  }
};

QAccessibleInterface* make_interface(const QString& class_name, QObject* object) {
  auto* widget = qobject_cast<QWidget*>(object);
  if (widget == nullptr) return nullptr;
  if (widget->property(kSaidElsewhereProperty).toBool()) return new SilentLabel(widget);
  // Qt asks under the parent class names too, so a subclass of QLineEdit gets it as well.
  if (auto* box = qobject_cast<QLineEdit*>(widget); box && class_name == QLatin1String("QLineEdit"))
    return new BoxAccessible(box);
  const QVariant role = widget->property(kRoleProperty);
  if (!role.isValid()) return nullptr;
  if (role.toInt() == QAccessible::Link) return new LinkInterface(widget);
  return new QAccessibleWidget(widget, static_cast<QAccessible::Role>(role.toInt()));
}

}  // namespace

void install_accessibility() { QAccessible::installFactory(make_interface); }

void set_reader_role(QWidget& widget, QAccessible::Role role) {
  widget.setProperty(kRoleProperty, static_cast<int>(role));
}

void set_said_elsewhere(QWidget& caption) { caption.setProperty(kSaidElsewhereProperty, true); }

}  // namespace noboria
