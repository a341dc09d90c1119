#pragma once
// Both windows described once, as data: every control's role, place, texts,
// colours, font, Tab position, range and the words a screen reader hears,
// and the windows' own texts. The desktop builds its widgets from this table
// and the page's build generates its HTML from it, so the two editions cannot
// drift apart. Plain C++, no toolkit.

#include <array>
#include <cstdint>
#include <span>
#include <string_view>

namespace noboria {

// The nine parameter boxes (in the order of their step controls), then the
// speed box: text box i and step control i belong together.
inline constexpr int kParameterCount = 9;
inline constexpr int kSpeedIndex = kParameterCount;
inline constexpr int kTextBoxCount = kParameterCount + 1;

enum class WindowId : std::uint8_t { main, about };

enum class Kind : std::uint8_t {
  caption,  // fixed text
  count,    // a number that follows the days (the day and the two counts)
  box,      // a text box, with text box index `index`
  step,     // a step control (two arrows), with step index `index`
  button,
  link,     // text that copies an address when pressed
  picture,  // one of the embedded pictures, number `index` of picture_data.h
  field,
  graph,
  summary,  // a Tab stop over the field or the graph that tells what it shows
};

// A place in twips (15 to a pixel), from the window's client area.
struct Twips {
  int left;
  int top;
  int width;
  int height;
};

// Colours are 0xRRGGBB; kInherit keeps the window's text colour or ground.
inline constexpr std::uint32_t kInherit = 0xFF000000u;
inline constexpr std::uint32_t kLightYellow = 0xFFFFC0;
inline constexpr std::uint32_t kWhite = 0xFFFFFF;

struct Control {
  std::string_view role = {};       // what it is for, e.g. "start_button"; also the page's element id
  std::string_view data_name = {};  // its name in the trace format and the state block, where it has one
  WindowId window = WindowId::main;
  Kind kind = Kind::caption;
  Twips place = {};
  std::string_view text = {};  // caption, or the text shown before start-up writes any
  std::uint32_t colour = kInherit;
  std::uint32_t ground = kInherit;  // filled behind the text; kInherit: not filled
  double points = 0;                // font size; 0 is the window's 9 pt
  bool bold = false;
  bool underline = false;
  bool wrap = false;
  // A wrapped text as the desktop breaks it at its width: the text with a
  // line feed at each break. The page writes these lines as they are, so that
  // every browser engine breaks where the desktop does; empty: not wrapped.
  std::string_view lines = {};
  int tab = -1;    // position in its window's Tab order; -1 when it is no stop
  int index = -1;  // text box / step control / picture number, as the kind says
  // A step control's range and the value it holds before start-up sets it.
  int minimum = 0;
  int maximum = 0;
  int start_value = 0;
  std::string_view load_text = {};  // a box's text after start-up
  std::string_view hint = {};       // a box's tooltip with its error cue
  std::string_view name = {};       // what a screen reader calls it; empty: its text
  std::string_view description = {};
  int border = 0;                   // pixels of a sunken frame round a picture or the graph
  std::string_view copies = {};     // a link's address, put on the clipboard when it is pressed
  std::string_view message = {};    // what the message box says after that
};

// Every control of both windows, in the order they are made (later ones lie
// on top where two overlap).
std::span<const Control> controls();

// The control with this role; every role the programs ask for exists.
const Control& control(std::string_view role);
const Control& text_box(int i);
const Control& step_control(int i);

// What a screen reader calls the control.
std::string_view spoken_name(const Control& c);

struct WindowText {
  std::string_view caption;
  int width;   // client area in pixels
  int height;
  std::uint32_t ground;
};
const WindowText& window_text(WindowId w);

// The texts that are neither a control nor a window caption.
namespace texts {
inline constexpr std::string_view kProgramTitle = "ノボリア";  // message boxes
inline constexpr std::string_view kInstruction = "動植物の数や日数を入力し、シミュレーションを押してください";
inline constexpr std::string_view kPlaceholder = "Label1";  // the counts before the first day
inline constexpr std::string_view kUrl = "https://example.org/noboria/";
inline constexpr std::string_view kMail = "noboria@example.org";
inline constexpr std::string_view kUrlMessage =
    "クリックボードにURLを転送しました。ブラウザに貼り付けてHPを訪れてください";
inline constexpr std::string_view kMailMessage =
    "クリックボードにメールアドレスを転送しました。メーラーに貼り付けてメールをお願いします";
inline constexpr std::string_view kMessageOk = "OK";
}  // namespace texts

// The ground of a box whose text is refused (the error cue).
inline constexpr std::uint32_t kCueGround = 0xFFC0C0;

// The graph's two fixed labels, placed in twips from the inside of its border.
struct GraphLabel {
  std::string_view role = {};
  std::string_view text = {};
  int left;
  int top;
  int width;
  int height;
};
inline constexpr std::array<GraphLabel, 2> kGraphLabels = {{
    {"graph_label_200", "200", 120, 0, 495, 255},
    {"graph_label_100", "100", 120, 1560, 495, 255},
}};

// Twips to pixels, halves up (non-negative twips only).
constexpr int px(int twips) { return (twips * 2 + 15) / 30; }

}  // namespace noboria
