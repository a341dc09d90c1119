#include "ui/accessibility.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>
#include <utility>

#include "sim/summary.h"
#include "ui/about_window.h"
#include "ui/box_accessible.h"
#include "ui/day_timer.h"
#include "ui/focus_frame.h"
#include "ui/main_window.h"
#include "view/field_view.h"
#include "view/graph_view.h"

namespace noboria {

namespace {

const char* const kLinkProperty = "noboria_link";
const char* const kRoleProperty = "noboria_role";

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

// Without this both windows are plain "filler" panes, and a reader does not
// say their captions when they come forward.
QAccessibleInterface* make_interface(const QString& class_name, QObject* object) {
  auto* widget = qobject_cast<QWidget*>(object);
  if (widget == nullptr) return nullptr;
  if (qobject_cast<MainWindow*>(widget) || qobject_cast<AboutWindow*>(widget))
    return new QAccessibleWidget(widget, QAccessible::Window);
  if (const QVariant role = widget->property(kRoleProperty); role.isValid())
    return new QAccessibleWidget(widget, static_cast<QAccessible::Role>(role.toInt()));
  if (class_name == QLatin1String("QLabel") && widget->property(kLinkProperty).toBool())
    return new LinkInterface(widget);
  if (auto* box = qobject_cast<QLineEdit*>(widget); box && class_name == QLatin1String("QLineEdit"))
    return new BoxAccessible(box);
  return nullptr;
}

// A Tab stop laid over the field or the graph, after every other stop of the
// window (a widget made now joins the end of the Tab order): a reader says its
// name and summary when it gets the focus. It lets clicks through and paints
// nothing but its focus mark, so the picture beneath looks as before.
class SummaryStop final : public QWidget {
 public:
  SummaryStop(QWidget& over, QAccessible::Role role) {
    setProperty(kRoleProperty, static_cast<int>(role));  // before anyone asks for its interface
    setParent(&over);
    setGeometry(over.rect());
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::TabFocus);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    if (hasFocus()) paint_focus_frame(*this, QPalette::Window, true);
  }
  void focusInEvent(QFocusEvent*) override { update(); }
  void focusOutEvent(QFocusEvent*) override { update(); }
};

// Qt tells the readers of a new name or description itself (a label's own
// text changes it reports only while the label has no name of its own). An
// unchanged text is not set again: a day that changes nothing says nothing.
void set_name(QWidget& widget, const QString& name) {
  if (widget.accessibleName() != name) widget.setAccessibleName(name);
}

void set_description(QWidget& widget, const QString& description) {
  if (widget.accessibleDescription() != description) widget.setAccessibleDescription(description);
}

// A caption and the number shown beside it, as one name: 「草食の数 48」.
// Before the first day a label holds no number but a placeholder or a hint:
// then the caption alone, or the hint alone.
QString captioned(const QString& caption, const QLabel& label, bool hint = false) {
  bool number = false;
  label.text().toInt(&number);
  if (number) return caption + QLatin1Char(' ') + label.text();
  return hint ? label.text() : caption;
}

QString trend(int now, int before) {
  if (before < 0) return QString();
  if (now > before) return QStringLiteral("（増加）");
  if (now < before) return QStringLiteral("（減少）");
  return QStringLiteral("（変化なし）");
}

// Keeps the names and summaries of one main window current, after every day
// and every run start.
class GameDescriber final : public QObject {
 public:
  explicit GameDescriber(MainWindow& window)
      : QObject(&window),
        window_(window),
        field_(new SummaryStop(*window.field(), QAccessible::Graphic)),
        graph_(new SummaryStop(*window.gra(), QAccessible::Chart)) {
    set_name(*field_, QStringLiteral("フィールド"));
    set_name(*graph_, QStringLiteral("グラフ"));
    // The legends beside the parameter rows.
    for (const auto& [picture, name] : {std::pair(u"Picture1", u"草食動物の絵"), std::pair(u"Picture3", u"肉食動物の絵")}) {
      if (auto* legend = window.findChild<QLabel*>(QString::fromUtf16(picture))) set_name(*legend, QString::fromUtf16(name));
    }
    // Connected after the window's own handlers, so this runs once the day is done.
    connect(&window.timer(), &DayTimer::tick, this, &GameDescriber::refresh);
    connect(window.sim_com(), &QPushButton::clicked, this, &GameDescriber::refresh);
    refresh();
  }

 private:
  void refresh() {
    const World& w = window_.sim().w;
    set_name(*window_.daycap(), captioned(QStringLiteral("日数"), *window_.daycap(), true));
    set_name(*window_.z_suu(), captioned(QStringLiteral("草食の数"), *window_.z_suu()));
    set_name(*window_.l_suu(), captioned(QStringLiteral("肉食の数"), *window_.l_suu()));
    set_description(*field_, QString::fromStdString(field_summary(w)));

    if (w.day != day_) {
      const bool next_day = day_ > 0 && w.day > day_;
      before_z_ = next_day ? z_ : -1;
      before_l_ = next_day ? l_ : -1;
      day_ = w.day;
      z_ = w.z_num;
      l_ = w.l_num;
    }
    set_description(*graph_, graph_summary(day_, z_, l_, before_z_, before_l_));
  }

  MainWindow& window_;
  SummaryStop* field_;
  SummaryStop* graph_;
  int day_ = -1;  // the day last summarised, with its counts and the day before's
  int z_ = 0, l_ = 0, before_z_ = -1, before_l_ = -1;
};

}  // namespace

void install_accessibility() { QAccessible::installFactory(make_interface); }

void mark_as_link(QWidget& widget) { widget.setProperty(kLinkProperty, true); }

void describe_game(MainWindow& window) { new GameDescriber(window); }

QString graph_summary(int day, int z_num, int l_num, int before_z, int before_l) {
  if (day <= 0) return QStringLiteral("記録はまだありません");
  return QStringLiteral("草食の数 %1%2、肉食の数 %3%4")
      .arg(z_num)
      .arg(trend(z_num, before_z))
      .arg(l_num)
      .arg(trend(l_num, before_l));
}

}  // namespace noboria
