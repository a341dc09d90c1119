#pragma once
// What a screen reader learns of things that change every day, handed to Qt
// at most once every kDelayMs instead of at every day: a reader told of each
// change of a fast run falls seconds behind the keys. A followed name is set
// at each hand-over; a followed description only while its widget has the
// focus, and as it gets it, since nobody reads it otherwise. During a run
// the hand-over rides on a day; only the last changes wait for a timer, so
// a run wakes the program no more often than its days do.

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>
#include <functional>
#include <vector>

class QWidget;

namespace noboria {

class SpokenState final : public QObject {
 public:
  using Text = std::function<QString()>;
  static constexpr int kDelayMs = 250;

  explicit SpokenState(QObject* parent);

  // The widget's name, or description, is text(); both are set at once here.
  void follow_name(QWidget& widget, Text text);
  void follow_description(QWidget& widget, Text text);
  // The followed texts may have changed; they are handed over within kDelayMs.
  void changed();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Followed {
    QWidget* widget;
    Text text;
    bool description;
  };
  static void hand_over(const Followed& f);
  void flush();

  std::vector<Followed> followed_;
  QElapsedTimer since_flush_;
  QTimer last_changes_;
};

}  // namespace noboria
