#include "ui/day_timer.h"

#include <algorithm>

namespace noboria {

DayTimer::DayTimer(QObject* parent) : QObject(parent) {
  // Coarse timers may be off by 5 %, which a fast run would show.
  timer_.setTimerType(Qt::PreciseTimer);
  connect(&timer_, &QTimer::timeout, this, &DayTimer::tick);
}

void DayTimer::set_enabled(bool on) {
  if (enabled_ == on) return;
  enabled_ = on;
  follow_state();
}

void DayTimer::set_interval(int ms) {
  ms = std::max(ms, 0);
  if (interval_ == ms) return;
  interval_ = ms;
  follow_state();
}

void DayTimer::follow_state() {
  if (!enabled_ || interval_ <= 0) {
    timer_.stop();
    return;
  }
  if (!timer_.isActive() || timer_.interval() != interval_) timer_.start(interval_);
}

}  // namespace noboria
