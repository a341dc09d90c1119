#include "ui/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QShowEvent>
#include <QTimer>
#include <algorithm>
#include <string>
#include <vector>

#include "sim/rounding.h"
#include "sim/text_number.h"
#include "ui/about_window.h"
#include "ui/error_cue.h"
#include "ui/text_fit.h"
#include "ui/services.h"
#include "view/field_view.h"
#include "view/graph_view.h"

namespace noboria {

namespace {

QString from_utf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

constexpr int kDesignInterval = 200;  // Timer1 at design time, matching speed "4"

}  // namespace

MainWindow::MainWindow(RandomSource& random, Services& services, QWidget* parent)
    : QWidget(parent), services_(services), form_(random, *this), Timer1_(this) {
  build_controls();
  Timer1_.set_interval(kDesignInterval);
  connect_handlers();
}

MainWindow::~MainWindow() {
  // The About window has no owner; it must not outlive the window it raises.
  delete about_.data();
}

void MainWindow::connect_handlers() {
  for (int i = 0; i < kTextBoxCount; ++i) {
    connect(text_box(i), &QLineEdit::textChanged, this, [this, i] { form_.text_Change(i); });
    connect(bar(i), &QScrollBar::valueChanged, this, [this, i] { form_.bar_Change(i); });
  }
  connect(sim_com_, &QPushButton::clicked, this, &MainWindow::sim_com_Click);
  connect(Command2_, &QPushButton::clicked, this, &MainWindow::Command2_Click);
  connect(Command1_, &QPushButton::clicked, this, &MainWindow::Command1_Click);
  connect(&Timer1_, &DayTimer::tick, this, &MainWindow::Timer1_Timer);
}

// ---- Start-up -------------------------------------------------------------

void MainWindow::form_load() {
  form_.set_default();
  about_ = new AboutWindow(services_, this);
  show_about(*about_);
}

// ---- The controls as the handlers see them --------------------------------

std::string MainWindow::text(int i) const { return text_box(i)->text().toStdString(); }

// QLineEdit and QScrollBar raise their change signals only on a real change,
// and the signals reach the Form before these return.
void MainWindow::set_text(int i, const std::string& text) { text_box(i)->setText(QString::fromStdString(text)); }

int MainWindow::bar_value(int i) const { return bar(i)->value(); }

void MainWindow::set_bar_value(int i, int value) { bar(i)->setValue(value); }

void MainWindow::show_cue(int i, std::string_view hint) { show_error_cue(*text_box(i), from_utf8(hint)); }

void MainWindow::clear_cue(int i) { clear_error_cue(*text_box(i)); }

void MainWindow::focus_box(int i) {
  QLineEdit* box = text_box(i);
  box->setFocus(Qt::OtherFocusReason);
  box->selectAll();
}

void MainWindow::show_instruction(std::string_view text) {
  daycap_->setText(from_utf8(text));
  fit_label_text(*daycap_);
}

// ---- Buttons and the day --------------------------------------------------

void MainWindow::Command1_Click() {
  if (about_ && about_->isVisible()) {
    about_->hide();
    return;
  }
  if (!about_) about_ = new AboutWindow(services_, this);
  show_about(*about_);
}

void MainWindow::field_draw(const World& w) { field_->field_draw(w); }

void MainWindow::gra_new_sheet() { gra_->new_sheet(); }

void MainWindow::gra_plot(const GraphPoint& p) { gra_->plot(p); }

// Days from 1000 on are wider than daycap at its size; they are condensed.
// A day shows its number twice and the counts often repeat: an unchanged
// caption costs nothing, not even a repaint.
void MainWindow::show_day(int day) { show_label_number(*daycap_, day, true); }

void MainWindow::show_counts(int z_num, int l_num) {
  show_label_number(*z_suu_, z_num, false);
  show_label_number(*l_suu_, l_num, false);
}

void MainWindow::timer_off() { Timer1_.set_enabled(false); }

void MainWindow::beep() { services_.beep(); }

// ---- The About window and closing ----------------------------------------

void MainWindow::show_about(AboutWindow& about) {
  // Shown beside this window the first time; a hidden one comes back where it was.
  if (!about.testAttribute(Qt::WA_Moved)) place_beside(about);
  about.show();
}

// To the right of this window if it fits on the screen, else to its left,
// else as far right as the screen allows; top edges aligned.
void MainWindow::place_beside(QWidget& about) const {
  const QRect main = frameGeometry();
  const QSize size = about.frameGeometry().size();
  const QScreen* where = screen() ? screen() : QGuiApplication::primaryScreen();
  const QRect area = where ? where->availableGeometry() : QRect();
  int x = main.right() + 1;
  if (area.isValid() && x + size.width() - 1 > area.right()) {
    const int left = main.left() - size.width();
    x = left >= area.left() ? left : std::max(area.left(), area.right() - size.width() + 1);
  }
  about.move(x, main.top());
}

void MainWindow::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (shown_once_) return;
  shown_once_ = true;
  // The window system decides where this window lands only now; follow it
  // once, after the move has arrived, unless the user has moved the About
  // window meanwhile.
  const QPoint placed_at = about_ ? about_->pos() : QPoint();
  QTimer::singleShot(0, this, [this, placed_at] {
    if (about_ && about_->isVisible() && about_->pos() == placed_at) place_beside(*about_);
  });
}

void MainWindow::Form_Unload() {
  // The About window is the only other window this program loads.
  if (about_) about_->close();
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // A close request is never refused. An address message box waits in an
  // event loop of its own: close it, so that its loop ends and the program
  // can quit, instead of keeping the program alive once it is dismissed.
  if (QWidget* box = QApplication::activeModalWidget()) box->close();
  Form_Unload();
  event->accept();
}

}  // namespace noboria
