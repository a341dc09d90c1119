#pragma once
// The main window: the field, the nine parameter rows, the speed, the graph,
// the counts, the three buttons and the day timer, made from form/layout. It
// owns the one Form (and through it the Simulation), forwards its controls'
// events to it, and is the screen, the speaker and the voice of its days.
// Every control stands at its fixed place; nothing follows the window's size.

#include <QPointer>
#include <QWidget>
#include <array>
#include <string>
#include <string_view>

#include "form/form.h"
#include "form/speech.h"
#include "ui/about_window.h"
#include "ui/day_timer.h"
#include "ui/form_widgets.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace noboria {

class Announcer;
class FieldView;
class GraphView;
class RandomSource;
class Services;
class SpokenState;

class MainWindow final : public QWidget, public FormControls {
  Q_OBJECT
 public:
  MainWindow(RandomSource& random, Services& services, QWidget* parent = nullptr);
  ~MainWindow() override;

  // Start-up: the settings and the field, the day timer on, then the About
  // window beside this one. Once, before the window is first shown.
  void load();
  // One tick of the day timer, as the timer delivers it.
  void tick();

  Form& form() { return form_; }
  const Form& form() const { return form_; }
  Simulation& sim() { return form_.sim(); }
  const Simulation& sim() const { return form_.sim(); }
  const DayTimer& day_timer() const { return day_timer_; }

  // The controls, by role.
  QWidget* control(std::string_view role) const { return widgets_[role]; }
  // Text box i and step control i: the parameter rows in the Form's order,
  // then the speed.
  QLineEdit* text_box(int i) const { return text_boxes_.at(i); }
  QScrollBar* step_control(int i) const { return step_controls_.at(i); }
  QLineEdit* speed_box() const { return text_box(kSpeedIndex); }
  QPushButton* start_button() const { return start_; }
  QPushButton* stop_button() const { return stop_; }
  QPushButton* about_button() const { return about_button_; }
  QLabel* day() const { return day_; }
  QLabel* herbivore_count() const { return herbivore_count_; }
  QLabel* carnivore_count() const { return carnivore_count_; }
  FieldView* field() const { return field_; }
  GraphView* graph() const { return graph_; }
  // The About window while it is loaded (visible or hidden), else null.
  AboutWindow* about_window() const { return about_.data(); }

  // FormControls: what the Form reads and writes of the controls.
  std::string text(int i) const override;
  void set_text(int i, const std::string& text) override;
  int step_value(int i) const override;
  void set_step_value(int i, int value) override;
  void show_cue(int i, std::string_view hint) override;
  void clear_cue(int i) override;
  void focus_box(int i) override;
  void show_instruction(std::string_view text) override;
  void set_timer(bool on, int interval_ms) override { day_timer_.set(on, interval_ms); }
  bool about_shown() const override;
  void show_about() override;
  void hide_about() override;
  void draw_field(const World& w) override;
  void new_graph_sheet() override;
  void plot_graph(const GraphPoint& p) override;
  void show_day(int day) override;
  void show_counts(int herbivores, int carnivores) override;
  void beep() override;
  void announce(std::string_view sentence) override;

 protected:
  void changeEvent(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void connect_controls();
  void tell_readers();
  void place_beside(QWidget& about) const;

  Services& services_;
  Form form_;
  DayTimer day_timer_;
  FormWidgets widgets_;
  std::array<QLineEdit*, kTextBoxCount> text_boxes_{};
  std::array<QScrollBar*, kTextBoxCount> step_controls_{};
  QPushButton* start_ = nullptr;
  QPushButton* stop_ = nullptr;
  QPushButton* about_button_ = nullptr;
  QLabel* day_ = nullptr;
  QLabel* herbivore_count_ = nullptr;
  QLabel* carnivore_count_ = nullptr;
  FieldView* field_ = nullptr;
  GraphView* graph_ = nullptr;

  GraphSummary graph_summary_;
  SpokenState* spoken_ = nullptr;
  Announcer* announcer_ = nullptr;

  QPointer<AboutWindow> about_;
  bool shown_once_ = false;
  bool activated_once_ = false;
};

}  // namespace noboria
