#include "ui/summary_stop.h"

#include "ui/accessibility.h"
#include "ui/focus_frame.h"

namespace noboria {

namespace {

// A mask wholly outside the stop: a stop that shows nothing takes no part in
// the repaints of the picture beneath it, which change at every day.
const QRegion kShowNothing(-1, -1, 1, 1);

}  // namespace

SummaryStop::SummaryStop(QWidget* parent, QAccessible::Role role) : QWidget(parent) {
  set_reader_role(*this, role);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::TabFocus);
  setMask(kShowNothing);
}

void SummaryStop::paintEvent(QPaintEvent*) {
  if (hasFocus()) paint_focus_frame(*this, QPalette::Window, true);
}

void SummaryStop::focusInEvent(QFocusEvent*) {
  clearMask();
  update();
}

void SummaryStop::focusOutEvent(QFocusEvent*) { setMask(kShowNothing); }

}  // namespace noboria
