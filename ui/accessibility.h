#pragma once
// What a screen reader is told of a widget where Qt's own reading falls
// short. The windows mark their widgets (a role, a caption said elsewhere);
// the factory installed here reads those marks, so it needs no window's type.

#include <QAccessible>

class QWidget;

namespace noboria {

// Once, before the first window is shown.
void install_accessibility();

// The role a reader is told instead of Qt's guess; set before anyone asks
// for the widget's interface. A Link gets a press action that runs after the
// reader's call has returned.
void set_reader_role(QWidget& widget, QAccessible::Role role);

// A caption whose words a reader already hears in another control's name
// (「日数」 in 「日数 73」): it has no name of its own, and readers pass it by.
void set_said_elsewhere(QWidget& caption);

}  // namespace noboria
