#include "assets/pictures.h"

#include <QtCore/qglobal.h>

// Q_INIT_RESOURCE declares the registration function where it is used, so it
// must be used outside any namespace.
static void register_pictures() { Q_INIT_RESOURCE(noboria_pictures); }

namespace noboria {

void ensure_pictures() {
  static const bool registered = (register_pictures(), true);
  (void)registered;
}

QString sprite_path(int k) { return QStringLiteral(":/sprites/sprite%1.xpm").arg(k); }

}  // namespace noboria
