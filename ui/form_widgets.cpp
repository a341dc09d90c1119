#include "ui/form_widgets.h"

#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <algorithm>
#include <cstdlib>
#include <map>

#include "form/speech.h"
#include "ui/accessibility.h"
#include "ui/fonts.h"
#include "ui/link_label.h"
#include "ui/pictures.h"
#include "ui/step_control.h"
#include "ui/summary_stop.h"
#include "ui/text_fit.h"
#include "view/field_view.h"
#include "view/graph_view.h"

namespace noboria {

namespace {

QString qt_text(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

QColor qt_colour(std::uint32_t rgb) { return QColor::fromRgb(rgb); }

// The control's colour on its text and its ground behind it; a button's
// ground is its face.
void paint(QWidget& widget, const Control& c) {
  if (c.colour == kInherit && c.ground == kInherit) return;
  QPalette palette = widget.palette();
  if (c.colour != kInherit) palette.setColor(QPalette::WindowText, qt_colour(c.colour));
  if (c.ground != kInherit)
    palette.setColor(c.kind == Kind::button ? QPalette::Button : QPalette::Window, qt_colour(c.ground));
  widget.setPalette(palette);
  if (c.ground != kInherit && c.kind != Kind::button) widget.setAutoFillBackground(true);
}

// Plain text from the top-left corner, no mnemonics.
QLabel* set_text(QLabel* label, const Control& c) {
  label->setTextFormat(Qt::PlainText);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setWordWrap(c.wrap);
  label->setText(qt_text(c.text));
  return label;
}

QLineEdit* text_box(QWidget& window, const Control& c) {
  auto* box = new QLineEdit(&window);
  box->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  // The box is only 25 pixels wide: the text may use one more pixel on the
  // left and two on the right than a line edit leaves it, so that a
  // three-digit value ("150", "200") shows whole, slightly condensed.
  box->setTextMargins(-1, 0, -2, 0);
  box->setText(qt_text(c.text));
  QObject::connect(box, &QLineEdit::textChanged, box, [box] { fit_box_text(*box); });
  return box;
}

QLabel* picture(QWidget& window, const Control& c) {
  auto* label = new QLabel(&window);
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setPixmap(picture_pixmap(static_cast<Picture>(c.index)));
  if (c.border > 0) {
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setLineWidth(c.border);
  }
  return label;
}

// The role a reader is told for a caption, where it is not Qt's own: the
// captions that make up the About window's text, which a reader hears as
// the dialog's description, are its paragraphs rather than loose labels.
bool in_about_text(const Control& c) {
  const auto roles = about_text_roles();
  return std::find(roles.begin(), roles.end(), c.role) != roles.end();
}

// A caption whose text a count's spoken name already holds (「日数」 beside
// the day): a reader hears it once, in the count's name.
bool said_with_a_count(const Control& c) {
  return std::any_of(controls().begin(), controls().end(), [&c](const Control& count) {
    return count.kind == Kind::count && count.window == c.window && spoken_name(count) == c.text;
  });
}

// A caption, marked for readers before it holds any text: Qt makes a
// widget's reader interface at its first change and keeps it.
QLabel* caption(QWidget& window, const Control& c) {
  auto* label = new QLabel(&window);
  if (c.kind == Kind::caption && said_with_a_count(c)) set_said_elsewhere(*label);
  if (in_about_text(c)) {
    set_reader_role(*label, QAccessible::Paragraph);
    label->setAccessibleName(qt_text(c.text));
  }
  return label;
}

// The summary stop over the graph is a chart, the one over the field a picture.
QAccessible::Role summary_role(const Control& c) {
  const bool over_graph = std::any_of(controls().begin(), controls().end(), [&c](const Control& o) {
    return o.kind == Kind::graph && o.window == c.window && o.place.left == c.place.left && o.place.top == c.place.top;
  });
  return over_graph ? QAccessible::Chart : QAccessible::Graphic;
}

QWidget* make(QWidget& window, const Control& c, const FormWidgets::LinkPressed& link_pressed) {
  switch (c.kind) {
    case Kind::caption:
    case Kind::count:
      return set_text(caption(window, c), c);
    case Kind::link: {
      auto pressed = [&c, link_pressed] {
        if (link_pressed) link_pressed(c);
      };
      return set_text(new LinkLabel(&window, pressed), c);
    }
    case Kind::box:
      return text_box(window, c);
    case Kind::step: {
      auto* step = new StepControl(&window, c.index, c.minimum, c.maximum);
      step->setValue(c.start_value);
      return step;
    }
    case Kind::button: {
      auto* button = new QPushButton(qt_text(c.text), &window);
      button->setAutoDefault(false);
      return button;
    }
    case Kind::picture:
      return picture(window, c);
    case Kind::field:
      return new FieldView(&window);
    case Kind::graph:
      return new GraphView(&window);
    case Kind::summary:
      return new SummaryStop(&window, summary_role(c));
  }
  std::abort();
}

// The kinds given the control's spoken name. Qt names captions and buttons by
// their text; the counts' names follow the days; the stops over the field
// and the graph speak for them.
bool named_here(Kind kind) {
  return kind == Kind::box || kind == Kind::step || kind == Kind::picture || kind == Kind::link ||
         kind == Kind::summary;
}

}  // namespace

QRect pixel_rect(const Twips& place) { return QRect(px(place.left), px(place.top), px(place.width), px(place.height)); }

FormWidgets::FormWidgets(QWidget& window, WindowId which, LinkPressed link_pressed) {
  // A reader meets the About window as a dialog, and hears its text as it
  // comes forward.
  set_reader_role(window, which == WindowId::main ? QAccessible::Window : QAccessible::Dialog);
  if (which == WindowId::about) window.setAccessibleDescription(QString::fromStdString(about_text()));
  const WindowText& text = window_text(which);
  window.setWindowTitle(qt_text(text.caption));
  window.setFixedSize(text.width, text.height);
  QPalette palette = window.palette();
  palette.setColor(QPalette::Window, qt_colour(text.ground));
  window.setPalette(palette);
  window.setAutoFillBackground(true);

  std::map<int, QWidget*> stops;  // by Tab position
  for (const Control& c : controls()) {
    if (c.window != which) continue;
    QWidget* widget = make(window, c, link_pressed);
    widget->setObjectName(qt_text(c.role));
    QRect place = pixel_rect(c.place);
    if (c.kind == Kind::picture && c.border > 0) {
      // The frame fits round the picture exactly.
      place.setSize(static_cast<QLabel*>(widget)->pixmap().size() + QSize(2 * c.border, 2 * c.border));
    }
    widget->setGeometry(place);
    if (c.points != 0 || c.bold || c.underline)
      widget->setFont(gothic(c.points != 0 ? c.points : kDefaultPoints, c.bold, c.underline));
    paint(*widget, c);
    if (named_here(c.kind)) widget->setAccessibleName(qt_text(spoken_name(c)));
    if (c.tab >= 0) stops[c.tab] = widget;
    widgets_.emplace_back(&c, widget);
  }
  QWidget* previous = nullptr;
  for (const auto& [tab, widget] : stops) {
    if (previous != nullptr) QWidget::setTabOrder(previous, widget);
    previous = widget;
  }
  if (!stops.empty()) stops.begin()->second->setFocus();
}

QWidget* FormWidgets::operator[](std::string_view role) const {
  const auto it =
      std::find_if(widgets_.begin(), widgets_.end(), [role](const auto& w) { return w.first->role == role; });
  if (it == widgets_.end()) std::abort();  // a role the window does not have is a fault of the program
  return it->second;
}

}  // namespace noboria
