#include "ui/text_fit.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <cmath>

namespace noboria {

namespace {

// QLineEdit keeps this much space on each side inside its text margins.
constexpr int kLineEditInnerMargin = 2;

double text_width(const QFont& font, const QString& text) { return QFontMetricsF(font).horizontalAdvance(text); }

// The largest stretch, in whole percent down to minimum, at which text fits
// room; 100 when it fits unstretched or cannot be made to fit.
int fitting_stretch(QFont font, const QString& text, double room, int minimum) {
  font.setStretch(QFont::Unstretched);
  const double natural = text_width(font, text);
  if (natural <= room) return QFont::Unstretched;
  // Glyph advances do not scale exactly; step down from the estimate.
  for (int stretch = static_cast<int>(std::floor(100.0 * room / natural)); stretch >= minimum; --stretch) {
    font.setStretch(stretch);
    if (text_width(font, text) <= room) return stretch;
  }
  return QFont::Unstretched;
}

void set_stretch(QWidget& widget, int stretch) {
  QFont font = widget.font();
  const int current = font.stretch() == QFont::AnyStretch ? QFont::Unstretched : font.stretch();
  if (current == stretch) return;
  font.setStretch(stretch);
  widget.setFont(font);
}

}  // namespace

void fit_label_text(QLabel& label) {
  set_stretch(label, fitting_stretch(label.font(), label.text(), label.contentsRect().width(), kMinimumLabelStretch));
}

int box_text_room(const QLineEdit& box) {
  QStyleOptionFrame option;
  option.initFrom(&box);
  option.rect = box.rect();
  option.lineWidth = box.hasFrame() ? box.style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, &box) : 0;
  const QRect contents = box.style()->subElementRect(QStyle::SE_LineEditContents, &option, &box);
  const QMargins margins = box.textMargins();
  return contents.width() - margins.left() - margins.right() - 2 * kLineEditInnerMargin;
}

void fit_box_text(QLineEdit& box) {
  set_stretch(box, fitting_stretch(box.font(), box.text(), box_text_room(box), kMinimumBoxStretch));
}

}  // namespace noboria
