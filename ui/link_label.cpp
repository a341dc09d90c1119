#include "ui/link_label.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <utility>

#include "ui/accessibility.h"
#include "ui/focus_frame.h"

namespace noboria {

LinkLabel::LinkLabel(QWidget* parent, std::function<void()> action) : QLabel(parent), action_(std::move(action)) {
  set_reader_role(*this, QAccessible::Link);
  setCursor(Qt::PointingHandCursor);
  // Tab focus only: a mouse click should not leave a focus frame behind.
  setFocusPolicy(Qt::TabFocus);
}

void LinkLabel::mousePressEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    pressed_ = true;
    event->accept();
    return;
  }
  QLabel::mousePressEvent(event);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && pressed_) {
    pressed_ = false;
    event->accept();
    if (rect().contains(event->position().toPoint())) activate();
    return;
  }
  QLabel::mouseReleaseEvent(event);
}

void LinkLabel::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if ((key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) && !event->isAutoRepeat()) {
    event->accept();
    activate();
    return;
  }
  QLabel::keyPressEvent(event);
}

void LinkLabel::paintEvent(QPaintEvent* event) {
  QLabel::paintEvent(event);
  if (hasFocus()) paint_focus_frame(*this, QPalette::Window);
}

// The action may open a modal box; nothing of this label is touched after it.
void LinkLabel::activate() {
  const auto action = action_;
  action();
}

}  // namespace noboria
