// The desktop services: the clipboard and the modal message box.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QDeadlineTimer>
#include <QMessageBox>
#include <QMimeData>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <functional>

#include "ui/services.h"

namespace noboria {
namespace {

TEST(DesktopServicesClipboard, CopyLeavesExactlyThePlainText) {
  QClipboard* clipboard = QGuiApplication::clipboard();
  ASSERT_NE(clipboard, nullptr);
  auto* earlier = new QMimeData;
  earlier->setHtml(QStringLiteral("<b>earlier</b>"));
  earlier->setText(QStringLiteral("earlier"));
  clipboard->setMimeData(earlier);
  ASSERT_TRUE(clipboard->mimeData()->hasHtml());

  DesktopServices services;
  services.copy_text(QStringLiteral("noboria@example.org"));
  EXPECT_EQ(clipboard->text(), QStringLiteral("noboria@example.org"));
  EXPECT_FALSE(clipboard->mimeData()->hasHtml());  // nothing of the earlier content stays

  services.copy_text(QStringLiteral("https://example.org/noboria/"));
  EXPECT_EQ(clipboard->text(), QStringLiteral("https://example.org/noboria/"));
}

TEST(DesktopServicesClipboard, TextIsCopiedUnchanged) {
  DesktopServices services;
  const QString texts[] = {QStringLiteral("ノボリア\u3000Ｖｅｒ2.0"), QStringLiteral("  padded  "),
                           QStringLiteral("two\nlines")};
  for (const auto& text : texts) {
    services.copy_text(text);
    EXPECT_EQ(QGuiApplication::clipboard()->text(), text);
  }
}

// What the box showed, read while it was open.
struct SeenBox {
  bool found = false;
  bool modal = false;
  QWidget* parent = nullptr;
  QString title;
  QString text;
  QMessageBox::Icon icon = QMessageBox::Warning;
  QMessageBox::StandardButtons buttons;
  int button_count = 0;
  Qt::TextFormat format = Qt::AutoText;
};

// Offscreen windows cannot take size hints; Qt says so once per box. Only that
// note is swallowed, everything else still reaches the log and is counted.
class WarningFilter {
 public:
  WarningFilter() { previous_ = qInstallMessageHandler(&WarningFilter::handle); }
  ~WarningFilter() { qInstallMessageHandler(previous_); }
  static inline int others = 0;

 private:
  static void handle(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (message.contains(QStringLiteral("does not support propagateSizeHints()"))) return;
    if (type != QtDebugMsg && type != QtInfoMsg) ++others;
    previous_(type, context, message);
  }
  static inline QtMessageHandler previous_ = nullptr;
};

// Runs message() while polling for the modal box; reads it, then presses OK.
SeenBox show_and_dismiss(QWidget* parent, const QString& text) {
  SeenBox seen;
  const QDeadlineTimer deadline(5000);
  std::function<void()> poll = [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) {
      if (!deadline.hasExpired()) QTimer::singleShot(5, poll);
      return;
    }
    seen.found = true;
    seen.modal = box->isModal();
    seen.parent = box->parentWidget();
    seen.title = box->windowTitle();
    seen.text = box->text();
    seen.icon = box->icon();
    seen.buttons = box->standardButtons();
    seen.button_count = int(box->buttons().size());
    seen.format = box->textFormat();
    if (QAbstractButton* ok = box->button(QMessageBox::Ok)) {
      QTest::mouseClick(ok, Qt::LeftButton);
    } else {
      box->done(0);  // never leave a box open to hang the run
    }
  };
  QTimer::singleShot(0, poll);
  DesktopServices().message(parent, text);
  return seen;
}

TEST(DesktopServicesMessage, ShowsAModalBoxWithOnlyOkAndReturnsWhenDismissed) {
  WarningFilter filter;
  WarningFilter::others = 0;
  QWidget parent;
  parent.show();
  const QString text = QStringLiteral("クリックボードにURLを転送しました。ブラウザに貼り付けてHPを訪れてください");

  const SeenBox seen = show_and_dismiss(&parent, text);
  ASSERT_TRUE(seen.found);
  EXPECT_TRUE(seen.modal);
  EXPECT_EQ(seen.parent, &parent);
  EXPECT_EQ(seen.title, QStringLiteral("ノボリア"));
  EXPECT_EQ(seen.text, text);
  EXPECT_EQ(seen.icon, QMessageBox::NoIcon);
  EXPECT_EQ(seen.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
  EXPECT_EQ(seen.button_count, 1);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);  // dismissed, nothing left open
  EXPECT_TRUE(parent.findChildren<QMessageBox*>().isEmpty());
  EXPECT_EQ(WarningFilter::others, 0);
}

TEST(DesktopServicesMessage, TextIsShownAsPlainTextWithoutAParent) {
  WarningFilter filter;
  const QString text = QStringLiteral("<b>not bold</b> & kept");
  const SeenBox seen = show_and_dismiss(nullptr, text);
  ASSERT_TRUE(seen.found);
  EXPECT_EQ(seen.parent, nullptr);
  EXPECT_EQ(seen.text, text);
  EXPECT_EQ(seen.format, Qt::PlainText);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

}  // namespace
}  // namespace noboria
