// The C functions the page's script calls: each forwards to the page's one
// main window (web/page_controls.h) or reads back what it shows. Texts cross
// as UTF-8: the script fills `in` before a call that reads it, and a call
// that returns a text leaves its length for nb_out_len.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "assets/picture_data.h"
#include "sim/random_source.h"
#include "sim/state_block.h"
#include "view/xpm.h"
#include "web/page_controls.h"

#define NB_EXPORT(name) extern "C" __attribute__((export_name(#name)))

// The scripted sequence of trace mode comes from the page, which throws when
// it runs out: that ends the handler that drew, as on the desktop.
extern "C" __attribute__((import_module("noboria"), import_name("random_draw"))) float noboria_random_draw();

// The wasm C++ runtime has no exceptions: nothing here throws, and anything
// that would is a fault that must stop the call instead of going on.
extern "C" void* __cxa_allocate_exception(std::size_t) { __builtin_trap(); }
extern "C" void __cxa_throw(void*, void*, void (*)(void*)) { __builtin_trap(); }

namespace noboria {
namespace {

class PageRandom final : public RandomSource {
 public:
  float next() override { return noboria_random_draw(); }
};

std::unique_ptr<PageForm> page_form;
std::string in;   // bytes the script hands over
std::string out;  // the last text handed back
PixelImage picture;
std::vector<std::uint32_t> picture_rgba;

bool box_index(int i) { return i >= 0 && i < kTextBoxCount; }
bool count_index(int c) { return c >= 0 && c < static_cast<int>(page::kCountRoles.size()); }
bool canvas_index(int which) { return which == 0 || which == 1; }

const char* hand_back(std::string text) {
  out = std::move(text);
  return out.data();
}

}  // namespace
}  // namespace noboria

using noboria::page_form;

// ---- Set-up ----------------------------------------------------------------

// A buffer of n bytes for the script to fill before a call that reads `in`.
NB_EXPORT(nb_in) char* nb_in(int n) {
  noboria::in.assign(n < 0 ? 0 : static_cast<std::size_t>(n), '\0');
  return noboria::in.data();
}

NB_EXPORT(nb_out_len) int nb_out_len() { return static_cast<int>(noboria::out.size()); }

// scripted: every draw comes from the page (trace mode); otherwise a Mersenne
// Twister seeded from the page's 32 random bits.
NB_EXPORT(nb_init) void nb_init(int scripted, std::uint32_t seed) {
  if (page_form) return;
  std::unique_ptr<noboria::RandomSource> random;
  if (scripted) {
    random = std::make_unique<noboria::PageRandom>();
  } else {
    random = std::make_unique<noboria::MersenneRandom>(seed);
  }
  page_form = std::make_unique<noboria::PageForm>(std::move(random));
}

NB_EXPORT(nb_load) void nb_load() {
  if (page_form) page_form->load();
}

// ---- Events ----------------------------------------------------------------

// The pupil edited box i; its new text is the `in` buffer.
NB_EXPORT(nb_edit) void nb_edit(int i) {
  if (page_form && noboria::box_index(i)) page_form->controls().edit(i, noboria::in);
}

// A click on step control i that lands on value.
NB_EXPORT(nb_step_set) void nb_step_set(int i, int value) {
  if (page_form && noboria::box_index(i)) page_form->controls().click_step(i, value);
}

// One arrow of step control i: delta -1 or +1.
NB_EXPORT(nb_step) void nb_step(int i, int delta) {
  if (page_form && noboria::box_index(i)) {
    page_form->controls().click_step(i, static_cast<long long>(page_form->controls().step_value(i)) + delta);
  }
}

// A key on step control i, numbered as noboria::StepKey; 0 for a key it ignores.
NB_EXPORT(nb_step_key) int nb_step_key(int i, int key) {
  if (!page_form || !noboria::box_index(i) || key < 0 || key > static_cast<int>(noboria::StepKey::end)) return 0;
  return page_form->controls().step_key(i, static_cast<noboria::StepKey>(key));
}

NB_EXPORT(nb_start) void nb_start() {
  if (page_form) page_form->start_pressed();
}

NB_EXPORT(nb_stop) void nb_stop() {
  if (page_form) page_form->form().stop_pressed();
}

NB_EXPORT(nb_about) void nb_about() {
  if (page_form) page_form->form().about_pressed();
}

// The About panel closed by its own OK or Escape.
NB_EXPORT(nb_about_closed) void nb_about_closed() {
  if (page_form) page_form->controls().about_closed();
}

// One tick of the day timer; 0 when it is not ticking.
NB_EXPORT(nb_tick) int nb_tick() { return page_form && page_form->tick(); }

// ---- What the page shows ------------------------------------------------------

NB_EXPORT(nb_changes) unsigned nb_changes() { return page_form ? page_form->controls().take_changes() : 0; }

NB_EXPORT(nb_text) const char* nb_text(int i) {
  return noboria::hand_back(page_form && noboria::box_index(i) ? page_form->controls().text(i) : std::string());
}

NB_EXPORT(nb_step_value) int nb_step_value(int i) {
  return page_form && noboria::box_index(i) ? page_form->controls().step_value(i) : 0;
}

NB_EXPORT(nb_cued) int nb_cued(int i) { return page_form && noboria::box_index(i) && page_form->controls().cued(i); }

NB_EXPORT(nb_hint) const char* nb_hint(int i) {
  return noboria::hand_back(page_form && noboria::box_index(i) ? page_form->controls().hint(i) : std::string());
}

// Count c (day, herbivores, carnivores) as shown, and as a screen reader names it.
NB_EXPORT(nb_count) const char* nb_count(int c) {
  return noboria::hand_back(page_form && noboria::count_index(c) ? page_form->controls().count(c) : std::string());
}
NB_EXPORT(nb_count_name) const char* nb_count_name(int c) {
  return noboria::hand_back(page_form && noboria::count_index(c) ? page_form->controls().count_name(c) : std::string());
}

// Whether the day timer delivers ticks, and how often.
NB_EXPORT(nb_ticking) int nb_ticking() { return page_form && page_form->form().ticking(); }
NB_EXPORT(nb_timer_on) int nb_timer_on() { return page_form && page_form->form().timer_on(); }
NB_EXPORT(nb_timer_interval) int nb_timer_interval() { return page_form ? page_form->form().interval() : 0; }

// The box to focus with its text selected, once; -1 for none.
NB_EXPORT(nb_focus) int nb_focus() { return page_form ? page_form->controls().take_focus() : -1; }

NB_EXPORT(nb_beeps) double nb_beeps() { return page_form ? static_cast<double>(page_form->controls().beeps()) : 0; }

NB_EXPORT(nb_about_shown) int nb_about_shown() { return page_form && page_form->controls().about_shown(); }

// What a screen reader hears: the sentence to say once, and the two summaries.
NB_EXPORT(nb_announcement) const char* nb_announcement() {
  return noboria::hand_back(page_form ? page_form->controls().announcement() : std::string());
}
NB_EXPORT(nb_field_summary) const char* nb_field_summary() {
  return noboria::hand_back(page_form ? page_form->field_summary() : std::string());
}
NB_EXPORT(nb_graph_summary) const char* nb_graph_summary() {
  return noboria::hand_back(page_form ? page_form->graph_summary() : std::string());
}

// ---- Pixels -------------------------------------------------------------------

// The field (0) or the graph's drawing area (1) as RGBA bytes, width x height,
// up to date in the part nb_shown gives (x, y, width, height): all the page
// needs to upload.
NB_EXPORT(nb_pixels) const std::uint32_t* nb_pixels(int which) {
  if (!page_form || !noboria::canvas_index(which)) return nullptr;
  return page_form->controls().pixels(which).update(page_form->controls().image(which));
}

NB_EXPORT(nb_shown) int nb_shown(int which, int part) {
  if (!page_form || !noboria::canvas_index(which)) return 0;
  const noboria::PixelRect& r = page_form->controls().pixels(which).shown();
  const int parts[] = {r.x, r.y, r.width, r.height};
  return part >= 0 && part < 4 ? parts[part] : 0;
}

NB_EXPORT(nb_pixels_width) int nb_pixels_width(int which) {
  return page_form && noboria::canvas_index(which) ? page_form->controls().image(which).width : 0;
}

NB_EXPORT(nb_pixels_height) int nb_pixels_height(int which) {
  return page_form && noboria::canvas_index(which) ? page_form->controls().image(which).height : 0;
}

// One of the embedded pictures (legends, icon, zebra), decoded; its size follows.
NB_EXPORT(nb_picture) const std::uint32_t* nb_picture(int id) {
  noboria::picture = {};
  if (id >= 0 && id < noboria::kPictureCount) {
    if (auto decoded = noboria::decode_xpm(noboria::picture_xpm(static_cast<noboria::Picture>(id))))
      noboria::picture = std::move(*decoded);
  }
  noboria::picture_rgba = noboria::to_rgba(noboria::picture);
  return noboria::picture_rgba.data();
}
NB_EXPORT(nb_picture_width) int nb_picture_width() { return noboria::picture.width; }
NB_EXPORT(nb_picture_height) int nb_picture_height() { return noboria::picture.height; }

// ---- Trace mode -----------------------------------------------------------------

// The state block as noboria-trace prints it. The timer and the beeps are
// given by the page; `in` holds the counts' captions as shown, in the order
// of page::kCountRoles, each ended by a zero byte.
NB_EXPORT(nb_state) const char* nb_state(int timer_on, int interval, double beeps) {
  if (!page_form) return noboria::hand_back(std::string());
  std::array<std::string_view, 3> captions;
  std::string_view rest = noboria::in;
  for (auto& c : captions) {
    const auto end = rest.find('\0');
    c = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
  }
  noboria::StateBlockExtras extras;
  extras.timer_on = timer_on != 0;
  extras.interval = interval;
  extras.beeps = static_cast<long long>(beeps);
  extras.draws = page_form->form().sim().draws();
  extras.daycap = captions[0];
  extras.z_suu = captions[1];
  extras.l_suu = captions[2];
  return noboria::hand_back(noboria::state_block(page_form->form().sim().w, extras));
}
