#include "ui/services.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QIcon>
#include <QMessageBox>
#include <QPointer>

#include "form/layout.h"

namespace noboria {


// The X bell may only be rung from the GUI thread; the sound's worker posts it there.
DesktopServices::DesktopServices()
    : sound_([] {
        if (QCoreApplication* app = QCoreApplication::instance())
          QMetaObject::invokeMethod(app, [] { QApplication::beep(); }, Qt::QueuedConnection);
      }) {}

void DesktopServices::beep() { sound_.play(); }

void DesktopServices::copy_text(const QString& text) {
  // Without a GUI application there is no clipboard; losing the copy is
  // better than stopping the program.
  if (qGuiApp == nullptr) return;
  QClipboard* clipboard = QGuiApplication::clipboard();
  if (clipboard == nullptr) return;
  clipboard->clear(QClipboard::Clipboard);
  clipboard->setText(text, QClipboard::Clipboard);
}

void DesktopServices::message(QWidget* parent, const QString& text) {
  // On the heap and watched: if the parent window is destroyed while the box
  // waits, the box goes with it and must not be deleted a second time.
  QPointer<QMessageBox> box = new QMessageBox(parent);
  box->setWindowTitle(QString::fromUtf8(texts::kProgramTitle.data(), static_cast<qsizetype>(texts::kProgramTitle.size())));
  // Modal to its own window only: an application-modal box would block the
  // main window's close requests, and closing must always end the program.
  box->setWindowModality(Qt::WindowModal);
  box->setTextFormat(Qt::PlainText);
  box->setText(text);
  box->setIcon(QMessageBox::NoIcon);
  box->setStandardButtons(QMessageBox::Ok);
  box->setDefaultButton(QMessageBox::Ok);
  // Some styles decorate dialog buttons; this box shows words only.
  box->button(QMessageBox::Ok)->setIcon(QIcon());
  box->exec();
  delete box.data();
}

}  // namespace noboria
