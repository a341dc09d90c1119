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

// The selection and caret of a box that a reader has not been told has the
// focus: a box that Tab leaves loses its selection, and the one it enters
// selects its text before Qt tells of the new focus. Orca 43 says each
// ("Text unselected", 「50 selected」) and works through each before it names
// the box, a second and more on a busy machine; the box's own reading says
// its value anyway. What a pupil sees is unchanged: only the telling goes.
QObject* told_focus = nullptr;

bool unheard(QAccessibleEvent* event) {
  const auto type = event->type();
  if (type == QAccessible::Focus) told_focus = event->object();
  if (type != QAccessible::TextSelectionChanged && type != QAccessible::TextCaretMoved) return false;
  auto* box = qobject_cast<QLineEdit*>(event->object());
  return box != nullptr && (!box->hasFocus() || told_focus != box);
}

void tell_readers(QAccessibleEvent* event);

// Qt has one update handler, and readers are told only without it: it steps
// aside for each event it passes on.
void pass_on(QAccessibleEvent* event) {
  QAccessible::installUpdateHandler(nullptr);
  QAccessible::updateAccessibility(event);
  QAccessible::installUpdateHandler(tell_readers);
}

void tell_readers(QAccessibleEvent* event) {
  if (!unheard(event)) pass_on(event);
}

}  // namespace

void install_accessibility() {
  QAccessible::installFactory(make_interface);
  QAccessible::installUpdateHandler(tell_readers);
}

void set_reader_role(QWidget& widget, QAccessible::Role role) {
  widget.setProperty(kRoleProperty, static_cast<int>(role));
}

void set_said_elsewhere(QWidget& caption) { caption.setProperty(kSaidElsewhereProperty, true); }

}  // namespace noboria
