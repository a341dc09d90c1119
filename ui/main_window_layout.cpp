// The design-time state of form1: every control at its place in twips, with
// its caption, font and colours. Run-time behaviour lives in main_window.cpp.

#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>

#include "assets/pictures.h"
#include "ui/focus_frame.h"
#include "ui/fonts.h"
#include "ui/text_fit.h"
#include "ui/main_window.h"
#include "ui/twips.h"
#include "view/field_view.h"
#include "view/graph_view.h"

namespace noboria {

namespace {

const QColor kLightYellow(0xFF, 0xFF, 0xC0);
const QColor kGreen(0x00, 0x80, 0x00);  // plants
const QColor kBlue(0x00, 0x00, 0xC0);   // herbivores
const QColor kRed(0xC0, 0x00, 0x00);    // carnivores

// One parameter row: its caption (an element of Label1), text box and step
// control, in the order of HS(0)..HS(8).
struct RowSpec {
  int top;
  int label_index;
  const char16_t* caption;
  int label_left;
  int label_width;
  double point_size;
  QColor colour;
};

// Ideographic spaces are written as \u3000 so that editing cannot lose them.
const std::array<RowSpec, kBoxCount> kRows = {{
    {360, 0, u"植物の繁殖の速さ\u3000\u30000-8", 6240, 2655, 12, kGreen},
    {720, 1, u"草食動物の数\u3000\u3000\u30001-100", 6240, 2655, 12, kBlue},
    {1080, 3, u"子供をうむまでの日数\u30001-50", 6480, 2415, 9.75, kBlue},
    {1440, 5, u"えさなしで生きる日数\u30001-20", 6480, 2415, 9.75, kBlue},
    {1920, 2, u"肉食動物の数\u3000\u3000\u30001-100", 6240, 2655, 12, kRed},
    {2400, 4, u"子供をうむまでの日数\u30001-50", 6480, 2415, 9.75, kRed},
    {2760, 6, u"えさなしで生きる日数\u30001-20", 6480, 2415, 9.75, kRed},
    {3120, 7, u"満腹でえさをとらない日数\u30000-5", 6240, 2775, 9.75, kRed},
    {3480, 8, u"えさをとる確率\u30001-10割", 6480, 2535, 12, kRed},
}};

constexpr int kBoxLeft = 9000;
constexpr int kBarLeft = 9360;
constexpr int kLabelHeight = 255;

void paint(QWidget* widget, const QColor* text, const QColor& background) {
  QPalette palette = widget->palette();
  if (text) palette.setColor(QPalette::WindowText, *text);
  palette.setColor(QPalette::Window, background);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

// A classic label: plain text from its top-left corner, no mnemonics.
QLabel* make_label(QWidget* parent, const QString& name, const QString& text, const QRect& geometry) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setText(text);
  label->setGeometry(geometry);
  return label;
}

QLineEdit* make_box(QWidget* parent, const QString& name, const QString& text, const QRect& geometry,
                    const QString& accessible) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(name);
  box->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  // The box is only 25 pixels wide: the text may use one more pixel on the
  // left and two on the right than a line edit leaves it, so that a
  // three-digit value ("150", "200") shows whole, slightly condensed.
  box->setTextMargins(-1, 0, -2, 0);
  box->setText(text);
  QObject::connect(box, &QLineEdit::textChanged, box, [box] { fit_box_text(*box); });
  box->setGeometry(geometry);
  box->setAccessibleName(accessible);
  return box;
}

// A step control with a visible keyboard focus: the style's focus frame over
// its arrows, inside its own pixels. Fusion draws no focus on a scroll bar,
// and would leave ten stops of the tab order invisible.
class StepBar final : public QScrollBar {
 public:
  using QScrollBar::QScrollBar;

 protected:
  void paintEvent(QPaintEvent* event) override {
    QScrollBar::paintEvent(event);
    if (hasFocus()) paint_focus_frame(*this, QPalette::Button);
  }
};

// A step control: at 25 x 17 pixels a horizontal bar shows only its arrows.
QScrollBar* make_bar(QWidget* parent, const QString& name, const BarRange& range, const QRect& geometry,
                     const QString& accessible) {
  auto* bar = new StepBar(Qt::Horizontal, parent);
  bar->setObjectName(name);
  bar->setRange(range.minimum, range.maximum);
  bar->setSingleStep(1);
  bar->setPageStep(1);
  bar->setValue(range.designer_value);
  bar->setGeometry(geometry);
  bar->setFocusPolicy(Qt::StrongFocus);
  // A scroll bar inverts its keys by default; a step control's right and up
  // keys count up, like its right arrow.
  bar->setInvertedControls(false);
  bar->setAccessibleName(accessible);
  return bar;
}

QPushButton* make_button(QWidget* parent, const QString& name, const QString& text, const QRect& geometry) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(name);
  button->setGeometry(geometry);
  button->setAutoDefault(false);
  button->setAccessibleName(text);
  return button;
}

}  // namespace

QString MainWindow::caption() {
  const QChar ideographic_space(0x3000);
  QString text;
  text += QStringView(u"\u30CE\u30DC\u30EA\u30A2");  // ノボリア
  text += ideographic_space;
  text += QStringView(u"\uFF36\uFF45\uFF52" u"2.0");  // Ｖｅｒ2.0
  text += QString(2, ideographic_space);
  text += QLatin1String("Feb,2007");
  text += QString(40, QLatin1Char(' '));
  text += QString(9, ideographic_space);
  text += QLatin1String("programed");
  text += ideographic_space;
  text += QLatin1String("by");
  text += ideographic_space;
  text += QLatin1String("Ostel.Vanrimo");
  text += ideographic_space;
  return text;
}

void MainWindow::build_controls() {
  setObjectName(QStringLiteral("form1"));
  setWindowTitle(caption());
  ensure_pictures();
  setWindowIcon(QIcon(kIconPath));
  // Minimisable, never resized or maximised: the layout does not follow the size.
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setFixedSize(tw(9960), tw(7800));
  paint(this, nullptr, kLightYellow);

  field_ = new FieldView(this);
  field_->setObjectName(QStringLiteral("field"));
  field_->setGeometry(FieldView::window_rect());

  build_parameter_rows();
  build_pictures();
  build_other_labels();

  gra_ = new GraphView(this);
  gra_->setObjectName(QStringLiteral("gra"));
  gra_->setGeometry(tw_rect(5760, 4440, 4095, 3255));

  build_bottom_strip();
  set_tab_order();
  for (QLabel* label : findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) fit_label_text(*label);
}

void MainWindow::build_parameter_rows() {
  for (int i = 0; i < kBoxCount; ++i) {
    const RowSpec& row = kRows[i];
    const QString caption_text = QString::fromUtf16(row.caption);
    QLabel* label = make_label(this, QStringLiteral("Label1_%1").arg(row.label_index), caption_text,
                               tw_rect(row.label_left, row.top, row.label_width, kLabelHeight));
    label->setFont(gothic(row.point_size));
    paint(label, &row.colour, kLightYellow);
    Label1_[row.label_index] = label;

    const Box b = kAllBoxes[i];
    const QString name = QString::fromLatin1(box_name(b).data(), box_name(b).size());
    boxes_[i] = make_box(this, name, QStringLiteral("1"), tw_rect(kBoxLeft, row.top, 375, 270), caption_text);
    HS_[i] = make_bar(this, QStringLiteral("HS%1").arg(i), kBarRanges[i], tw_rect(kBarLeft, row.top, 375, 255),
                      caption_text);
  }
}

void MainWindow::build_pictures() {
  Picture1_ = new QLabel(this);
  Picture1_->setObjectName(QStringLiteral("Picture1"));
  Picture1_->setGeometry(tw_rect(5760, 960, 495, 495));
  Picture1_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Picture1_->setPixmap(QPixmap(kLegendHerbivorePath));

  Picture3_ = new QLabel(this);
  Picture3_->setObjectName(QStringLiteral("Picture3"));
  Picture3_->setGeometry(tw_rect(5760, 2280, 615, 615));
  Picture3_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  Picture3_->setPixmap(QPixmap(kLegendCarnivorePath));
  paint(Picture3_, nullptr, kLightYellow);
}

void MainWindow::build_other_labels() {
  struct LabelSpec {
    int index;
    int left, top, width, height;
    const char16_t* caption;
    QColor colour;
  };
  const LabelSpec specs[] = {
      {10, 6000, 3960, 975, 255, u"草食の数", kBlue},
      {9, 7920, 3960, 975, 255, u"肉食の数", kRed},
      {12, 240, 6120, 5055, 255, u"パラメータを調節し、生態系を長く維持してください。", kGreen},
      {11, 4200, 6480, 615, 255, u"日数", kBlue},
      {13, 1560, 7080, 3135, 255, u"シュミレーションの速さ\u30001-100", kGreen},
  };
  for (const LabelSpec& s : specs) {
    QLabel* label = make_label(this, QStringLiteral("Label1_%1").arg(s.index), QString::fromUtf16(s.caption),
                               tw_rect(s.left, s.top, s.width, s.height));
    label->setFont(gothic(12));
    paint(label, &s.colour, kLightYellow);
    Label1_[s.index] = label;
  }

  // The count labels keep the design-time placeholder until the first day.
  z_suu_ = make_label(this, QStringLiteral("z_suu"), QStringLiteral("Label1"), tw_rect(7080, 3960, 735, 255));
  z_suu_->setFont(gothic(11.25));
  paint(z_suu_, nullptr, kLightYellow);
  l_suu_ = make_label(this, QStringLiteral("l_suu"), QStringLiteral("Label1"), tw_rect(9000, 3960, 615, 375));
  l_suu_->setFont(gothic(11.25));
  paint(l_suu_, nullptr, kLightYellow);
}

void MainWindow::build_bottom_strip() {
  sim_com_ = make_button(this, QStringLiteral("sim_com"), QStringLiteral("シミュレーション"),
                         tw_rect(120, 6480, 1455, 375));
  Command2_ = make_button(this, QStringLiteral("Command2"), QStringLiteral("停止"), tw_rect(1800, 6480, 855, 375));
  Command1_ = make_button(this, QStringLiteral("Command1"), QStringLiteral("解説"), tw_rect(2880, 6480, 735, 375));

  daycap_ = make_label(this, QStringLiteral("daycap"), QStringLiteral("Label1"), tw_rect(4800, 6480, 735, 375));
  daycap_->setFont(gothic(15.75));
  const QColor highlight = palette().color(QPalette::Highlight);
  paint(daycap_, &highlight, kLightYellow);

  const QString speed_caption = Label1_[13]->text();
  speed_ = make_box(this, QStringLiteral("speed"), QStringLiteral("4"), tw_rect(4800, 7080, 375, 270), speed_caption);
  HSsp_ = make_bar(this, QStringLiteral("HSsp"), kBarRanges[kSpeedIndex], tw_rect(5160, 7080, 375, 255),
                   speed_caption);
}

void MainWindow::set_tab_order() {
  auto at = [this](Box b) -> QWidget* { return box(b); };
  std::vector<QWidget*> order = {sim_com_};
  for (Box b : kAllBoxes) order.push_back(at(b));
  order.push_back(Command2_);
  order.push_back(speed_);
  order.push_back(HS_[0]);
  order.push_back(HSsp_);
  for (int i = 1; i < kBoxCount; ++i) order.push_back(HS_[i]);
  order.push_back(Command1_);
  for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
}

}  // namespace noboria
