#pragma once
// A step control: at 25 x 17 pixels a horizontal scroll bar shows only its
// two arrows. Its keys make the steps the Form gives them, and it shows the
// keyboard focus with a frame over its arrows, which Fusion leaves out.

#include <QScrollBar>

namespace noboria {

class StepControl final : public QScrollBar {
 public:
  // Step control number `index` of the Form, with its range.
  StepControl(QWidget* parent, int index, int minimum, int maximum);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void paintEvent(QPaintEvent* event) override;

 private:
  int index_;
};

}  // namespace noboria
