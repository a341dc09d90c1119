#pragma once
// Form2, the About window: the program's aim, a zebra, the author's addresses
// (a click copies one to the clipboard and says so) and an OK button that
// brings the main window forward and unloads this window.

#include <QWidget>

class QLabel;
class QPushButton;

namespace noboria {

class Services;

class AboutWindow final : public QWidget {
  Q_OBJECT
 public:
  // main_window is brought forward by the OK button. The window deletes itself
  // when closed (its close control or OK), so a later show needs a fresh one.
  AboutWindow(Services& services, QWidget* main_window);

  void Label3_Click();
  void Label4_Click();
  void Label6_Click();
  void Command1_Click();

 protected:
  // Return, Enter and Escape press OK, the window's default button, as in a dialog.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void copy_address(const QString& address, const QString& message);

  Services& services_;
  QWidget* main_window_;
  QLabel* label4_ = nullptr;  // the web page address, read at every click
  QLabel* label6_ = nullptr;  // the mail address
  QPushButton* ok_ = nullptr;
};

}  // namespace noboria
