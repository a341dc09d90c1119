#pragma once
// The style's keyboard-focus frame, painted over a widget after its own
// painting, for controls whose style shows no focus of its own.

#include <QPalette>
#include <QStyleOptionFocusRect>
#include <QStylePainter>
#include <QWidget>

namespace noboria {

inline void paint_focus_frame(QWidget& widget, QPalette::ColorRole background) {
  QStylePainter painter(&widget);
  QStyleOptionFocusRect option;
  option.initFrom(&widget);
  option.backgroundColor = widget.palette().color(background);
  painter.drawPrimitive(QStyle::PE_FrameFocusRect, option);
}

}  // namespace noboria
