#pragma once
// The population graph box gra: 273 x 217 pixels with a 2-pixel sunken border
// around a white 269 x 213 drawing area, kept as an image so the drawing
// survives being covered. Holds the fixed labels "200" and "100".

#include <QFrame>
#include <QImage>
#include <memory>

#include "sim/day_view.h"

namespace noboria {

class GraphView final : public QFrame {
  Q_OBJECT
 public:
  explicit GraphView(QWidget* parent = nullptr);
  ~GraphView() override;

  // Clears the sheet and draws the three vertical and three horizontal lines.
  void new_sheet();
  // Draws one day: a level dash and a radius-1 circle per kind, carnivores last.
  void plot(const GraphPoint& p);
  // The pixels of the drawing area plot(p) may colour: all that is repainted.
  static QRect plot_rect(const GraphPoint& p);

  // The drawing area in its own pixel coordinates (origin at its top left).
  const QImage& image() const { return image_; }

  static constexpr int kBorder = 2;
  static constexpr QSize kOuterSize{273, 217};
  static constexpr QSize kAreaSize{269, 213};

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // Sets the day's marks pixel by pixel; false, changing nothing, when one
  // of them would reach an edge of the area.
  bool set_marks(const GraphPoint& p);

  QImage image_;
  class MarkShapes;
  std::unique_ptr<MarkShapes> shapes_;  // drawn as days need them
};

}  // namespace noboria
