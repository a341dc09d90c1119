// Numbers shown in labels: the same text and the same condensing as fitting
// each text anew, nothing done for an unchanged number, and digits drawn
// without shaping look exactly as with it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPaintEvent>
#include <QPixmap>
#include <QTest>
#include <memory>

#include "ui/fonts.h"
#include "ui/text_fit.h"

namespace noboria {
namespace {

// A label like daycap: 49 x 25 pixels, gothic 15.75, centred.
std::unique_ptr<QLabel> daycap_like(int width = 49) {
  auto label = std::make_unique<QLabel>();
  label->resize(width, 25);
  label->setFont(gothic(15.75));
  label->setAlignment(Qt::AlignCenter);
  return label;
}

int stretch_of(const QLabel& label) {
  return label.font().stretch() == QFont::AnyStretch ? QFont::Unstretched : label.font().stretch();
}

TEST(ShowLabelNumber, CondensesAsFittingEachTextAnew) {
  const int values[] = {0, 7, 42, 999, 1000, 1234, 9999, 10000, 32767, 99999, 123456, 2147483647, -5, -1000};
  for (int width : {49, 40, 60}) {
    auto shown = daycap_like(width);
    auto fitted = daycap_like(width);
    for (int round = 0; round < 2; ++round) {  // the second round from the memo
      for (int value : values) {
        SCOPED_TRACE(testing::Message() << width << " " << value);
        show_label_number(*shown, value, true);
        fitted->setText(QString::number(value));
        fit_label_text(*fitted);
        EXPECT_EQ(shown->text(), QString::number(value));
        EXPECT_EQ(stretch_of(*shown), stretch_of(*fitted));
      }
    }
  }
  // At daycap's width four digits need condensing, three do not.
  auto label = daycap_like();
  show_label_number(*label, 999, true);
  EXPECT_EQ(stretch_of(*label), QFont::Unstretched);
  show_label_number(*label, 1000, true);
  EXPECT_LT(stretch_of(*label), QFont::Unstretched);
  EXPECT_LE(QFontMetricsF(label->font()).horizontalAdvance(label->text()), 49);
}

TEST(ShowLabelNumber, FollowsALabelThatIsMadeNarrowerOrGetsAnotherFont) {
  auto label = daycap_like(60);
  show_label_number(*label, 1234, true);
  EXPECT_EQ(stretch_of(*label), QFont::Unstretched);
  label->resize(45, 25);
  show_label_number(*label, 4321, true);
  EXPECT_LT(stretch_of(*label), QFont::Unstretched);
  const int at_45 = stretch_of(*label);
  QFont bigger = label->font();
  bigger.setPointSizeF(17);
  label->setFont(bigger);
  show_label_number(*label, 1111, true);
  EXPECT_LT(stretch_of(*label), at_45);
}

TEST(ShowLabelNumber, WithoutFittingLeavesTheStretchAsItWas) {
  auto label = daycap_like();
  QFont condensed = label->font();
  condensed.setStretch(80);
  label->setFont(condensed);
  show_label_number(*label, 12, false);
  EXPECT_EQ(label->text(), QStringLiteral("12"));
  EXPECT_EQ(stretch_of(*label), 80);
}

class PaintCounter final : public QObject {
 public:
  explicit PaintCounter(QWidget& widget) { widget.installEventFilter(this); }
  int paints = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++paints;
    return false;
  }
};

TEST(ShowLabelNumber, AnUnchangedNumberIsNotRepainted) {
  auto label = daycap_like();
  PaintCounter counter(*label);
  show_label_number(*label, 5, true);
  label->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(label.get()));
  QCoreApplication::processEvents();
  counter.paints = 0;
  show_label_number(*label, 5, true);
  show_label_number(*label, 5, false);
  QCoreApplication::processEvents();
  EXPECT_EQ(counter.paints, 0);
  show_label_number(*label, 6, true);
  QCoreApplication::processEvents();
  EXPECT_EQ(counter.paints, 1);
  EXPECT_EQ(label->text(), QStringLiteral("6"));
}

QImage rendered(QLabel& label) { return label.grab().toImage().convertToFormat(QImage::Format_RGB32); }

TEST(ShowLabelNumber, DigitsLookTheSameWithoutShaping) {
  // The labels of the counts and the day, at their sizes and condensed.
  struct Case {
    double point_size;
    int stretch;
    QSize size;
  };
  const Case cases[] = {
      {15.75, 100, {49, 25}}, {15.75, 86, {49, 25}}, {15.75, 71, {49, 25}},
      {11.25, 100, {49, 17}}, {11.25, 88, {41, 25}}, {9, 100, {40, 20}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.point_size << " " << c.stretch);
    QLabel shaped;
    QLabel unshaped;
    for (QLabel* label : {&shaped, &unshaped}) {
      QFont font = gothic(c.point_size);
      font.setStretch(c.stretch);
      label->setFont(font);
      label->resize(c.size);
      label->setAlignment(Qt::AlignCenter);
    }
    show_label_number(unshaped, -1, false);  // switches the font to no shaping
    ASSERT_TRUE(unshaped.font().styleStrategy() & QFont::PreferNoShaping);
    ASSERT_FALSE(shaped.font().styleStrategy() & QFont::PreferNoShaping);
    for (int value = 0; value < 100000; value += value < 1100 ? 1 : 97) {
      const QString text = QString::number(value);
      shaped.setText(text);
      unshaped.setText(text);
      ASSERT_EQ(rendered(shaped), rendered(unshaped)) << value;
    }
  }
}

}  // namespace
}  // namespace noboria
