#include "ui/summary_stop.h"

#include "ui/accessibility.h"
#include "ui/focus_frame.h"

namespace noboria {

SummaryStop::SummaryStop(QWidget* parent, QAccessible::Role role) : QWidget(parent) {
  set_reader_role(*this, role);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::TabFocus);
}

void SummaryStop::paintEvent(QPaintEvent*) {
  if (hasFocus()) paint_focus_frame(*this, QPalette::Window, true);
}

void SummaryStop::focusInEvent(QFocusEvent*) { update(); }

void SummaryStop::focusOutEvent(QFocusEvent*) { update(); }

}  // namespace noboria
