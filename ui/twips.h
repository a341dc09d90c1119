#pragma once
// The window layout is given in twips; 15 twips make one pixel. Halves round up.

#include <QRect>

namespace noboria {

inline int tw(int twips) { return (twips * 2 + 15) / 30; }  // non-negative twips only

inline QRect tw_rect(int left, int top, int width, int height) {
  return QRect(tw(left), tw(top), tw(width), tw(height));
}

}  // namespace noboria
