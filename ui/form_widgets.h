#pragma once
// The widgets of one window, made from its description in form/layout: one
// for each control, in the table's order (so later ones lie on top), each at
// its place with its text, colours, font, Tab position, range and the name a
// screen reader hears; and the window's caption, size and ground.

#include <QWidget>
#include <functional>
#include <string_view>
#include <utility>
#include <vector>

#include "form/layout.h"

namespace noboria {

class FormWidgets {
 public:
  using LinkPressed = std::function<void(const Control&)>;

  // Fills `window` with the controls of `which`; link_pressed runs when a
  // link is pressed.
  FormWidgets(QWidget& window, WindowId which, LinkPressed link_pressed = {});

  // The widget of the control with this role; the role must be one of the window's.
  QWidget* operator[](std::string_view role) const;
  template <class W>
  W* get(std::string_view role) const {
    return static_cast<W*>((*this)[role]);
  }
  const std::vector<std::pair<const Control*, QWidget*>>& all() const { return widgets_; }

 private:
  std::vector<std::pair<const Control*, QWidget*>> widgets_;
};

// A place of the layout in pixels.
QRect pixel_rect(const Twips& place);

}  // namespace noboria
