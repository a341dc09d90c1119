#pragma once
// The day timer: a precise Qt timer that runs only while the Form says the
// days tick, that is while it is on with an interval above 0. A Qt timer at
// 0 ms would fire whenever the event loop is idle, where an interval of 0
// means no days at all.

#include <QObject>
#include <QTimer>

namespace noboria {

class DayTimer final : public QObject {
  Q_OBJECT
 public:
  explicit DayTimer(QObject* parent = nullptr);

  // Switching on a timer that is already on does not restart its period; a
  // new interval restarts a running timer at that interval.
  void set(bool on, int interval_ms);
  // Whether ticks are being delivered.
  bool running() const { return timer_.isActive(); }
  // The Qt timer that delivers the ticks, to read its interval and type.
  const QTimer& engine() const { return timer_; }

 signals:
  void tick();

 private:
  QTimer timer_;
};

}  // namespace noboria
