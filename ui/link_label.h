#pragma once
// A caption that acts as a link: a left click (press and release inside it)
// or, once reached with Tab, Return, Enter or Space runs its action. It shows
// plain text from its top-left corner, with a focus mark while it has the
// keyboard focus.

#include <QLabel>
#include <functional>

namespace noboria {

class LinkLabel final : public QLabel {
 public:
  LinkLabel(QWidget* parent, std::function<void()> action);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  void activate();

  std::function<void()> action_;
  bool pressed_ = false;
};

}  // namespace noboria
