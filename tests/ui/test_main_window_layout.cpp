// form1 at design time: the window, every control's place, caption, font and
// colours, the step controls' ranges and the keyboard order.
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPixmap>
#include <vector>

#include "test_main_window_fixture.h"
#include "ui/text_fit.h"
#include "ui/twips.h"
#include "view/field_view.h"

namespace noboria {
namespace {

const QColor kLightYellow(0xFF, 0xFF, 0xC0);
const QColor kGreen(0x00, 0x80, 0x00);
const QColor kBlue(0x00, 0x00, 0xC0);
const QColor kRed(0xC0, 0x00, 0x00);

using MainWindowLayoutTest = MainWindowTest;

TEST_F(MainWindowLayoutTest, WindowIsAFixedLightYellowClientAreaOf664By520) {
  EXPECT_EQ(window->objectName(), QStringLiteral("form1"));
  EXPECT_TRUE(window->isWindow());
  EXPECT_EQ(window->size(), QSize(664, 520));
  EXPECT_EQ(window->minimumSize(), QSize(664, 520));
  EXPECT_EQ(window->maximumSize(), QSize(664, 520));
  const Qt::WindowFlags flags = window->windowFlags();
  EXPECT_TRUE(flags.testFlag(Qt::WindowMinimizeButtonHint));
  EXPECT_FALSE(flags.testFlag(Qt::WindowMaximizeButtonHint));
  EXPECT_TRUE(window->autoFillBackground());
  EXPECT_EQ(window->palette().color(QPalette::Window), kLightYellow);
  EXPECT_FALSE(window->windowIcon().isNull());
}

TEST_F(MainWindowLayoutTest, CaptionKeepsEverySpace) {
  // Written out here as UTF-8 text, apart from the code that builds it.
  const QString expected = QString::fromUtf8("ノボリア　Ｖｅｒ2.0　　Feb,2007") + QString(40, QLatin1Char(' ')) +
                           QString::fromUtf8("　　　　　　　　　programed　by　Ostel.Vanrimo　");
  EXPECT_EQ(window->windowTitle(), expected);
  EXPECT_EQ(window->windowTitle().size(), 97);
  EXPECT_EQ(window->windowTitle().count(QChar(0x3000)), 15);
  EXPECT_EQ(window->windowTitle().count(QLatin1Char(' ')), 40);
  EXPECT_TRUE(window->windowTitle().endsWith(QChar(0x3000)));
}

struct PlaceCase {
  const char* name;
  QRect rect;
};

TEST_F(MainWindowLayoutTest, ControlsStandAtTheirPixelPlaces) {
  const PlaceCase cases[] = {
      {"Label1_0", QRect(416, 24, 177, 17)},   {"p_text", QRect(600, 24, 25, 18)},
      {"HS0", QRect(624, 24, 25, 17)},         {"Label1_1", QRect(416, 48, 177, 17)},
      {"Label1_3", QRect(432, 72, 161, 17)},   {"Zh_text", QRect(600, 72, 25, 18)},
      {"Label1_5", QRect(432, 96, 161, 17)},   {"Label1_2", QRect(416, 128, 177, 17)},
      {"l_text", QRect(600, 128, 25, 18)},     {"HS4", QRect(624, 128, 25, 17)},
      {"Label1_4", QRect(432, 160, 161, 17)},  {"Label1_6", QRect(432, 184, 161, 17)},
      {"Label1_7", QRect(416, 208, 185, 17)},  {"lm_text", QRect(600, 208, 25, 18)},
      {"Label1_8", QRect(432, 232, 169, 17)},  {"HS8", QRect(624, 232, 25, 17)},
      {"Picture1", QRect(384, 64, 33, 33)},    {"Picture3", QRect(384, 152, 41, 41)},
      {"Label1_10", QRect(400, 264, 65, 17)},  {"z_suu", QRect(472, 264, 49, 17)},
      {"Label1_9", QRect(528, 264, 65, 17)},   {"l_suu", QRect(600, 264, 41, 25)},
      {"gra", QRect(384, 296, 273, 217)},      {"Label1_12", QRect(16, 408, 337, 17)},
      {"sim_com", QRect(8, 432, 97, 25)},      {"Command2", QRect(120, 432, 57, 25)},
      {"Command1", QRect(192, 432, 49, 25)},   {"Label1_11", QRect(280, 432, 41, 17)},
      {"daycap", QRect(320, 432, 49, 25)},     {"Label1_13", QRect(104, 472, 209, 17)},
      {"speed", QRect(320, 472, 25, 18)},      {"HSsp", QRect(344, 472, 25, 17)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    QWidget* widget = child<QWidget>(QString::fromLatin1(c.name));
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->parentWidget(), window.get());
    EXPECT_EQ(widget->geometry(), c.rect);
  }
  EXPECT_EQ(window->field()->geometry(), FieldView::window_rect());
  // The field ends before the right-hand column begins.
  EXPECT_LT(FieldView::window_rect().right(), 384);
}

TEST_F(MainWindowLayoutTest, ParameterRowsHaveTheirControlsOnOneLine) {
  const char* const boxes[] = {"p_text", "Z_text", "Zh_text", "ze_text", "l_text",
                               "lh_text", "le_text", "lm_text", "lK_text"};
  const int tops[] = {360, 720, 1080, 1440, 1920, 2400, 2760, 3120, 3480};
  for (int i = 0; i < kBoxCount; ++i) {
    SCOPED_TRACE(boxes[i]);
    EXPECT_EQ(edit(kAllBoxes[i])->objectName(), QString::fromLatin1(boxes[i]));
    EXPECT_EQ(edit(kAllBoxes[i])->geometry(), tw_rect(9000, tops[i], 375, 270));
    EXPECT_EQ(window->HS(i)->objectName(), QStringLiteral("HS%1").arg(i));
    EXPECT_EQ(window->HS(i)->geometry(), tw_rect(9360, tops[i], 375, 255));
  }
}

struct LabelCase {
  const char* name;
  QString text;
  double point_size;
  QColor colour;
};

TEST_F(MainWindowLayoutTest, LabelsShowTheirCaptionsInGothicAndTheirColours) {
  const LabelCase cases[] = {
      {"Label1_0", QStringLiteral("植物の繁殖の速さ\u3000\u30000-8"), 12, kGreen},
      {"Label1_1", QStringLiteral("草食動物の数\u3000\u3000\u30001-100"), 12, kBlue},
      {"Label1_3", QStringLiteral("子供をうむまでの日数\u30001-50"), 9.75, kBlue},
      {"Label1_5", QStringLiteral("えさなしで生きる日数\u30001-20"), 9.75, kBlue},
      {"Label1_2", QStringLiteral("肉食動物の数\u3000\u3000\u30001-100"), 12, kRed},
      {"Label1_4", QStringLiteral("子供をうむまでの日数\u30001-50"), 9.75, kRed},
      {"Label1_6", QStringLiteral("えさなしで生きる日数\u30001-20"), 9.75, kRed},
      {"Label1_7", QStringLiteral("満腹でえさをとらない日数\u30000-5"), 9.75, kRed},
      {"Label1_8", QStringLiteral("えさをとる確率\u30001-10割"), 12, kRed},
      {"Label1_10", QStringLiteral("草食の数"), 12, kBlue},
      {"Label1_9", QStringLiteral("肉食の数"), 12, kRed},
      {"Label1_12", QStringLiteral("パラメータを調節し、生態系を長く維持してください。"), 12, kGreen},
      {"Label1_11", QStringLiteral("日数"), 12, kBlue},
      {"Label1_13", QStringLiteral("シュミレーションの速さ\u30001-100"), 12, kGreen},
      {"z_suu", QStringLiteral("Label1"), 11.25, QApplication::palette().color(QPalette::WindowText)},
      {"l_suu", QStringLiteral("Label1"), 11.25, QApplication::palette().color(QPalette::WindowText)},
      {"daycap", QStringLiteral("Label1"), 15.75, QApplication::palette().color(QPalette::Highlight)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    QLabel* l = label(QString::fromLatin1(c.name));
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->text(), c.text);
    EXPECT_EQ(l->textFormat(), Qt::PlainText);
    EXPECT_EQ(l->font().pointSizeF(), c.point_size);
    EXPECT_FALSE(l->font().bold());
    EXPECT_FALSE(l->font().italic());
    EXPECT_FALSE(l->font().underline());
    EXPECT_EQ(QFontInfo(l->font()).family(), QStringLiteral("IPAPGothic"));
    EXPECT_EQ(l->palette().color(QPalette::WindowText), c.colour);
    EXPECT_TRUE(l->autoFillBackground());
    EXPECT_EQ(l->palette().color(QPalette::Window), kLightYellow);
    EXPECT_EQ(l->alignment(), Qt::AlignLeft | Qt::AlignTop);
  }
}

TEST_F(MainWindowLayoutTest, BoxesAndButtonsUseTheWindowFontAndHoldDesignTexts) {
  for (Box b : kAllBoxes) {
    SCOPED_TRACE(edit(b)->objectName().toStdString());
    EXPECT_EQ(edit(b)->text(), QStringLiteral("1"));
    EXPECT_TRUE(edit(b)->alignment().testFlag(Qt::AlignLeft));
    EXPECT_EQ(edit(b)->font(), QApplication::font());
  }
  EXPECT_EQ(window->speed_box()->text(), QStringLiteral("4"));
  EXPECT_TRUE(window->speed_box()->alignment().testFlag(Qt::AlignLeft));

  const std::pair<QPushButton*, QString> buttons[] = {
      {window->sim_com(), QStringLiteral("シミュレーション")},
      {window->Command2(), QStringLiteral("停止")},
      {window->Command1(), QStringLiteral("解説")},
  };
  for (const auto& [button, text] : buttons) {
    EXPECT_EQ(button->text(), text);
    EXPECT_EQ(button->font(), QApplication::font());
    EXPECT_EQ(QFontInfo(button->font()).family(), QStringLiteral("IPAPGothic"));
    EXPECT_EQ(QFontInfo(button->font()).pointSizeF(), 9);
  }
}

struct BarCase {
  int index;  // -1 for HSsp
  int minimum, maximum, value;
};

TEST_F(MainWindowLayoutTest, StepControlsHaveTheirRangesAndDesignValues) {
  const BarCase cases[] = {
      {0, 0, 8, 0},  {1, 1, 150, 1}, {2, 1, 50, 1},  {3, 1, 20, 1},   {4, 1, 100, 50},
      {5, 1, 50, 1}, {6, 1, 20, 1},  {7, 0, 5, 1},   {8, 0, 10, 0},   {-1, 1, 200, 1},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.index);
    QScrollBar* bar = c.index < 0 ? window->HSsp() : window->HS(c.index);
    EXPECT_EQ(bar->orientation(), Qt::Horizontal);
    EXPECT_EQ(bar->minimum(), c.minimum);
    EXPECT_EQ(bar->maximum(), c.maximum);
    EXPECT_EQ(bar->value(), c.value);
    EXPECT_EQ(bar->singleStep(), 1);
    EXPECT_EQ(bar->pageStep(), 1);
  }
}

TEST_F(MainWindowLayoutTest, LegendPicturesGraphLabelsAndNoDesignTimeRun) {
  ASSERT_NE(label(QStringLiteral("Picture1")), nullptr);
  EXPECT_EQ(label(QStringLiteral("Picture1"))->pixmap().size(), QSize(32, 32));
  EXPECT_EQ(label(QStringLiteral("Picture3"))->pixmap().size(), QSize(32, 32));
  EXPECT_EQ(label(QStringLiteral("Picture3"))->palette().color(QPalette::Window), kLightYellow);
  QLabel* label200 = window->gra()->findChild<QLabel*>(QStringLiteral("Label2_1"));
  QLabel* label100 = window->gra()->findChild<QLabel*>(QStringLiteral("Label2_0"));
  ASSERT_NE(label200, nullptr);
  ASSERT_NE(label100, nullptr);
  EXPECT_EQ(label200->text(), QStringLiteral("200"));
  EXPECT_EQ(label100->text(), QStringLiteral("100"));
  // Nothing runs before the load: no draws, Timer1 off at 200 ms.
  EXPECT_EQ(window->sim().draws(), 0u);
  EXPECT_FALSE(window->timer().enabled());
  EXPECT_EQ(window->timer().interval(), 200);
  EXPECT_EQ(window->about_window(), nullptr);
}

double text_width(const QLabel& label) { return QFontMetricsF(label.font()).horizontalAdvance(label.text()); }

TEST_F(MainWindowLayoutTest, EveryCaptionFitsItsLabelWithoutBeingCut) {
  int condensed = 0;
  for (QLabel* l : window->findChildren<QLabel*>()) {
    if (l->text().isEmpty()) continue;  // the pictures
    SCOPED_TRACE(l->objectName().toStdString());
    EXPECT_LE(text_width(*l), l->contentsRect().width());
    if (l->font().stretch() != QFont::AnyStretch && l->font().stretch() != QFont::Unstretched) {
      ++condensed;
      EXPECT_GE(l->font().stretch(), kMinimumLabelStretch);
    }
  }
  // Label1(0), (1), (2), (3), (4), (12) and (13), and the placeholder
  // "Label1" in l_suu and daycap, run wider than their boxes in the stand-in
  // font.
  EXPECT_EQ(condensed, 9);
}

TEST_F(MainWindowLayoutTest, DaycapCondensesLongDayNumbersButNotTheInstruction) {
  window->show_day(999);
  EXPECT_EQ(window->daycap()->font().stretch(), QFont::Unstretched);
  window->show_day(32767);
  EXPECT_LT(window->daycap()->font().stretch(), QFont::Unstretched);
  EXPECT_LE(text_width(*window->daycap()), 49);
  window->show_day(12);
  EXPECT_EQ(window->daycap()->font().stretch(), QFont::Unstretched);
  load();  // the instruction would need squeezing to a tenth: left as it is
  EXPECT_EQ(window->daycap()->font().stretch(), QFont::Unstretched);
  EXPECT_EQ(window->daycap()->font().pointSizeF(), 15.75);
}

// Follows the Tab key from the start button once round the window.
TEST_F(MainWindowLayoutTest, TabVisitsInputsAndButtonsInDesignOrder) {
  load_and_show();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
  window->sim_com()->setFocus(Qt::OtherFocusReason);
  ASSERT_EQ(QApplication::focusWidget(), window->sim_com());

  const QStringList expected = {
      QStringLiteral("sim_com"), QStringLiteral("p_text"), QStringLiteral("Z_text"),  QStringLiteral("Zh_text"),
      QStringLiteral("ze_text"), QStringLiteral("l_text"), QStringLiteral("lh_text"), QStringLiteral("le_text"),
      QStringLiteral("lm_text"), QStringLiteral("lK_text"), QStringLiteral("Command2"), QStringLiteral("speed"),
      QStringLiteral("HS0"),     QStringLiteral("HSsp"),   QStringLiteral("HS1"),     QStringLiteral("HS2"),
      QStringLiteral("HS3"),     QStringLiteral("HS4"),    QStringLiteral("HS5"),     QStringLiteral("HS6"),
      QStringLiteral("HS7"),     QStringLiteral("HS8"),    QStringLiteral("Command1"), QStringLiteral("sim_com"),
  };
  QStringList visited = {QApplication::focusWidget()->objectName()};
  for (int i = 1; i < expected.size(); ++i) {
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    visited << QApplication::focusWidget()->objectName();
  }
  EXPECT_EQ(visited, expected);
}

TEST_F(MainWindowLayoutTest, EveryInputHasTheCaptionOfItsRowAsAccessibleName) {
  const QString captions[] = {
      QStringLiteral("植物の繁殖の速さ\u3000\u30000-8"),   QStringLiteral("草食動物の数\u3000\u3000\u30001-100"),
      QStringLiteral("子供をうむまでの日数\u30001-50"),     QStringLiteral("えさなしで生きる日数\u30001-20"),
      QStringLiteral("肉食動物の数\u3000\u3000\u30001-100"), QStringLiteral("子供をうむまでの日数\u30001-50"),
      QStringLiteral("えさなしで生きる日数\u30001-20"),     QStringLiteral("満腹でえさをとらない日数\u30000-5"),
      QStringLiteral("えさをとる確率\u30001-10割"),
  };
  for (int i = 0; i < kBoxCount; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(edit(kAllBoxes[i])->accessibleName(), captions[i]);
    EXPECT_EQ(window->HS(i)->accessibleName(), captions[i]);
    EXPECT_TRUE(window->HS(i)->focusPolicy() & Qt::TabFocus);
  }
  EXPECT_EQ(window->speed_box()->accessibleName(), QStringLiteral("シュミレーションの速さ\u30001-100"));
  EXPECT_EQ(window->HSsp()->accessibleName(), QStringLiteral("シュミレーションの速さ\u30001-100"));
  EXPECT_TRUE(window->HSsp()->focusPolicy() & Qt::TabFocus);
  EXPECT_EQ(window->sim_com()->accessibleName(), QStringLiteral("シミュレーション"));
}

}  // namespace
}  // namespace noboria
