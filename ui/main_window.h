#pragma once
// form1, the main window: the field, the nine parameter rows, the speed, the
// graph, the counts, the three buttons and Timer1. It owns the one Form (and
// through it the Simulation), forwards its controls' events to it and is the
// screen and speaker of its day. Every control stands at its fixed place;
// nothing follows the window's size.

#include <QPointer>
#include <QWidget>
#include <array>
#include <string>
#include <string_view>

#include "sim/form.h"
#include "sim/parameters.h"
#include "sim/simulation.h"
#include "ui/about_window.h"
#include "ui/day_timer.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollBar;

namespace noboria {

class FieldView;
class GraphView;
class RandomSource;
class Services;

class MainWindow final : public QWidget, public FormControls {
  Q_OBJECT
 public:
  MainWindow(RandomSource& random, Services& services, QWidget* parent = nullptr);
  ~MainWindow() override;

  // Form_Load: the start-up defaults, then the About window beside this one.
  // Called once, before the window is first shown.
  void form_load();

  // The controls' events, as the design names them.
  void HS_Change(int Index) { form_.bar_Change(Index); }
  void HSsp_Change() { form_.bar_Change(kSpeedIndex); }
  void sim_com_Click() { form_.sim_com_Click(); }
  void Command2_Click() { form_.Command2_Click(); }
  void Command1_Click();
  void Timer1_Timer() { form_.Timer1_Timer(); }

  // FormControls: what the handlers read and write of the controls.
  std::string text(int i) const override;
  void set_text(int i, const std::string& text) override;
  int bar_value(int i) const override;
  void set_bar_value(int i, int value) override;
  void show_cue(int i, std::string_view hint) override;
  void clear_cue(int i) override;
  void focus_box(int i) override;
  void show_instruction(std::string_view text) override;
  void set_timer_enabled(bool on) override { Timer1_.set_enabled(on); }
  void set_timer_interval(int ms) override { Timer1_.set_interval(ms); }

  // DayView: what a day draws and writes.
  void field_draw(const World& w) override;
  void gra_new_sheet() override;
  void gra_plot(const GraphPoint& p) override;
  void show_day(int day) override;
  void show_counts(int z_num, int l_num) override;
  void timer_off() override;
  void beep() override;

  Simulation& sim() { return form_.sim(); }
  const Simulation& sim() const { return form_.sim(); }
  DayTimer& timer() { return Timer1_; }
  const DayTimer& timer() const { return Timer1_; }

  QLineEdit* box(Box b) const { return boxes_[static_cast<int>(b)]; }
  // Text box i: the parameter boxes in Box order, then the speed box.
  QLineEdit* text_box(int i) const { return i == kSpeedIndex ? speed_ : boxes_.at(i); }
  // Step control i: HS(0)..HS(8), then HSsp.
  QScrollBar* bar(int i) const { return i == kSpeedIndex ? HSsp_ : HS_.at(i); }
  QLineEdit* speed_box() const { return speed_; }
  QScrollBar* HS(int index) const { return HS_.at(index); }
  QScrollBar* HSsp() const { return HSsp_; }
  QPushButton* sim_com() const { return sim_com_; }
  QPushButton* Command2() const { return Command2_; }
  QPushButton* Command1() const { return Command1_; }
  QLabel* daycap() const { return daycap_; }
  QLabel* z_suu() const { return z_suu_; }
  QLabel* l_suu() const { return l_suu_; }
  FieldView* field() const { return field_; }
  GraphView* gra() const { return gra_; }
  // The About window while it is loaded (visible or hidden), else null.
  AboutWindow* about_window() const { return about_.data(); }

  // The window's caption, built from code points so that every ideographic
  // space survives editing.
  static QString caption();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void build_controls();
  void build_parameter_rows();
  void build_other_labels();
  void build_bottom_strip();
  void build_pictures();
  void set_tab_order();
  void connect_handlers();

  void Form_Unload();
  void show_about(AboutWindow& about);
  void place_beside(QWidget& about) const;

  Services& services_;
  Form form_;
  DayTimer Timer1_;

  std::array<QLabel*, 14> Label1_{};
  std::array<QLineEdit*, kBoxCount> boxes_{};
  std::array<QScrollBar*, kBoxCount> HS_{};
  QLineEdit* speed_ = nullptr;
  QScrollBar* HSsp_ = nullptr;
  QPushButton* sim_com_ = nullptr;
  QPushButton* Command2_ = nullptr;
  QPushButton* Command1_ = nullptr;
  QLabel* daycap_ = nullptr;
  QLabel* z_suu_ = nullptr;
  QLabel* l_suu_ = nullptr;
  QLabel* Picture1_ = nullptr;
  QLabel* Picture3_ = nullptr;
  FieldView* field_ = nullptr;
  GraphView* gra_ = nullptr;

  QPointer<AboutWindow> about_;
  bool shown_once_ = false;
};

}  // namespace noboria
