#pragma once
// The layout's widths were made for the original gothic's bitmap metrics; the
// stand-in font runs a few pixels wider on some captions and on three-digit
// values in the 25-pixel boxes. Such a text is drawn slightly condensed
// instead of cut, keeping the control's place, size and point size.

class QLabel;
class QLineEdit;

namespace noboria {

// Sets the label's font stretch so that its text fits its width, or back to
// 100 when it fits as it is. Text that would need squeezing below
// kMinimumLabelStretch percent is left as it is: it could not be read anyway.
void fit_label_text(QLabel& label);
inline constexpr int kMinimumLabelStretch = 70;

// The same for a text box's current text; a longer text scrolls as usual.
void fit_box_text(QLineEdit& box);
inline constexpr int kMinimumBoxStretch = 85;

// Width in pixels a text box gives its text.
int box_text_room(const QLineEdit& box);

}  // namespace noboria
