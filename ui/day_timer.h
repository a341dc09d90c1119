#pragma once
// Timer1, the day timer. It keeps "enabled" and the interval apart, as the
// window's controls see them, and lets the underlying QTimer run only while
// enabled with an interval above 0: a Qt timer at 0 ms would fire whenever the
// event loop is idle, while an interval of 0 here means no days at all.

#include <QObject>
#include <QTimer>

namespace noboria {

class DayTimer final : public QObject {
  Q_OBJECT
 public:
  explicit DayTimer(QObject* parent = nullptr);

  bool enabled() const { return enabled_; }
  int interval() const { return interval_; }
  // Whether ticks are actually being delivered.
  bool running() const { return timer_.isActive(); }
  // The Qt timer that delivers the ticks, to read its interval and type.
  const QTimer& engine() const { return timer_; }

  // Switching on a timer that is already on does not restart its period.
  void set_enabled(bool on);
  // A new interval restarts a running timer at that interval; the same
  // interval leaves the period alone. Negative values count as 0.
  void set_interval(int ms);

 signals:
  void tick();

 private:
  void follow_state();

  QTimer timer_;
  bool enabled_ = false;
  int interval_ = 0;
};

}  // namespace noboria
