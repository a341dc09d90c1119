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

#include "ui/announcer.h"
#include "ui/error_cue.h"
#include "ui/pictures.h"
#include "ui/services.h"
#include "ui/spoken_state.h"
#include "ui/text_fit.h"
#include "view/field_view.h"
#include "view/graph_view.h"

namespace noboria {

namespace {

QString from_utf8(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

MainWindow::MainWindow(RandomSource& random, Services& services, QWidget* parent)
    : QWidget(parent), services_(services), form_(random, *this), day_timer_(this), widgets_(*this, WindowId::main) {
  setObjectName(QStringLiteral("main_window"));
  setWindowIcon(QIcon(picture_pixmap(Picture::icon)));
  // Minimisable, never resized or maximised: the layout does not follow the size.
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  for (int i = 0; i < kTextBoxCount; ++i) {
    text_boxes_[i] = widgets_.get<QLineEdit>(noboria::text_box(i).role);
    step_controls_[i] = widgets_.get<QScrollBar>(noboria::step_control(i).role);
  }
  start_ = widgets_.get<QPushButton>("start_button");
  stop_ = widgets_.get<QPushButton>("stop_button");
  about_button_ = widgets_.get<QPushButton>("about_button");
  day_ = widgets_.get<QLabel>("day");
  herbivore_count_ = widgets_.get<QLabel>("herbivore_count");
  carnivore_count_ = widgets_.get<QLabel>("carnivore_count");
  field_ = widgets_.get<FieldView>("field");
  graph_ = widgets_.get<GraphView>("graph");
  for (QLabel* label : findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) fit_label_text(*label);
  tell_readers();
  connect_controls();
}

MainWindow::~MainWindow() {
  // The About window has no owner; it must not outlive the window it raises.
  delete about_.data();
}

void MainWindow::connect_controls() {
  for (int i = 0; i < kTextBoxCount; ++i) {
    connect(text_box(i), &QLineEdit::textChanged, this, [this, i] { form_.text_changed(i); });
    connect(step_control(i), &QScrollBar::valueChanged, this, [this, i] { form_.step_changed(i); });
  }
  connect(start_, &QPushButton::clicked, this, [this] {
    form_.start_pressed();
    graph_summary_.follow(sim().w);  // a new run has no record yet
    spoken_->changed();
  });
  connect(stop_, &QPushButton::clicked, this, [this] { form_.stop_pressed(); });
  connect(about_button_, &QPushButton::clicked, this, [this] { form_.about_pressed(); });
  connect(&day_timer_, &DayTimer::tick, this, &MainWindow::tick);
}

// What a screen reader hears of the days: the day and the counts named with
// their captions, the field and the graph told in words at their stops, and
// the end of a run.
void MainWindow::tell_readers() {
  spoken_ = new SpokenState(this);
  for (const auto& [c, widget] : widgets_.all()) {
    if (c->kind != Kind::count) continue;
    auto* label = static_cast<QLabel*>(widget);
    spoken_->follow_name(*label,
                         [c, label] { return QString::fromStdString(count_name(*c, label->text().toStdString())); });
  }
  graph_summary_.follow(sim().w);
  spoken_->follow_description(*widgets_["field_summary"],
                              [this] { return QString::fromStdString(field_summary(sim().w)); });
  spoken_->follow_description(*widgets_["graph_summary"],
                              [this] { return QString::fromStdString(graph_summary_.text()); });
  announcer_ = new Announcer(*this);
}

// ---- Start-up and the days ---------------------------------------------------

void MainWindow::load() { form_.load(); }

void MainWindow::tick() {
  // The day's two fields are painted as one, at its end.
  field_->hold_draws();
  form_.tick();
  field_->draw_held();
}

// ---- The controls as the Form sees them -----------------------------------

std::string MainWindow::text(int i) const { return text_box(i)->text().toStdString(); }

// QLineEdit and QScrollBar raise their change signals only on a real change,
// and the signals reach the Form before these return.
void MainWindow::set_text(int i, const std::string& text) { text_box(i)->setText(QString::fromStdString(text)); }

int MainWindow::step_value(int i) const { return step_control(i)->value(); }

void MainWindow::set_step_value(int i, int value) { step_control(i)->setValue(value); }

void MainWindow::show_cue(int i, std::string_view hint) { show_error_cue(*text_box(i), from_utf8(hint)); }

void MainWindow::clear_cue(int i) { clear_error_cue(*text_box(i)); }

void MainWindow::focus_box(int i) {
  QLineEdit* box = text_box(i);
  box->setFocus(Qt::OtherFocusReason);
  box->selectAll();
}

void MainWindow::show_instruction(std::string_view text) {
  day_->setText(from_utf8(text));
  fit_label_text(*day_);
  spoken_->changed();
}

// ---- The day ----------------------------------------------------------------

void MainWindow::draw_field(const World& w) { field_->field_draw(w); }

void MainWindow::new_graph_sheet() { graph_->new_sheet(); }

void MainWindow::plot_graph(const GraphPoint& p) { graph_->plot(p); }

// Days from 1000 on are wider than the day's label at its size; they are
// condensed. A day shows its number twice and the counts often repeat: an
// unchanged caption costs nothing, not even a repaint.
void MainWindow::show_day(int day) {
  show_label_number(*day_, day, true);
  spoken_->changed();
}

void MainWindow::show_counts(int herbivores, int carnivores) {
  show_label_number(*herbivore_count_, herbivores, false);
  show_label_number(*carnivore_count_, carnivores, false);
  graph_summary_.follow(sim().w);
  spoken_->changed();
}

void MainWindow::beep() { services_.beep(); }

void MainWindow::announce(std::string_view sentence) { announcer_->say(from_utf8(sentence)); }

// ---- The About window and closing ------------------------------------------

bool MainWindow::about_shown() const { return about_ && about_->isVisible(); }

void MainWindow::show_about() {
  if (!about_) about_ = new AboutWindow(services_, this);
  // Shown beside this window the first time; a hidden one comes back where it was.
  if (!about_->testAttribute(Qt::WA_Moved)) place_beside(*about_);
  about_->show();
}

void MainWindow::hide_about() {
  if (about_) about_->hide();
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

// At start-up the About window opens beside this one, but this one comes
// forward: a reader hears only this window, and the pupil's first keys go to
// it. The About window's text is said here instead, once this window is
// active, after what the reader says of it and its focus.
void MainWindow::changeEvent(QEvent* event) {
  QWidget::changeEvent(event);
  if (event->type() != QEvent::ActivationChange || !isActiveWindow() || activated_once_) return;
  activated_once_ = true;
  QTimer::singleShot(0, this, [this] {
    if (!about_shown() || about_->isActiveWindow()) return;
    announcer_->say(from_utf8(window_text(WindowId::about).caption), QString::fromStdString(about_text()));
  });
}

void MainWindow::closeEvent(QCloseEvent* event) {
  // A close request is never refused. An address message box waits in an
  // event loop of its own: close it, so that its loop ends and the program
  // can quit, instead of keeping the program alive once it is dismissed.
  if (QWidget* box = QApplication::activeModalWidget()) box->close();
  // The About window is the only other window this program opens.
  if (about_) about_->close();
  event->accept();
}

}  // namespace noboria
