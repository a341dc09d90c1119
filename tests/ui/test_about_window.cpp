// Form2: its layout and texts, the address clicks and the OK button.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "fake_services.h"
#include "ui/about_window.h"

namespace noboria {
namespace {

const QString kUrl = QStringLiteral("https://example.org/noboria/");
const QString kMail = QStringLiteral("noboria@example.org");
const QString kUrlMessage =
    QStringLiteral("クリックボードにURLを転送しました。ブラウザに貼り付けてHPを訪れてください");
const QString kMailMessage =
    QStringLiteral("クリックボードにメールアドレスを転送しました。メーラーに貼り付けてメールをお願いします");

void process_deferred_deletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

class AboutWindowTest : public ::testing::Test {
 protected:
  void TearDown() override {
    delete about.data();  // still open when a test did not close it
  }

  QLabel* label(const char* name) const { return about->findChild<QLabel*>(QString::fromLatin1(name)); }
  QPushButton* ok_button() const { return about->findChild<QPushButton*>(QStringLiteral("Command1")); }

  FakeServices services;
  QWidget main_window;
  QPointer<AboutWindow> about = new AboutWindow(services, &main_window);
};

TEST_F(AboutWindowTest, WindowIsAFixedWhiteTopLevelOf381By281) {
  EXPECT_EQ(about->objectName(), QStringLiteral("Form2"));
  EXPECT_EQ(about->windowTitle(), QStringLiteral("ノボリアについて"));
  EXPECT_TRUE(about->isWindow());
  EXPECT_EQ(about->parentWidget(), nullptr);
  EXPECT_EQ(about->size(), QSize(381, 281));
  EXPECT_EQ(about->minimumSize(), QSize(381, 281));
  EXPECT_EQ(about->maximumSize(), QSize(381, 281));
  EXPECT_TRUE(about->testAttribute(Qt::WA_DeleteOnClose));
  EXPECT_TRUE(about->autoFillBackground());
  EXPECT_EQ(about->palette().color(QPalette::Window), QColor(0xFF, 0xFF, 0xFF));
  EXPECT_FALSE(about->isVisible());  // a fresh window waits for its show
}

struct ControlCase {
  const char* name;
  QString text;
  QRect geometry;
};

TEST_F(AboutWindowTest, EveryControlHasItsNameTextAndPlace) {
  const ControlCase cases[] = {
      {"Label1", QStringLiteral("ノボリア\u3000Ｖｅｒ2.0"), QRect(40, 24, 249, 33)},
      {"Label2",
       QStringLiteral("\u3000このプログラムの目的は あなたが\u3000【創造主】となり、"
                      "生物の性質を決め、生態系をできるだけ長く維持することです。"),
       QRect(48, 56, 301, 92)},
      {"Label5", QStringLiteral("生態系のバランスについて考えるきっかけになればと思います。"),
       QRect(136, 144, 137, 49)},
      {"Label3", QStringLiteral("作者のＨＰには、学習クイズなどもあるので、たずねてみましょう。"),
       QRect(40, 200, 201, 57)},
      {"Label4", kUrl, QRect(40, 232, 241, 17)},
      {"Label6", kMail, QRect(128, 256, 137, 17)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    QLabel* l = label(c.name);
    ASSERT_NE(l, nullptr);
    EXPECT_EQ(l->text(), c.text);
    EXPECT_EQ(l->geometry(), c.geometry);
    EXPECT_EQ(l->textFormat(), Qt::PlainText);
    EXPECT_EQ(l->alignment(), Qt::AlignLeft | Qt::AlignTop);
    EXPECT_TRUE(l->autoFillBackground());
  }

  QPushButton* ok = ok_button();
  ASSERT_NE(ok, nullptr);
  EXPECT_EQ(ok->text(), QStringLiteral("Ｏ\u3000Ｋ"));
  EXPECT_EQ(ok->geometry(), QRect(272, 232, 89, 25));
  EXPECT_EQ(ok->palette().color(QPalette::Button), QColor(0xFF, 0xFF, 0xFF));
}

// "mail:" is a little wider in the stand-in font than its 25-pixel box:
// the box grows just enough to show it whole, and stops short of Label6.
TEST_F(AboutWindowTest, MailCaptionShowsWholeWithoutReachingTheAddress) {
  QLabel* l = label("Label7");
  ASSERT_NE(l, nullptr);
  EXPECT_EQ(l->text(), QStringLiteral("mail:"));
  EXPECT_EQ(l->pos(), QPoint(96, 256));
  EXPECT_EQ(l->height(), 17);
  const QFontMetrics metrics(l->font());
  EXPECT_GE(l->width(), 25);
  EXPECT_GE(l->width(), metrics.horizontalAdvance(l->text()));
  EXPECT_GT(l->width(), metrics.tightBoundingRect(l->text()).right());
  EXPECT_LE(l->geometry().right(), label("Label6")->x() - 1);
}

// Wrapped captions need their lines inside the visible part of their box
// (Label4 lies over the foot of Label3); one-line captions their full width.
TEST_F(AboutWindowTest, EveryCaptionFitsItsBoxInTheProgramFont) {
  const struct {
    const char* name;
    int visible_height;
  } wrapped[] = {{"Label2", 92}, {"Label3", 232 - 200}, {"Label5", 49}};
  for (const auto& c : wrapped) {
    SCOPED_TRACE(c.name);
    QLabel* l = label(c.name);
    EXPECT_LE(l->heightForWidth(l->width()), c.visible_height);
  }
  for (const char* name : {"Label1", "Label4", "Label6", "Label7"}) {
    SCOPED_TRACE(name);
    QLabel* l = label(name);
    const QFontMetrics metrics(l->font());
    EXPECT_LE(metrics.horizontalAdvance(l->text()), l->width());
    EXPECT_LE(metrics.height(), l->height());
  }
}

TEST_F(AboutWindowTest, PictureBoxFitsTheZebraWithItsBorder) {
  QLabel* picture = label("Picture1");
  ASSERT_NE(picture, nullptr);
  EXPECT_EQ(picture->geometry(), QRect(280, 128, 84, 85));
  EXPECT_EQ(picture->frameWidth(), 2);
  EXPECT_EQ(picture->contentsRect().size(), QSize(80, 81));
  EXPECT_EQ(picture->palette().color(QPalette::Window), QColor(0xFF, 0xFF, 0xFF));
  EXPECT_EQ(picture->pixmap().size(), QSize(80, 81));
  EXPECT_FALSE(about->windowIcon().isNull());
}

struct LookCase {
  const char* name;
  double point_size;  // 0: the window's default font
  bool bold;
  bool underline;
  QColor text;
  QColor background;
};

TEST_F(AboutWindowTest, EachCaptionHasItsFontAndColours) {
  const QColor white(0xFF, 0xFF, 0xFF);
  const QColor title_text = about->palette().color(QPalette::HighlightedText);
  const QColor default_text = about->palette().color(QPalette::WindowText);
  const LookCase cases[] = {
      {"Label1", 15.75, true, false, QColor(0x00, 0x80, 0x00), white},
      {"Label2", 14.25, false, false, QColor(0x80, 0x00, 0x80), white},
      {"Label5", 0, false, false, default_text, white},
      {"Label3", 0, false, false, QColor(0x00, 0x00, 0xC0), white},
      {"Label4", 9, false, true, QColor(0xC0, 0x40, 0x00), white},
      {"Label7", 0, false, false, QColor(0x80, 0x80, 0x00), title_text},
      {"Label6", 9, false, true, QColor(0x80, 0x80, 0x00), title_text},
  };
  const QFont window_font = QApplication::font();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    QLabel* l = label(c.name);
    ASSERT_NE(l, nullptr);
    const QFont f = l->font();
    if (c.point_size == 0) {
      EXPECT_EQ(f, window_font);
    } else {
      EXPECT_EQ(f.family(), QStringLiteral("ＭＳ Ｐゴシック"));
      EXPECT_DOUBLE_EQ(f.pointSizeF(), c.point_size);
    }
    EXPECT_EQ(f.bold(), c.bold);
    EXPECT_EQ(f.underline(), c.underline);
    EXPECT_EQ(l->palette().color(QPalette::WindowText), c.text);
    EXPECT_EQ(l->palette().color(QPalette::Window), c.background);
  }
}

TEST_F(AboutWindowTest, LongCaptionsWrapAndAddressesStayOnOneLine) {
  EXPECT_TRUE(label("Label2")->wordWrap());
  EXPECT_TRUE(label("Label3")->wordWrap());
  EXPECT_TRUE(label("Label5")->wordWrap());
  EXPECT_FALSE(label("Label4")->wordWrap());
  EXPECT_FALSE(label("Label6")->wordWrap());
}

TEST_F(AboutWindowTest, AddressLabelsLookAndActLikeLinks) {
  for (const char* name : {"Label3", "Label4", "Label6"}) {
    SCOPED_TRACE(name);
    QLabel* l = label(name);
    EXPECT_EQ(l->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_TRUE(l->focusPolicy() & Qt::TabFocus);
    EXPECT_FALSE(l->accessibleName().isEmpty());
  }
  for (const char* name : {"Label1", "Label2", "Label5", "Label7"}) {
    SCOPED_TRACE(name);
    EXPECT_EQ(label(name)->focusPolicy(), Qt::NoFocus);
  }
}

// Label, the caption it should copy, and the message it should show.
struct ClickCase {
  const char* name;
  QString copied;
  QString message;
};

TEST_F(AboutWindowTest, ALeftClickCopiesTheAddressAndSaysSo) {
  const ClickCase cases[] = {
      {"Label3", kUrl, kUrlMessage},  // Label4's caption, not its own
      {"Label4", kUrl, kUrlMessage},
      {"Label6", kMail, kMailMessage},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    services.clipboard.clear();
    services.messages.clear();
    QTest::mouseClick(label(c.name), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    EXPECT_EQ(services.clipboard, c.copied);
    EXPECT_EQ(services.messages, QStringList{c.message});
  }
  EXPECT_EQ(services.copies, 3);
}

TEST_F(AboutWindowTest, EnterOrSpaceOnAFocusedLinkActsAsAClick) {
  QTest::keyClick(label("Label6"), Qt::Key_Space);
  EXPECT_EQ(services.clipboard, kMail);
  QTest::keyClick(label("Label3"), Qt::Key_Return);
  EXPECT_EQ(services.clipboard, kUrl);
  QTest::keyClick(label("Label4"), Qt::Key_Enter, Qt::KeypadModifier);
  EXPECT_EQ(services.copies, 3);
  EXPECT_EQ(services.messages, (QStringList{kMailMessage, kUrlMessage, kUrlMessage}));
  QTest::keyClick(label("Label4"), Qt::Key_A);
  EXPECT_EQ(services.copies, 3);
}

TEST_F(AboutWindowTest, OtherButtonsAndReleasesOutsideDoNothing) {
  QLabel* link = label("Label6");
  QTest::mouseClick(link, Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
  QTest::mouseClick(link, Qt::MiddleButton, Qt::NoModifier, QPoint(5, 5));
  // Pressed on the label, released beside it: the user changed their mind.
  QTest::mousePress(link, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  QTest::mouseRelease(link, Qt::LeftButton, Qt::NoModifier, QPoint(link->width() + 5, 5));
  // A plain caption is no link.
  QTest::mouseClick(label("Label7"), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  QTest::mouseClick(label("Label2"), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  EXPECT_EQ(services.copies, 0);
  EXPECT_TRUE(services.messages.isEmpty());
}

TEST_F(AboutWindowTest, ALaterCopyReplacesTheEarlierOne) {
  QTest::mouseClick(label("Label3"), Qt::LeftButton);
  QTest::mouseClick(label("Label6"), Qt::LeftButton);
  EXPECT_EQ(services.clipboard, kMail);
  EXPECT_EQ(services.copies, 2);
}

TEST_F(AboutWindowTest, ClicksCopyTheCaptionAsItIsNow) {
  const QString other_url = QStringLiteral("https://example.net/elsewhere/");
  const QString other_mail = QStringLiteral("someone@example.net");
  label("Label4")->setText(other_url);
  label("Label6")->setText(other_mail);

  about->Label3_Click();
  EXPECT_EQ(services.clipboard, other_url);
  about->Label4_Click();
  EXPECT_EQ(services.clipboard, other_url);
  about->Label6_Click();
  EXPECT_EQ(services.clipboard, other_mail);
}

TEST_F(AboutWindowTest, OkBringsTheMainWindowForwardAndUnloadsThisOne) {
  about->show();
  ASSERT_FALSE(main_window.isVisible());
  QTest::mouseClick(ok_button(), Qt::LeftButton);
  EXPECT_TRUE(main_window.isVisible());
  EXPECT_FALSE(about.isNull());  // deleted only once control is back in the event loop
  EXPECT_FALSE(about->isVisible());
  process_deferred_deletes();
  EXPECT_TRUE(about.isNull());
  EXPECT_EQ(services.copies, 0);
  EXPECT_TRUE(services.messages.isEmpty());
}

TEST_F(AboutWindowTest, OkWorksWhileTheWindowIsHidden) {
  about->Command1_Click();
  process_deferred_deletes();
  EXPECT_TRUE(about.isNull());
  EXPECT_TRUE(main_window.isVisible());
}

TEST_F(AboutWindowTest, ClosingUnloadsTheWindowAndAFreshOneStartsOver) {
  about->show();
  label("Label4")->setText(QStringLiteral("changed"));
  EXPECT_TRUE(about->close());
  process_deferred_deletes();
  EXPECT_TRUE(about.isNull());
  EXPECT_FALSE(main_window.isVisible());  // only OK brings the main window forward

  about = new AboutWindow(services, &main_window);
  EXPECT_EQ(label("Label4")->text(), kUrl);
  EXPECT_FALSE(about->isVisible());
}

TEST_F(AboutWindowTest, WithoutAMainWindowOkStillCloses) {
  QPointer<AboutWindow> orphan = new AboutWindow(services, nullptr);
  orphan->Command1_Click();
  process_deferred_deletes();
  EXPECT_TRUE(orphan.isNull());
}

TEST_F(AboutWindowTest, OkTakesTheFocusFirstAndTabVisitsTheLinksInReadingOrder) {
  EXPECT_EQ(about->focusWidget(), ok_button());
  QWidget* w = ok_button();
  QStringList order;
  for (int i = 0; i < 4; ++i) {
    w = w->nextInFocusChain();
    while (!(w->focusPolicy() & Qt::TabFocus)) w = w->nextInFocusChain();
    order << w->objectName();
  }
  EXPECT_EQ(order, (QStringList{"Label3", "Label4", "Label6", "Command1"}));
}

}  // namespace
}  // namespace noboria
