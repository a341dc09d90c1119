#include "ui/day_timer.h"

namespace noboria {

DayTimer::DayTimer(QObject* parent) : QObject(parent) {
  // Coarse timers may be off by 5 %, which a fast run would show.
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, &DayTimer::tick);
}

void DayTimer::set(bool on, int interval_ms) {
  if (!on || interval_ms <= 0) {
    timer_.stop();
    return;
  }
  if (!timer_.isActive() || timer_.interval() != interval_ms) timer_.start(interval_ms);
}

}  // namespace noboria
