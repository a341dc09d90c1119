#pragma once
// The error cue: a box whose text is refused turns light red and its tooltip
// says what it accepts, until it holds a text it takes.

#include <QColor>
#include <QString>

class QLineEdit;

namespace noboria {

inline const QColor kErrorCueColor(0xFF, 0xC0, 0xC0);

void show_error_cue(QLineEdit& box, const QString& hint);
void clear_error_cue(QLineEdit& box);
bool has_error_cue(const QLineEdit& box);

}  // namespace noboria
