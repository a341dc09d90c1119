#pragma once
// The About window: the program's aim, a zebra, the author's addresses (a
// press copies one to the clipboard and says so) and an OK button that
// brings the main window forward and closes this one. Made from form/layout;
// a screen reader meets it as a dialog and hears its text as it comes forward.

#include <QWidget>
#include <string_view>

#include "ui/form_widgets.h"

namespace noboria {

class Services;

class AboutWindow final : public QWidget {
  Q_OBJECT
 public:
  // main_window is brought forward by the OK button. The window deletes itself
  // when closed (its close control or OK), so a later show needs a fresh one.
  AboutWindow(Services& services, QWidget* main_window);

  QWidget* control(std::string_view role) const { return widgets_[role]; }

 protected:
  // Return, Enter and Escape press OK, the window's default button, as in a dialog.
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void ok_pressed();

  Services& services_;
  QWidget* main_window_;
  FormWidgets widgets_;
};

}  // namespace noboria
