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
    : QWidget(parent), services_(services), sim_(random), Timer1_(this) {
  build_controls();
  Timer1_.set_interval(kDesignInterval);
  connect_handlers();
}

MainWindow::~MainWindow() {
  // The About window has no owner; it must not outlive the window it raises.
  delete about_.data();
}

void MainWindow::connect_handlers() {
  for (Box b : kAllBoxes) {
    // Z_text and l_text have no change handler; box_Change only keeps their cue.
    connect(box(b), &QLineEdit::textChanged, this, [this, b] { box_Change(b); });
  }
  connect(speed_, &QLineEdit::textChanged, this, &MainWindow::speed_Change);
  for (int i = 0; i < kBoxCount; ++i) {
    connect(HS_[i], &QScrollBar::valueChanged, this, [this, i] { HS_Change(i); });
  }
  connect(HSsp_, &QScrollBar::valueChanged, this, &MainWindow::HSsp_Change);
  connect(sim_com_, &QPushButton::clicked, this, &MainWindow::sim_com_Click);
  connect(Command2_, &QPushButton::clicked, this, &MainWindow::Command2_Click);
  connect(Command1_, &QPushButton::clicked, this, &MainWindow::Command1_Click);
  connect(&Timer1_, &DayTimer::tick, this, &MainWindow::Timer1_Timer);
}

// ---- Start-up -------------------------------------------------------------

void MainWindow::form_load() {
  set_default();
  about_ = new AboutWindow(services_, this);
  show_about(*about_);
}

void MainWindow::set_default() {
  // The settings, then their texts; each write runs the box's change rule as
  // an edit would. le_text and lm_text already hold "1", so l_hunt keeps its 3.
  sim_.set_default_values();
  const std::pair<Box, const char*> texts[] = {
      {Box::p_text, "0"},   {Box::Z_text, "50"}, {Box::l_text, "50"},
      {Box::Zh_text, "10"}, {Box::lh_text, "10"}, {Box::ze_text, "1"},
      {Box::le_text, "1"},  {Box::lm_text, "1"},  {Box::lK_text, "5"},
  };
  for (const auto& [b, text] : texts) box(b)->setText(QString::fromLatin1(text));

  // The step controls, in this order, each to the whole value of its box. The
  // boxes already hold those texts, so their handlers do not run again.
  HS_[0]->setValue(static_cast<int>(rhe(sim_.w.p_rate)));
  for (int index : {1, 4, 2, 5, 3, 6, 7, 8}) {
    const std::string text = box(kAllBoxes[index])->text().toStdString();
    HS_[index]->setValue(static_cast<int>(rhe(number(text).value_or(0))));
  }
  HSsp_->setValue(4);

  sim_.startup_field();
  daycap_->setText(QStringLiteral("動植物の数や日数を入力し、シミュレーションを押してください"));
  fit_label_text(*daycap_);
  field_draw(sim_.w);
  Timer1_.set_enabled(true);
}

// ---- Parameter inputs -----------------------------------------------------

void MainWindow::box_Change(Box b) {
  QLineEdit& edit = *box(b);
  if (apply_box_text(b, edit.text().toStdString(), sim_.w)) {
    clear_error_cue(edit);
  } else {
    show_error_cue(edit, from_utf8(box_hint(b)));
  }
}

void MainWindow::speed_Change() {
  const std::optional<int> interval = speed_interval(speed_->text().toStdString());
  if (!interval) {
    show_error_cue(*speed_, from_utf8(speed_hint()));
    return;
  }
  clear_error_cue(*speed_);
  Timer1_.set_interval(*interval);
}

void MainWindow::HS_Change(int Index) {
  if (Index < 0 || Index >= kBoxCount) return;
  // Setting the text runs the box's own change handler before this returns.
  box(kAllBoxes[Index])->setText(QString::number(HS_[Index]->value()));
}

void MainWindow::HSsp_Change() { speed_->setText(QString::number(HSsp_->value())); }

// ---- Buttons and the day --------------------------------------------------

void MainWindow::sim_com_Click() {
  std::array<std::string, kBoxCount> texts;
  for (Box b : kAllBoxes) texts[static_cast<int>(b)] = box(b)->text().toStdString();
  std::vector<Box> invalid;
  const std::optional<RunSettings> settings = read_run_settings(texts, &invalid);
  if (!settings) {
    // Refused: nothing changes but the cues, and the first bad box gets the focus.
    for (Box b : invalid) show_error_cue(*box(b), from_utf8(box_hint(b)));
    QLineEdit* first = box(invalid.front());
    first->setFocus(Qt::OtherFocusReason);
    first->selectAll();
    return;
  }
  // Every text is now the setting it shows.
  for (Box b : kAllBoxes) clear_error_cue(*box(b));
  sim_.start_run(*settings);
  Timer1_.set_enabled(true);
}

void MainWindow::Command2_Click() { Timer1_.set_enabled(false); }

void MainWindow::Command1_Click() {
  if (about_ && about_->isVisible()) {
    about_->hide();
    return;
  }
  if (!about_) about_ = new AboutWindow(services_, this);
  show_about(*about_);
}

void MainWindow::Timer1_Timer() { sim_.day(*this); }

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
