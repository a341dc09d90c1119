#include "ui/text_fit.h"

#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>
#include <array>
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

// True when every digit string of a length is as wide as every other.
bool digits_share_one_advance(const QFont& font) {
  const QFontMetricsF metrics(font);
  const double advance = metrics.horizontalAdvance(QLatin1Char('0'));
  QString pairs;  // every ordered pair of digits, to catch kerning
  for (char first = '0'; first <= '9'; ++first) {
    if (metrics.horizontalAdvance(QLatin1Char(first)) != advance) return false;
    for (char second = '0'; second <= '9'; ++second) {
      pairs += QLatin1Char(first);
      pairs += QLatin1Char(second);
    }
  }
  return metrics.horizontalAdvance(pairs) == advance * static_cast<double>(pairs.size());
}

// The stretches a label's counts need, by length, kept as the label's child
// for as long as its font and width stay as they were.
class NumberFit final : public QObject {
 public:
  explicit NumberFit(QLabel& label) : QObject(&label) {}

  static NumberFit& of(QLabel& label) {
    for (QObject* child : label.children()) {
      if (auto* memo = dynamic_cast<NumberFit*>(child)) return *memo;
    }
    return *new NumberFit(label);
  }

  // The stretch for a count of length digits in the label as it is now.
  int stretch(const QLabel& label, const QString& text) {
    QFont font = label.font();
    font.setStretch(QFont::Unstretched);
    const int room = label.contentsRect().width();
    if (room != room_ || font != font_) {
      font_ = font;
      room_ = room;
      uniform_ = digits_share_one_advance(font);
      by_length_.fill(kUnknown);
    }
    if (!uniform_ || text.size() >= static_cast<qsizetype>(by_length_.size()))
      return fitting_stretch(font, text, room, kMinimumLabelStretch);
    int& known = by_length_[static_cast<std::size_t>(text.size())];
    if (known == kUnknown) known = fitting_stretch(font, text, room, kMinimumLabelStretch);
    return known;
  }

 private:
  static constexpr int kUnknown = 0;
  QFont font_;
  int room_ = -1;
  bool uniform_ = false;
  std::array<int, 11> by_length_{};  // up to the ten digits of an int
};

}  // namespace

void fit_label_text(QLabel& label) {
  set_stretch(label, fitting_stretch(label.font(), label.text(), label.contentsRect().width(), kMinimumLabelStretch));
}

void show_label_number(QLabel& label, int value, bool fit) {
  const QString text = QString::number(value);
  if (label.text() == text) return;
  if (!(label.font().styleStrategy() & QFont::PreferNoShaping)) {
    // Digits need no shaping: without it they get the same glyphs at the same
    // places, and each repaint spares a pass through the shaper.
    QFont font = label.font();
    font.setStyleStrategy(QFont::StyleStrategy(font.styleStrategy() | QFont::PreferNoShaping));
    label.setFont(font);
  }
  label.setText(text);
  if (!fit) return;
  if (value < 0) {
    // The sign's width and kerning are not worth a memo: such counts do not arise.
    fit_label_text(label);
    return;
  }
  set_stretch(label, NumberFit::of(label).stretch(label, text));
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
