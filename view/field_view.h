#pragma once
// The field widget: shows the picture a FieldPainter keeps, so the last
// painted field survives being covered, minimised or first shown, and only
// the cells whose picture changes are repainted on the screen.

#include <QImage>
#include <QRect>
#include <QWidget>
#include <memory>

class QPainter;
class QRegion;

#include "sim/world.h"
#include "view/field_painter.h"

namespace noboria {

class FieldView final : public QWidget {
  Q_OBJECT
 public:
  explicit FieldView(QWidget* parent = nullptr);

  // Paints every field cell, rows top to bottom, cells left to right, with
  // sprite p_map + 3 * ani_map; a cell with a value outside 0..2 keeps its
  // previous picture.
  void field_draw(const World& w);
  // Between these two, a field waits to be painted until the next one, a
  // read of the picture or draw_held(). A day paints the field twice before
  // the screen shows either; the first is needless where every cell of the
  // second has a picture of its own.
  void hold_draws() { holding_ = true; }
  void draw_held();

  // Where the widget stands in the main window's client area.
  static QRect window_rect();
  // Top-left pixel of cell (x, y) in the main window's client area.
  static QPoint cell_origin(int x, int y);

  // The field as painted so far, at scale() device pixels per pixel.
  const QImage& image() const;
  const PixelImage& pixels() const {
    draw_waiting();
    return painter_.image();
  }

  // Device pixels per pixel: the screen's ratio rounded to a whole step, so
  // sprites are enlarged without smoothing.
  static int scale_for(qreal device_pixel_ratio);
  int scale() const { return step_; }
  // The widget follows its screen's density by itself when it paints.
  void set_scale(int step);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // Copies the region straight into the painter's image; false, having
  // painted nothing, where that cannot be done pixel for pixel.
  bool copy_directly(QPainter& painter, const QRegion& region) const;

  // Paints the field that waits, if any.
  void draw_waiting() const;

  mutable FieldPainter painter_;
  mutable std::unique_ptr<World> waiting_;  // the field to paint next, if any
  bool holding_ = false;
  QImage shown_;  // over the painter's pixels, no copy
  mutable QImage scaled_;
  mutable bool scaled_stale_ = true;
  int step_ = 1;
};

}  // namespace noboria
