#pragma once
// form1, the main window: the field, the nine parameter rows, the speed, the
// graph, the counts, the three buttons and Timer1. It owns the one
// Simulation and is the screen and speaker of its day. Every control stands
// at its fixed place; nothing follows the window's size.

#include <QPointer>
#include <QWidget>
#include <array>

#include "sim/day_view.h"
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

class MainWindow final : public QWidget, public DayView {
  Q_OBJECT
 public:
  MainWindow(RandomSource& random, Services& services, QWidget* parent = nullptr);
  ~MainWindow() override;

  // Form_Load: the start-up defaults, then the About window beside this one.
  // Called once, before the window is first shown.
  void form_load();

  // Change handlers of the parameter boxes. Z_text and l_text have none: their
  // texts are read when a run starts.
  void p_text_Change() { box_Change(Box::p_text); }
  void Zh_text_Change() { box_Change(Box::Zh_text); }
  void ze_text_Change() { box_Change(Box::ze_text); }
  void lh_text_Change() { box_Change(Box::lh_text); }
  void le_text_Change() { box_Change(Box::le_text); }
  void lm_text_Change() { box_Change(Box::lm_text); }
  void lK_text_Change() { box_Change(Box::lK_text); }
  void speed_Change();
  void HS_Change(int Index);
  void HSsp_Change();
  void sim_com_Click();
  void Command2_Click();
  void Command1_Click();
  void Timer1_Timer();

  // DayView: what a day draws and writes.
  void field_draw(const World& w) override;
  void gra_new_sheet() override;
  void gra_plot(const GraphPoint& p) override;
  void show_day(int day) override;
  void show_counts(int z_num, int l_num) override;
  void timer_off() override;
  void beep() override;

  Simulation& sim() { return sim_; }
  const Simulation& sim() const { return sim_; }
  DayTimer& timer() { return Timer1_; }
  const DayTimer& timer() const { return Timer1_; }

  QLineEdit* box(Box b) const { return boxes_[static_cast<int>(b)]; }
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

  void set_default();
  void box_Change(Box b);
  void Form_Unload();
  void show_about(AboutWindow& about);
  void place_beside(QWidget& about) const;

  Services& services_;
  Simulation sim_;
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
