#include "ui/about_window.h"

#include <QColor>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>
#include <algorithm>
#include <functional>
#include <utility>

#include "assets/pictures.h"
#include "ui/accessibility.h"
#include "ui/focus_frame.h"
#include "ui/fonts.h"
#include "ui/services.h"
#include "ui/twips.h"

namespace noboria {

namespace {

// Ideographic spaces are written as \u3000 so that they cannot be lost or
// mistaken for ordinary spaces when the source is edited.
const QString kCaption = QStringLiteral("ノボリアについて");
const QString kUrl = QStringLiteral("https://example.org/noboria/");
const QString kMail = QStringLiteral("noboria@example.org");
const QString kUrlMessage =
    QStringLiteral("クリックボードにURLを転送しました。ブラウザに貼り付けてHPを訪れてください");
const QString kMailMessage =
    QStringLiteral("クリックボードにメールアドレスを転送しました。メーラーに貼り付けてメールをお願いします");

const QColor kWhite(0xFF, 0xFF, 0xFF);
const QColor kGreen(0x00, 0x80, 0x00);
const QColor kPurple(0x80, 0x00, 0x80);
const QColor kBlue(0x00, 0x00, 0xC0);
const QColor kOrangeRed(0xC0, 0x40, 0x00);
const QColor kOlive(0x80, 0x80, 0x00);

constexpr QSize kZebraSize(80, 81);  // the picture as drawn; used if the resource is missing
constexpr int kPictureBorder = 2;

// A label that acts like a link: a left click (press and release inside) or,
// once reached with Tab, Enter or Space runs its action. Like a classic label
// it shows plain text from its top-left corner.
class ClickLabel final : public QLabel {
 public:
  ClickLabel(QWidget* parent, std::function<void()> action) : QLabel(parent), action_(std::move(action)) {
    mark_as_link(*this);
    setCursor(Qt::PointingHandCursor);
    // Tab focus only: a mouse click should not leave a focus frame behind.
    setFocusPolicy(Qt::TabFocus);
  }

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton) {
      pressed_ = true;
      event->accept();
      return;
    }
    QLabel::mousePressEvent(event);
  }

  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && pressed_) {
      pressed_ = false;
      event->accept();
      if (rect().contains(event->position().toPoint())) activate();
      return;
    }
    QLabel::mouseReleaseEvent(event);
  }

  void keyPressEvent(QKeyEvent* event) override {
    const int key = event->key();
    if ((key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) && !event->isAutoRepeat()) {
      event->accept();
      activate();
      return;
    }
    QLabel::keyPressEvent(event);
  }

  void paintEvent(QPaintEvent* event) override {
    QLabel::paintEvent(event);
    if (hasFocus()) paint_focus_frame(*this, QPalette::Window);
  }

 private:
  // The action may open a modal box; nothing of this label is touched after it.
  void activate() {
    const auto action = action_;
    action();
  }

  std::function<void()> action_;
  bool pressed_ = false;
};

void paint(QWidget* widget, const QColor& text, const QColor& background) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, text);
  palette.setColor(QPalette::Window, background);
  widget->setPalette(palette);
  widget->setAutoFillBackground(true);
}

// The common set-up of every caption: plain text, no mnemonics, top-left.
void set_caption(QLabel* label, const char* name, const QString& text, const QRect& geometry) {
  label->setObjectName(QString::fromLatin1(name));
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setText(text);
  label->setGeometry(geometry);
}

// The stand-in for "ＭＳ Ｐゴシック" runs a little wider than the original,
// enough to cut the last character of a one-line caption sized to the old
// text. Such a caption may grow to the right as far as free_right, never
// into the neighbour that starts there.
void fit_one_line(QLabel* label, int free_right) {
  const QFontMetrics metrics(label->font());
  const int needed = std::max(metrics.horizontalAdvance(label->text()),
                              metrics.tightBoundingRect(label->text()).right() + 1);
  const int width = std::clamp(needed, label->width(), std::max(label->width(), free_right - label->x()));
  label->resize(width, label->height());
}

}  // namespace

AboutWindow::AboutWindow(Services& services, QWidget* main_window)
    : QWidget(nullptr), services_(services), main_window_(main_window) {
  setObjectName(QStringLiteral("Form2"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(kCaption);
  setFixedSize(381, 281);
  paint(this, palette().color(QPalette::WindowText), kWhite);
  ensure_pictures();
  const QPixmap icon(kIconPath);
  if (!icon.isNull()) setWindowIcon(QIcon(icon));

  // Created in the classic window's order so that later controls lie on top
  // where boxes overlap (Label4 over the foot of Label3, the picture and the
  // button over the labels beside them).
  auto* label1 = new QLabel(this);
  set_caption(label1, "Label1", QStringLiteral("ノボリア\u3000Ｖｅｒ2.0"), tw_rect(600, 360, 3735, 495));
  label1->setFont(gothic(15.75, true));
  paint(label1, kGreen, kWhite);

  auto* label2 = new QLabel(this);
  set_caption(label2, "Label2",
              QStringLiteral("\u3000このプログラムの目的は あなたが\u3000【創造主】となり、"
                             "生物の性質を決め、生態系をできるだけ長く維持することです。"),
              tw_rect(720, 840, 4515, 1380));
  label2->setFont(gothic(14.25));
  label2->setWordWrap(true);
  paint(label2, kPurple, kWhite);

  auto* label5 = new QLabel(this);
  set_caption(label5, "Label5", QStringLiteral("生態系のバランスについて考えるきっかけになればと思います。"),
              tw_rect(2040, 2160, 2055, 735));
  label5->setWordWrap(true);
  paint(label5, palette().color(QPalette::WindowText), kWhite);

  auto* picture1 = new QLabel(this);
  picture1->setObjectName(QStringLiteral("Picture1"));
  picture1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  picture1->setLineWidth(kPictureBorder);
  picture1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  const QPixmap zebra(kAboutZebraPath);
  if (!zebra.isNull()) picture1->setPixmap(zebra);
  picture1->setAccessibleName(QStringLiteral("シマウマの絵"));
  // The box fits its picture exactly, border included.
  const QSize picture_size = zebra.isNull() ? kZebraSize : zebra.deviceIndependentSize().toSize();
  picture1->setGeometry(QRect(QPoint(tw(4200), tw(1920)),
                              picture_size + QSize(2 * kPictureBorder, 2 * kPictureBorder)));
  paint(picture1, palette().color(QPalette::WindowText), kWhite);

  auto* label3 = new ClickLabel(this, [this] { Label3_Click(); });
  set_caption(label3, "Label3", QStringLiteral("作者のＨＰには、学習クイズなどもあるので、たずねてみましょう。"),
              tw_rect(600, 3000, 3015, 855));
  label3->setWordWrap(true);
  label3->setAccessibleName(QStringLiteral("作者のＨＰのアドレス（%1）をクリップボードにコピー").arg(kUrl));
  paint(label3, kBlue, kWhite);

  label4_ = new ClickLabel(this, [this] { Label4_Click(); });
  set_caption(label4_, "Label4", kUrl, tw_rect(600, 3480, 3615, 255));
  label4_->setFont(gothic(9, false, true));
  label4_->setAccessibleName(QStringLiteral("ＨＰのアドレス（%1）をクリップボードにコピー").arg(kUrl));
  paint(label4_, kOrangeRed, kWhite);

  // The classic window used the title-bar text colour here; highlighted text
  // is the nearest role a Qt palette has.
  const QColor title_text = palette().color(QPalette::HighlightedText);

  auto* label7 = new QLabel(this);
  set_caption(label7, "Label7", QStringLiteral("mail:"), tw_rect(1440, 3840, 375, 255));
  fit_one_line(label7, tw(1920));  // up to Label6
  paint(label7, kOlive, title_text);

  label6_ = new ClickLabel(this, [this] { Label6_Click(); });
  set_caption(label6_, "Label6", kMail, tw_rect(1920, 3840, 2055, 255));
  label6_->setFont(gothic(9, false, true));
  label6_->setAccessibleName(QStringLiteral("メールアドレス（%1）をクリップボードにコピー").arg(kMail));
  paint(label6_, kOlive, title_text);

  auto* command1 = new QPushButton(QStringLiteral("Ｏ\u3000Ｋ"), this);
  ok_ = command1;
  command1->setObjectName(QStringLiteral("Command1"));
  command1->setGeometry(tw_rect(4080, 3480, 1335, 375));
  QPalette button_palette = command1->palette();
  button_palette.setColor(QPalette::Button, kWhite);
  command1->setPalette(button_palette);
  connect(command1, &QPushButton::clicked, this, &AboutWindow::Command1_Click);

  // The button is the first stop, as in the classic window where the labels
  // took no focus; the links follow it in reading order.
  setTabOrder(command1, label3);
  setTabOrder(label3, label4_);
  setTabOrder(label4_, label6_);
  command1->setFocus();
}

void AboutWindow::Label3_Click() { copy_address(label4_->text(), kUrlMessage); }

void AboutWindow::Label4_Click() { copy_address(label4_->text(), kUrlMessage); }

void AboutWindow::Label6_Click() { copy_address(label6_->text(), kMailMessage); }

void AboutWindow::Command1_Click() {
  if (main_window_ != nullptr) {
    main_window_->show();
    main_window_->raise();
    main_window_->activateWindow();
  }
  close();  // deletes this window once control returns to the event loop
}

void AboutWindow::keyPressEvent(QKeyEvent* event) {
  // The links take Return themselves when they have the focus; the button and
  // the window pass it on to here. Escape, as in a dialog, is OK too.
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Escape) {
    ok_->click();
    return;
  }
  QWidget::keyPressEvent(event);
}

void AboutWindow::copy_address(const QString& address, const QString& message) {
  services_.copy_text(address);
  services_.message(this, message);
}

}  // namespace noboria
