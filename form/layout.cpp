#include "form/layout.h"

#include <algorithm>
#include <cstdlib>

namespace noboria {

namespace {

constexpr std::uint32_t kGreen = 0x008000;   // plants
constexpr std::uint32_t kBlue = 0x0000C0;    // herbivores
constexpr std::uint32_t kRed = 0xC00000;     // carnivores
constexpr std::uint32_t kDayBlue = 0x308CC6;
constexpr std::uint32_t kPurple = 0x800080;
constexpr std::uint32_t kOrangeRed = 0xC04000;
constexpr std::uint32_t kOlive = 0x808000;

constexpr WindowId M = WindowId::main;
constexpr WindowId A = WindowId::about;

// One parameter row: its caption, text box and step control.
struct Row {
  std::string_view role;
  std::string_view box_name;
  int top;
  std::string_view caption;
  int caption_left;
  int caption_width;
  double points;
  std::uint32_t colour;
  std::string_view name;  // where the caption alone does not say which animal
  int minimum, maximum, start_value;
  std::string_view load_text;
  std::string_view hint;
};

// Ideographic spaces are written as \u3000 so that editing cannot lose them.
constexpr std::string_view kNumberHint = "数を入力してください";
constexpr std::string_view kCountHint = "257より小さい数を入力してください（0以下なら0匹）";
constexpr std::string_view kRateHint = "0以外の数を入力してください（0に近すぎる数も使えません）";
constexpr std::array<Row, kParameterCount> kRows = {{
    {"plant_rate", "p_text", 360, "植物の繁殖の速さ\u3000\u30000-8", 6240, 2655, 12, kGreen, {}, 0, 8, 0, "0",
     kNumberHint},
    {"herbivore_count", "Z_text", 720, "草食動物の数\u3000\u3000\u30001-100", 6240, 2655, 12, kBlue, {}, 1, 150, 1,
     "50", kCountHint},
    {"herbivore_birth", "Zh_text", 1080, "子供をうむまでの日数\u30001-50", 6480, 2415, 9.75, kBlue,
     "草食動物 子供をうむまでの日数\u30001-50", 1, 50, 1, "10", kRateHint},
    {"herbivore_life", "ze_text", 1440, "えさなしで生きる日数\u30001-20", 6480, 2415, 9.75, kBlue,
     "草食動物 えさなしで生きる日数\u30001-20", 1, 20, 1, "1", "-0.5より大きく32766.5より小さい数を入力してください"},
    {"carnivore_count", "l_text", 1920, "肉食動物の数\u3000\u3000\u30001-100", 6240, 2655, 12, kRed, {}, 1, 100, 50,
     "50", kCountHint},
    {"carnivore_birth", "lh_text", 2400, "子供をうむまでの日数\u30001-50", 6480, 2415, 9.75, kRed,
     "肉食動物 子供をうむまでの日数\u30001-50", 1, 50, 1, "10", kRateHint},
    {"carnivore_life", "le_text", 2760, "えさなしで生きる日数\u30001-20", 6480, 2415, 9.75, kRed,
     "肉食動物 えさなしで生きる日数\u30001-20", 1, 20, 1, "1",
     "0.5より大きく32767以下の数を入力してください（満腹でえさをとらない日数との差は32767まで）"},
    {"carnivore_rest", "lm_text", 3120, "満腹でえさをとらない日数\u30000-5", 6240, 2775, 9.75, kRed, {}, 0, 5, 1, "1",
     "数を入力してください（えさなしで生きる日数との差は32767まで）"},
    {"carnivore_catch", "lK_text", 3480, "えさをとる確率\u30001-10割", 6480, 2535, 12, kRed, {}, 0, 10, 0, "5",
     kNumberHint},
}};

constexpr int kBoxLeft = 9000;
constexpr int kStepLeft = 9360;
constexpr int kCaptionHeight = 255;
constexpr std::string_view kSpeedCaption = "シュミレーションの速さ\u30001-100";

// Tab order of the main window: the start button, the nine boxes, the stop
// button, the speed box, the first step control, the speed's, the other eight,
// the About button, then the field's and the graph's summaries.
constexpr int kFirstBoxTab = 1;
constexpr int kStopTab = 10;
constexpr int kSpeedBoxTab = 11;
constexpr int kFirstStepTab = 12;
constexpr int kSpeedStepTab = 13;
constexpr int kAboutTab = 22;

constexpr int step_tab(int i) { return i == 0 ? kFirstStepTab : kSpeedStepTab + i; }

constexpr std::size_t kControlCount = 1 + 3 * kParameterCount + 2 + 5 + 2 + 1 + 3 + 1 + 2 + 2 + 9;  // main, then About

// The roles of the parameter rows' parts, spelled out: a role is a name the
// programs look up, so it must be written in full somewhere.
constexpr std::array<std::array<std::string_view, 3>, kParameterCount> kRowRoles = {{
    {"plant_rate_caption", "plant_rate_box", "plant_rate_step"},
    {"herbivore_count_caption", "herbivore_count_box", "herbivore_count_step"},
    {"herbivore_birth_caption", "herbivore_birth_box", "herbivore_birth_step"},
    {"herbivore_life_caption", "herbivore_life_box", "herbivore_life_step"},
    {"carnivore_count_caption", "carnivore_count_box", "carnivore_count_step"},
    {"carnivore_birth_caption", "carnivore_birth_box", "carnivore_birth_step"},
    {"carnivore_life_caption", "carnivore_life_box", "carnivore_life_step"},
    {"carnivore_rest_caption", "carnivore_rest_box", "carnivore_rest_step"},
    {"carnivore_catch_caption", "carnivore_catch_box", "carnivore_catch_step"},
}};
constexpr std::array<std::string_view, kParameterCount> kStepNames = {
    "HS0", "HS1", "HS2", "HS3", "HS4", "HS5", "HS6", "HS7", "HS8"};

// Whether `lines` is `text` with line feeds put in.
constexpr bool same_but_line_feeds(std::string_view lines, std::string_view text) {
  std::size_t at = 0;
  for (const char ch : lines) {
    if (ch == '\n') continue;
    if (at == text.size() || text[at] != ch) return false;
    ++at;
  }
  return at == text.size();
}

constexpr std::array<Control, kControlCount> build() {
  std::array<Control, kControlCount> c{};
  std::size_t n = 0;
  c[n++] = {.role = "field", .window = M, .kind = Kind::field, .place = {100, 100, 5610, 5610},
            .name = "フィールド"};
  for (int i = 0; i < kParameterCount; ++i) {
    const Row& r = kRows[i];
    c[n++] = {.role = kRowRoles[i][0], .window = M, .kind = Kind::caption,
              .place = {r.caption_left, r.top, r.caption_width, kCaptionHeight}, .text = r.caption,
              .colour = r.colour, .ground = kLightYellow, .points = r.points};
    c[n++] = {.role = kRowRoles[i][1], .data_name = r.box_name, .window = M, .kind = Kind::box,
              .place = {kBoxLeft, r.top, 375, 270}, .text = "1", .tab = kFirstBoxTab + i, .index = i,
              .load_text = r.load_text, .hint = r.hint, .name = r.name.empty() ? r.caption : r.name};
    c[n++] = {.role = kRowRoles[i][2], .data_name = kStepNames[i], .window = M, .kind = Kind::step,
              .place = {kStepLeft, r.top, 375, 255}, .tab = step_tab(i), .index = i, .minimum = r.minimum,
              .maximum = r.maximum, .start_value = r.start_value, .name = r.name.empty() ? r.caption : r.name};
  }
  c[n++] = {.role = "herbivore_legend", .window = M, .kind = Kind::picture, .place = {5760, 960, 495, 495},
            .index = 9, .name = "草食動物の絵"};
  c[n++] = {.role = "carnivore_legend", .window = M, .kind = Kind::picture, .place = {5760, 2280, 615, 615},
            .ground = kLightYellow, .index = 10, .name = "肉食動物の絵"};
  c[n++] = {.role = "herbivore_count_label", .window = M, .kind = Kind::caption, .place = {6000, 3960, 975, 255},
            .text = "草食の数", .colour = kBlue, .ground = kLightYellow, .points = 12};
  c[n++] = {.role = "carnivore_count_label", .window = M, .kind = Kind::caption, .place = {7920, 3960, 975, 255},
            .text = "肉食の数", .colour = kRed, .ground = kLightYellow, .points = 12};
  c[n++] = {.role = "aim", .window = M, .kind = Kind::caption, .place = {240, 6120, 5055, 255},
            .text = "パラメータを調節し、生態系を長く維持してください。", .colour = kGreen, .ground = kLightYellow,
            .points = 12};
  c[n++] = {.role = "day_label", .window = M, .kind = Kind::caption, .place = {4200, 6480, 615, 255},
            .text = "日数", .colour = kBlue, .ground = kLightYellow, .points = 12};
  c[n++] = {.role = "speed_caption", .window = M, .kind = Kind::caption, .place = {1560, 7080, 3135, 255},
            .text = kSpeedCaption, .colour = kGreen, .ground = kLightYellow, .points = 12};
  c[n++] = {.role = "herbivore_count", .data_name = "z_suu", .window = M, .kind = Kind::count,
            .place = {7080, 3960, 735, 255}, .text = texts::kPlaceholder, .ground = kLightYellow, .points = 11.25,
            .name = "草食の数"};
  c[n++] = {.role = "carnivore_count", .data_name = "l_suu", .window = M, .kind = Kind::count,
            .place = {9000, 3960, 615, 375}, .text = texts::kPlaceholder, .ground = kLightYellow, .points = 11.25,
            .name = "肉食の数"};
  c[n++] = {.role = "graph", .data_name = "gra", .window = M, .kind = Kind::graph, .place = {5760, 4440, 4095, 3255},
            .name = "グラフ", .border = 2};
  c[n++] = {.role = "start_button", .data_name = "sim_com", .window = M, .kind = Kind::button,
            .place = {120, 6480, 1455, 375}, .text = "シミュレーション", .tab = 0};
  c[n++] = {.role = "stop_button", .data_name = "Command2", .window = M, .kind = Kind::button,
            .place = {1800, 6480, 855, 375}, .text = "停止", .tab = kStopTab};
  c[n++] = {.role = "about_button", .window = M, .kind = Kind::button, .place = {2880, 6480, 735, 375},
            .text = "解説", .tab = kAboutTab};
  c[n++] = {.role = "day", .data_name = "daycap", .window = M, .kind = Kind::count, .place = {4800, 6480, 735, 375},
            .text = texts::kPlaceholder, .colour = kDayBlue, .ground = kLightYellow, .points = 15.75,
            .name = "日数"};
  c[n++] = {.role = "speed_box", .data_name = "speed", .window = M, .kind = Kind::box,
            .place = {4800, 7080, 375, 270}, .text = "4", .tab = kSpeedBoxTab, .index = kSpeedIndex,
            .load_text = "4", .hint = "0から1310.7までの数を入力してください", .name = kSpeedCaption};
  c[n++] = {.role = "speed_step", .data_name = "HSsp", .window = M, .kind = Kind::step,
            .place = {5160, 7080, 375, 255}, .tab = kSpeedStepTab, .index = kSpeedIndex, .minimum = 1,
            .maximum = 200, .start_value = 1, .name = kSpeedCaption};
  // Over the field and the graph, after every other stop: what they show, in words.
  c[n++] = {.role = "field_summary", .window = M, .kind = Kind::summary, .place = {100, 100, 5610, 5610},
            .tab = kAboutTab + 1, .name = "フィールド"};
  c[n++] = {.role = "graph_summary", .window = M, .kind = Kind::summary, .place = {5760, 4440, 4095, 3255},
            .tab = kAboutTab + 2, .name = "グラフ"};

  // The About window.
  c[n++] = {.role = "about_title", .window = A, .kind = Kind::caption, .place = {600, 360, 3735, 495},
            .text = "ノボリア\u3000Ｖｅｒ2.0", .colour = kGreen, .ground = kWhite, .points = 15.75, .bold = true};
  c[n++] = {.role = "about_aim", .window = A, .kind = Kind::caption, .place = {720, 840, 4515, 1380},
            .text = "\u3000このプログラムの目的は あなたが\u3000【創造主】となり、"
                    "生物の性質を決め、生態系をできるだけ長く維持することです。",
            .colour = kPurple, .ground = kWhite, .points = 14.25, .wrap = true,
            .lines = "\u3000このプログラムの目的は あなたが\u3000\n【創造主】となり、生物の性質を決め、\n"
                     "生態系をできるだけ長く維持すること\nです。"};
  c[n++] = {.role = "about_hope", .window = A, .kind = Kind::caption, .place = {2040, 2160, 2055, 735},
            .text = "生態系のバランスについて考えるきっかけになればと思います。", .ground = kWhite, .wrap = true,
            .lines = "生態系のバランスについて\n考えるきっかけになればと\n思います。"};
  c[n++] = {.role = "about_picture", .window = A, .kind = Kind::picture, .place = {4200, 1920, 1260, 1275},
            .ground = kWhite, .index = 12, .name = "シマウマの絵", .border = 2};
  c[n++] = {.role = "author_page_link", .window = A, .kind = Kind::link, .place = {600, 3000, 3015, 855},
            .text = "作者のＨＰには、学習クイズなどもあるので、たずねてみましょう。", .colour = kBlue,
            .ground = kWhite, .wrap = true, .lines = "作者のＨＰには、学習クイズなどもあるの\nで、たずねてみましょう。",
            .tab = 1, .name = "作者のＨＰのアドレス（https://example.org/noboria/）をクリップボードにコピー",
            .copies = texts::kUrl, .message = texts::kUrlMessage};
  c[n++] = {.role = "page_address_link", .window = A, .kind = Kind::link, .place = {600, 3480, 3615, 255},
            .text = texts::kUrl, .colour = kOrangeRed, .ground = kWhite, .points = 9, .underline = true, .tab = 2,
            .name = "ＨＰのアドレス（https://example.org/noboria/）をクリップボードにコピー", .copies = texts::kUrl,
            .message = texts::kUrlMessage};
  c[n++] = {.role = "mail_label", .window = A, .kind = Kind::caption, .place = {1440, 3840, 375, 255},
            .text = "mail:", .colour = kOlive, .ground = kWhite};
  c[n++] = {.role = "mail_address_link", .window = A, .kind = Kind::link, .place = {1920, 3840, 2055, 255},
            .text = texts::kMail, .colour = kOlive, .ground = kWhite, .points = 9, .underline = true, .tab = 3,
            .name = "メールアドレス（noboria@example.org）をクリップボードにコピー", .copies = texts::kMail,
            .message = texts::kMailMessage};
  c[n++] = {.role = "ok_button", .window = A, .kind = Kind::button, .place = {4080, 3480, 1335, 375},
            .text = "Ｏ\u3000Ｋ", .ground = kWhite, .tab = 0};
  if (n != kControlCount) std::abort();  // a constant expression fails here if a row is added or lost
  for (const Control& control : c) {
    if (!control.lines.empty() && !same_but_line_feeds(control.lines, control.text)) std::abort();  // lines drifted
  }
  return c;
}

constexpr std::array<Control, kControlCount> kControls = build();

constexpr std::array<WindowText, 2> kWindows = {{
    // Spaces and ideographic spaces as the caption has them.
    {"ノボリア\u3000Ｖｅｒ2.0\u3000\u3000Feb,2007                                        "
     "\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000\u3000programed\u3000by\u3000Ostel.Vanrimo\u3000",
     664, 520, kLightYellow},
    {"ノボリアについて", 381, 281, kWhite},
}};

}  // namespace

std::span<const Control> controls() { return kControls; }

const Control& control(std::string_view role) {
  const auto it = std::find_if(kControls.begin(), kControls.end(), [role](const Control& c) { return c.role == role; });
  if (it == kControls.end()) std::abort();  // a role that no control has is a fault of the program
  return *it;
}

const Control& text_box(int i) {
  for (const Control& c : kControls) {
    if (c.kind == Kind::box && c.index == i) return c;
  }
  std::abort();
}

const Control& step_control(int i) {
  for (const Control& c : kControls) {
    if (c.kind == Kind::step && c.index == i) return c;
  }
  std::abort();
}

std::string_view spoken_name(const Control& c) { return c.name.empty() ? c.text : c.name; }

const WindowText& window_text(WindowId w) { return kWindows[static_cast<int>(w)]; }

}  // namespace noboria
