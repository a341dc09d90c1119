#pragma once
// The program's embedded pictures and where to find them. Call
// ensure_pictures() before loading one: a static library's resources are
// otherwise registered only if the linker happened to keep them.

#include <QString>

namespace noboria {

// Registers the embedded pictures once; later calls cost nothing.
void ensure_pictures();

// Field sprite k = plant level + 3 x occupant, k in 0..8, 24 x 24, opaque.
QString sprite_path(int k);

inline const QString kLegendHerbivorePath = QStringLiteral(":/pictures/legend_herbivore.xpm");
inline const QString kLegendCarnivorePath = QStringLiteral(":/pictures/legend_carnivore.xpm");
inline const QString kIconPath = QStringLiteral(":/pictures/icon.xpm");
inline const QString kAboutZebraPath = QStringLiteral(":/pictures/about_zebra.xpm");

}  // namespace noboria
