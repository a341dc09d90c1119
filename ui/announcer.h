#pragma once
// Says a sentence once to a screen reader without moving the focus. Qt 6.4
// has no announcement event, and Orca 43 does not speak a name change away
// from the focus; it does speak a notification that starts showing. So this
// is an empty, hidden notification object of the window that takes the
// sentence as its name and shows itself for a while. Another way of saying
// it replaces this class alone.

#include <QTimer>
#include <QWidget>

namespace noboria {

class Announcer final : public QWidget {
 public:
  static constexpr int kShownMs = 5000;

  explicit Announcer(QWidget& window);
  void say(const QString& sentence);

 private:
  QTimer hide_;
};

}  // namespace noboria
