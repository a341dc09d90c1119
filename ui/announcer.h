#pragma once
// Says a sentence once to a screen reader without moving the focus. Qt 6.4
// has no announcement event, and Orca 43 does not speak a name change away
// from the focus; it does speak a notification that starts showing: the word
// "notification", its name, then its description, queued behind what it is
// saying. So each sentence is an empty, hidden notification object of the
// window of its own, shown for a while: a reader that comes to it late (Orca
// can be a second behind at start-up) still finds its words, not the next
// sentence's. Another way of saying it replaces this class alone.

#include <QObject>
#include <QString>

class QWidget;

namespace noboria {

class Announcer final : public QObject {
 public:
  static constexpr int kShownMs = 5000;

  explicit Announcer(QWidget& window);
  // details: said after the sentence, as its description.
  void say(const QString& sentence, const QString& details = {});

 private:
  QWidget& window_;
};

}  // namespace noboria
