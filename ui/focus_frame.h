#pragma once
// The keyboard-focus mark, painted over a widget after its own painting, for
// controls whose style shows no focus of its own. The style's mark is a faint
// tint (about 1.8 : 1 against a light ground); this one is a solid line of
// the highlight colour, darkened until it stands out from the ground by at
// least 4.5 : 1, so that a pupil who sees poorly can follow the focus.

#include <QPainter>
#include <QPalette>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace noboria {

// WCAG's relative luminance and contrast ratio of two colours.
inline double luminance(const QColor& c) {
  auto channel = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
  return 0.2126 * channel(c.redF()) + 0.7152 * channel(c.greenF()) + 0.0722 * channel(c.blueF());
}

inline double contrast(const QColor& a, const QColor& b) {
  const double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The mark's colour on the given ground.
inline QColor focus_colour(const QPalette& palette, const QColor& ground) {
  QColor colour = palette.color(QPalette::Highlight);
  for (int i = 0; i < 20 && contrast(colour, ground) < 4.5; ++i) colour = colour.darker(120);
  return colour;
}

// A one-pixel line round the widget's edge, shown only once the keyboard has
// moved the focus, as the style's own mark. With a halo, a second line just
// inside in the base colour keeps the mark apart from dark pixels beneath it
// (arrows, sprites); without, nothing inside the edge is covered (text).
inline void paint_focus_frame(QWidget& widget, QPalette::ColorRole background, bool halo = false) {
  if (!widget.window()->testAttribute(Qt::WA_KeyboardFocusChange)) return;
  QPainter painter(&widget);
  const QRect edge = widget.rect().adjusted(0, 0, -1, -1);
  if (halo) {
    painter.setPen(widget.palette().color(QPalette::Base));
    painter.drawRect(edge.adjusted(1, 1, -1, -1));
  }
  painter.setPen(focus_colour(widget.palette(), widget.palette().color(background)));
  painter.drawRect(edge);
}

}  // namespace noboria
