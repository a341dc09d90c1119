// Form2's behaviour: the address labels copy an address and say so, OK brings
// the main window forward and unloads Form2, Tab visits OK then the links;
// and the desktop services behind the copy and the message.
#include <QClipboard>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>

#include "ui/about_window.h"
#include "ui_test_support.h"

namespace noboria {
namespace {

const QString kUrl = QStringLiteral("https://example.org/noboria/");
const QString kMail = QStringLiteral("noboria@example.org");
const QString kUrlMessage =
    QStringLiteral("クリックボードにURLを転送しました。ブラウザに貼り付けてHPを訪れてください");
const QString kMailMessage =
    QStringLiteral("クリックボードにメールアドレスを転送しました。メーラーに貼り付けてメールをお願いします");

class AboutWindowTest : public ::testing::Test {
 protected:
  void TearDown() override { delete about.data(); }

  QWidget* child(const char* name) const { return about->findChild<QWidget*>(QString::fromLatin1(name)); }

  RecordingServices services;
  QWidget main_window;
  QPointer<AboutWindow> about = new AboutWindow(services, &main_window);
};

// A label, a key pressed on it (Qt::Key_unknown: a left click), what it copies and says.
struct ClickCase { const char* label; Qt::Key key; QString copied, message; };

TEST_F(AboutWindowTest, AnAddressLabelCopiesTheAddressAndSaysSo) {
  const ClickCase cases[] = {
      {"Label3", Qt::Key_unknown, kUrl, kUrlMessage},  // Label4's caption, not its own
      {"Label4", Qt::Key_Return, kUrl, kUrlMessage},
      {"Label6", Qt::Key_Space, kMail, kMailMessage},
  };
  for (const ClickCase& c : cases) {
    SCOPED_TRACE(c.label);
    services.messages.clear();
    if (c.key == Qt::Key_unknown) {
      QTest::mouseClick(child(c.label), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    } else {
      QTest::keyClick(child(c.label), c.key);
    }
    EXPECT_EQ(services.clipboard, c.copied);
    EXPECT_EQ(services.messages, QStringList{c.message});
  }
  // A right click, a release beside the label, a plain caption: nothing.
  QWidget* link = child("Label6");
  QTest::mouseClick(link, Qt::RightButton, Qt::NoModifier, QPoint(5, 5));
  QTest::mousePress(link, Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  QTest::mouseRelease(link, Qt::LeftButton, Qt::NoModifier, QPoint(link->width() + 5, 5));
  QTest::mouseClick(child("Label7"), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  EXPECT_EQ(services.copies, 3);
}

TEST_F(AboutWindowTest, OkBringsTheMainWindowForwardAndUnloadsThisOne) {
  about->show();
  QTest::mouseClick(child("Command1"), Qt::LeftButton);
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
  for (const char* link : {"Label3", "Label4", "Label6"}) {
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
  EXPECT_EQ(order, (QStringList{"Command1", "Label3", "Label4", "Label6", "Command1"}));
}

TEST(DesktopServices, CopyPutsExactlyTheTextOnTheClipboard) {
  DesktopServices().copy_text(kMail);
  EXPECT_EQ(QGuiApplication::clipboard()->text(), kMail);
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
  DesktopServices().message(&parent, kUrlMessage);
  EXPECT_EQ(seen.parent, &parent);
  EXPECT_EQ(seen.title, QStringLiteral("ノボリア"));
  EXPECT_EQ(seen.text, kUrlMessage);
  EXPECT_EQ(seen.format, Qt::PlainText);
  EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
  EXPECT_EQ(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
}  // namespace noboria
