#pragma once
// The field: 16 x 16 cells painted from the nine sprites. The widget keeps
// what every cell shows, so the last painted field survives being covered,
// minimised or first shown.

#include <QImage>
#include <QRect>
#include <QWidget>
#include <array>
#include <cstdint>

#include "sim/world.h"
#include "view/sprites.h"

class QPainter;
class QRegion;

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
  // The pixels of cell (x, y) that no later cell paints over, in the widget's
  // own coordinates: from its origin up to the next cell's origin; in the last
  // column and row, its whole sprite.
  static QRect owned_rect(int x, int y);

  // The field as painted so far, at scale() device pixels per pixel. The
  // screen is painted from the cells, and this image is brought up to date
  // when read: read it again after field_draw.
  const QImage& image() const;

  // Device pixels per pixel of the kept image: the screen's ratio rounded to
  // a whole step, so sprites are enlarged without smoothing.
  static int scale_for(qreal device_pixel_ratio);
  int scale() const { return step_; }
  // Redraws the kept image at another step. The widget does this itself when
  // it meets a screen of another density.
  void set_scale(int step);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  using CellGrid = std::array<std::array<std::int8_t, kFieldSize>, kFieldSize>;  // [x - 1][y - 1]

  void clear_image();
  bool rebuild(int step);  // false when already at that step
  // Brings the kept image up to date in the cells whose sprite it lacks.
  void catch_up() const;
  // Copies the part of the picture of cell (x, y) that lies in part (widget
  // pixels) into target, where widget pixel p lands at p * step_ + offset.
  void copy_cell(int x, int y, const QRect& part, QImage& target, QPoint offset) const;
  // The same for sprite k standing at cell (x, y).
  void copy_sprite(int k, int x, int y, const QRect& part, QImage& target, QPoint offset) const;
  // Copies the cells in region straight into the painter's image; false,
  // having painted nothing, where that cannot be done pixel for pixel.
  bool paint_directly(QPainter& painter, const QRegion& region) const;

  // What each cell's owned rect shows: a sprite 0..8, or a picture of its
  // own kept only in image_ (never painted, or a skipped cell that its
  // neighbours have partly painted over).
  static constexpr std::int8_t kOwnPicture = -1;
  CellGrid shown_;
  // The image leads for kOwnPicture cells; for the others it is brought up to
  // date only when read, as nothing on screen is painted from it.
  mutable QImage image_;
  mutable std::array<std::array<bool, kFieldSize>, kFieldSize> behind_{};
  mutable bool any_behind_ = false;
  int step_ = 1;
  SpriteSet sprites_;  // at step_
};

}  // namespace noboria
