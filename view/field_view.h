#pragma once
// The field: 16 x 16 cells painted from the nine sprites into an image this
// widget keeps, so the last painted field survives being covered, minimised
// or first shown. paintEvent only copies the image.

#include <QImage>
#include <QWidget>
#include <array>
#include <cstdint>

#include "sim/world.h"
#include "view/sprites.h"

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

  // Device pixels per pixel of the kept image: the screen's ratio rounded to
  // a whole step, so sprites are enlarged without smoothing.
  static int scale_for(qreal device_pixel_ratio);
  int scale() const { return step_; }
  // Redraws the kept image at another step from the sprites the cells show.
  // The widget does this itself when it meets a screen of another density.
  void set_scale(int step);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void clear_image();
  bool rebuild(int step);  // false when already at that step
  void blit(int x, int y, int k, uchar* bits, qsizetype bytes_per_line);

  QImage image_;
  int step_ = 1;
  SpriteSet sprites_;  // at step_
  // Sprite each cell shows, -1 while never painted; [x - 1][y - 1].
  std::array<std::array<std::int8_t, kFieldSize>, kFieldSize> shown_;
};

}  // namespace noboria
