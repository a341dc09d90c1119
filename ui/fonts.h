#pragma once
// The program's fonts. Every explicit font is asked for as "ＭＳ Ｐゴシック";
// where the system lacks it, IPAPGothic and then Noto Sans CJK JP stand in.

#include <QFont>

namespace noboria {

// The windows' own size, for controls that ask for no other.
inline constexpr double kDefaultPoints = 9;

// Registers the fallback and makes that family at 9 pt the application font
// (message boxes included). Call once, after QApplication and before any widget.
void install_fonts();

QFont gothic(double point_size, bool bold = false, bool underline = false);

}  // namespace noboria
