#include "ui/about_window.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "ui/pictures.h"
#include "ui/services.h"

namespace noboria {

namespace {

QString qt_text(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

// The stand-in for "ＭＳ Ｐゴシック" runs a little wider than the font the
// layout was measured with, enough to cut the last character of a one-line
// caption sized to its text. Such a caption may grow to the right as far as
// free_right, never into the neighbour that starts there.
void fit_one_line(QLabel& label, int free_right) {
  const QFontMetrics metrics(label.font());
  const int needed =
      std::max(metrics.horizontalAdvance(label.text()), metrics.tightBoundingRect(label.text()).right() + 1);
  const int width = std::clamp(needed, label.width(), std::max(label.width(), free_right - label.x()));
  label.resize(width, label.height());
}

}  // namespace

AboutWindow::AboutWindow(Services& services, QWidget* main_window)
    : QWidget(nullptr),
      services_(services),
      main_window_(main_window),
      widgets_(*this, WindowId::about, [this](const Control& link) {
        services_.copy_text(qt_text(link.copies));
        services_.message(this, qt_text(link.message));
      }) {
  setObjectName(QStringLiteral("about_window"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowIcon(QIcon(picture_pixmap(Picture::icon)));
  fit_one_line(*widgets_.get<QLabel>("mail_label"), widgets_["mail_address_link"]->x());
  connect(widgets_.get<QPushButton>("ok_button"), &QPushButton::clicked, this, &AboutWindow::ok_pressed);
}

void AboutWindow::ok_pressed() {
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
    widgets_.get<QPushButton>("ok_button")->click();
    return;
  }
  QWidget::keyPressEvent(event);
}

}  // namespace noboria
