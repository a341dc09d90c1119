#pragma once
// A Tab stop laid over the field or the graph, after every other stop of the
// window: a reader says its name and what it shows when it gets the focus.
// It lets clicks through and paints nothing but its focus mark, so the
// picture beneath looks as before.

#include <QAccessible>
#include <QWidget>

namespace noboria {

class SummaryStop final : public QWidget {
 public:
  // role: what a reader is told it is (a picture, a chart).
  SummaryStop(QWidget* parent, QAccessible::Role role);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
};

}  // namespace noboria
