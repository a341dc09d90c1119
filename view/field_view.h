#pragma once
// The field: 16 x 16 cells painted from the nine sprites into an image this
// widget keeps, so the last painted field survives being covered, minimised
// or first shown. paintEvent only copies the image.

#include <QImage>
#include <QWidget>

#include "sim/world.h"

namespace noboria {

class FieldView final : public QWidget {
  Q_OBJECT
 public:
  explicit FieldView(QWidget* parent = nullptr);

  // Paints every field cell, rows top to bottom, cells left to right, with
  // sprite p_map + 3 * ani_map; a cell with a value outside 0..2 keeps its
  // previous picture.
  void field_draw(const World& w);

  // Where the widget stands in the main window's client area.
  static QRect window_rect();
  // Top-left pixel of cell (x, y) in the main window's client area.
  static QPoint cell_origin(int x, int y);

  const QImage& image() const { return image_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QImage image_;
};

}  // namespace noboria
