// The About window's behaviour: the links copy an address and say so, OK
// brings the main window forward and closes the About window, Tab visits OK
// then the links; and the desktop services behind the copy and the message.
#include <QClipboard>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include "form/layout.h"
#include "ui/about_window.h"
#include "ui_test_support.h"

namespace noboria {
namespace {

QString qt(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

class AboutWindowTest : public ::testing::Test {
 protected:
  void TearDown() override { delete about.data(); }

  QWidget* child(const char* role) const { return about->control(role); }

  RecordingServices services;
  QWidget main_window;
  QPointer<AboutWindow> about = new AboutWindow(services, &main_window);
};

// A link, a key pressed on it (Qt::Key_unknown: a left click), what it copies and says.
struct ClickCase { const char* link; Qt::Key key; std::string_view copied, message; };

TEST_F(AboutWindowTest, ALinkCopiesItsAddressAndSaysSo) {
  const ClickCase cases[] = {
      {"author_page_link", Qt::Key_unknown, texts::kUrl, texts::kUrlMessage},  // the address below it, not its caption
      {"page_address_link", Qt::Key_Return, texts::kUrl, texts::kUrlMessage},
      {"mail_address_link", Qt::Key_Space, texts::kMail, texts::kMailMessage},
  };
  for (const ClickCase& c : cases) {
    SCOPED_TRACE(c.link);
    services.messages.clear();
    if (c.key == Qt::Key_unknown) {
      QTest::mouseClick(child(c.link), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    } else {
      QTest::keyClick(child(c.link), c.key);
    }
    EXPECT_EQ(services.clipboard, qt(c.copied));
    EXPECT_EQ(services.messages, QStringList{qt(c.message)});
  }
  // A right click, a release beside the label, a plain caption: nothing.
  QWidget* link = child("mail_address_link");
  QTest::mouseClick(link, Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
  QTest::mousePress(link, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  QTest::mouseRelease(link, Qt::LeftButton, Qt::NoModifier, QPoint(link->width() + 5, 5));
  QTest::mouseClick(child("mail_label"), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  EXPECT_EQ(services.copies, 3);
}

TEST_F(AboutWindowTest, OkBringsTheMainWindowForwardAndClosesThisOne) {
  about->show();
  QTest::mouseClick(child("ok_button"), Qt::LeftButton);
  EXPECT_TRUE(main_window.isVisible());
  EXPECT_FALSE(about->isVisible());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(about.isNull());
}

// Tab from OK visits the links in reading order and back to OK; each link
// shows a focus mark while it has the focus, and none once it lost it.
TEST_F(AboutWindowTest, TabVisitsTheLinksInReadingOrderEachShowingAFocusMark) {
  about->show();
  about->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(about));
  QStringList order{QApplication::focusWidget()->objectName()};
  for (const char* link : {"author_page_link", "page_address_link", "mail_address_link"}) {
    const QImage unfocused = child(link)->grab().toImage();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    order << QApplication::focusWidget()->objectName();
    EXPECT_NE(child(link)->grab().toImage(), unfocused) << link << " shows no focus mark";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ShiftModifier);
    EXPECT_EQ(child(link)->grab().toImage(), unfocused) << link << " keeps its mark without the focus";
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  }
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  order << QApplication::focusWidget()->objectName();
  EXPECT_EQ(order, (QStringList{"ok_button", "author_page_link", "page_address_link", "mail_address_link", "ok_button"}));
}

TEST(DesktopServices, CopyPutsExactlyTheTextOnTheClipboard) {
  DesktopServices().copy_text(qt(texts::kMail));
  EXPECT_EQ(QGuiApplication::clipboard()->text(), qt(texts::kMail));
}

TEST(DesktopServices, MessageIsAModalPlainBoxWithOnlyOk) {
  struct {
    QWidget* parent = nullptr;
    QString title, text;
    Qt::TextFormat format = Qt::AutoText;
    QMessageBox::Icon icon = QMessageBox::Warning;
    QMessageBox::StandardButtons buttons;
  } seen;  // read while the box is open
  QWidget parent;
  QTimer poll;
  poll.callOnTimeout([&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    seen = {box->parentWidget(), box->windowTitle(), box->text(), box->textFormat(), box->icon(),
            box->standardButtons()};
    box->done(0);  // never leave it open to hang the run
  });
  poll.start(5);
  DesktopServices().message(&parent, qt(texts::kUrlMessage));
  EXPECT_EQ(seen.parent, &parent);
  EXPECT_EQ(seen.title, qt(texts::kProgramTitle));
  EXPECT_EQ(seen.text, qt(texts::kUrlMessage));
  EXPECT_EQ(seen.format, Qt::PlainText);
  EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
  EXPECT_EQ(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
}  // namespace noboria
