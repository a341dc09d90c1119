#pragma once
// The population graph box gra: 273 x 217 pixels with a 2-pixel sunken border
// around the 269 x 213 drawing area a GraphPainter keeps, so the drawing
// survives being covered. Holds the graph's two fixed labels of form/layout.

#include <QFrame>
#include <QImage>

#include "sim/day_view.h"
#include "view/graph_painter.h"

namespace noboria {

class GraphView final : public QFrame {
  Q_OBJECT
 public:
  explicit GraphView(QWidget* parent = nullptr);

  // Clears the sheet and draws the three vertical and three horizontal lines.
  void new_sheet();
  // Draws one day: per kind a dash from the day before's count to this one and
  // a radius-1 circle, carnivores last.
  void plot(const GraphPoint& p);

  // The drawing area in its own pixel coordinates (origin at its top left).
  const QImage& image() const { return shown_; }

  static constexpr int kBorder = 2;
  static constexpr QSize kOuterSize{273, 217};

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  GraphPainter painter_;
  QImage shown_;  // over the painter's pixels, no copy
};

}  // namespace noboria
