#pragma once
// The layout's widths suit a narrower gothic than the stand-in font, which
// runs a few pixels wider on some captions and on three-digit values in the
// 25-pixel boxes. Such a text is drawn slightly condensed instead of cut,
// keeping the control's place, size and point size.

class QLabel;
class QLineEdit;

namespace noboria {

// Sets the label's font stretch so that its text fits its width, or back to
// 100 when it fits as it is. Text that would need squeezing below
// kMinimumLabelStretch percent is left as it is: it could not be read anyway.
void fit_label_text(QLabel& label);
inline constexpr int kMinimumLabelStretch = 70;

// Shows a whole number as the label's text, condensed as fit_label_text does
// when fit is set. A label already showing that number is left alone. While
// the label's font gives every digit one advance and kerns no pair of them, a
// count's width depends on its length only, so the stretch is worked out once
// per length and kept with the label. The label's font is set to prefer no
// shaping, which draws digits exactly as before at less cost.
void show_label_number(QLabel& label, int value, bool fit);

// The same for a text box's current text; a longer text scrolls as usual.
void fit_box_text(QLineEdit& box);
inline constexpr int kMinimumBoxStretch = 85;

// Width in pixels a text box gives its text.
int box_text_room(const QLineEdit& box);

}  // namespace noboria
