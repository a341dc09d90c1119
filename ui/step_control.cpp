#include "ui/step_control.h"

#include <QKeyEvent>
#include <optional>

#include "form/form.h"
#include "ui/focus_frame.h"

namespace noboria {

namespace {

std::optional<StepKey> step_key(int key) {
  switch (key) {
    case Qt::Key_Left:
      return StepKey::left;
    case Qt::Key_Right:
      return StepKey::right;
    case Qt::Key_Up:
      return StepKey::up;
    case Qt::Key_Down:
      return StepKey::down;
    case Qt::Key_PageUp:
      return StepKey::page_up;
    case Qt::Key_PageDown:
      return StepKey::page_down;
    case Qt::Key_Home:
      return StepKey::home;
    case Qt::Key_End:
      return StepKey::end;
    default:
      return std::nullopt;
  }
}

}  // namespace

StepControl::StepControl(QWidget* parent, int index, int minimum, int maximum)
    : QScrollBar(Qt::Horizontal, parent), index_(index) {
  setRange(minimum, maximum);
  setSingleStep(1);
  setPageStep(1);
  setFocusPolicy(Qt::StrongFocus);
  // A scroll bar turns its wheel (and keys) round by default; here a wheel
  // turned up counts up, as the up key does.
  setInvertedControls(false);
}

void StepControl::keyPressEvent(QKeyEvent* event) {
  const std::optional<StepKey> key = step_key(event->key());
  const std::optional<int> value = key ? Form::step_for_key(index_, this->value(), *key) : std::nullopt;
  if (!value) {
    QScrollBar::keyPressEvent(event);
    return;
  }
  event->accept();
  setValue(*value);
}

void StepControl::paintEvent(QPaintEvent* event) {
  QScrollBar::paintEvent(event);
  if (hasFocus()) paint_focus_frame(*this, QPalette::Button, true);
}

}  // namespace noboria
