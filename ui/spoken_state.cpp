#include "ui/spoken_state.h"

#include <QEvent>
#include <QWidget>
#include <utility>

namespace noboria {

SpokenState::SpokenState(QObject* parent) : QObject(parent) {
  last_changes_.setSingleShot(true);
  last_changes_.setInterval(kDelayMs);
  connect(&last_changes_, &QTimer::timeout, this, &SpokenState::flush);
  since_flush_.start();
}

void SpokenState::follow_name(QWidget& widget, Text text) {
  followed_.push_back({&widget, std::move(text), false});
  hand_over(followed_.back());
}

void SpokenState::follow_description(QWidget& widget, Text text) {
  followed_.push_back({&widget, std::move(text), true});
  hand_over(followed_.back());
  widget.installEventFilter(this);
}

void SpokenState::changed() {
  if (since_flush_.elapsed() >= kDelayMs) {
    flush();
    return;
  }
  last_changes_.start();  // put off while changes keep coming
}

// Qt tells the readers of a new name or description itself; an unchanged
// text is not set again, so a day that changes nothing says nothing.
void SpokenState::hand_over(const Followed& f) {
  const QString text = f.text();
  if (f.description) {
    if (f.widget->accessibleDescription() != text) f.widget->setAccessibleDescription(text);
  } else if (f.widget->accessibleName() != text) {
    f.widget->setAccessibleName(text);
  }
}

void SpokenState::flush() {
  last_changes_.stop();
  since_flush_.start();
  for (const Followed& f : followed_) {
    if (!f.description || f.widget->hasFocus()) hand_over(f);
  }
}

bool SpokenState::eventFilter(QObject* watched, QEvent* event) {
  // A widget gets its focus-in before Qt tells the readers of the new focus,
  // so the description they then read is the current one.
  if (event->type() == QEvent::FocusIn) {
    for (const Followed& f : followed_) {
      if (f.description && f.widget == watched) hand_over(f);
    }
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace noboria
