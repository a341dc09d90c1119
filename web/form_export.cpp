// form_export: prints both windows' description (form/layout.h) and what the
// page's script and core agree on (web/page_abi.h) as JSON, in pixels, for
// the fold step that writes the page's controls and constants from it. Runs
// on the build machine.

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "assets/picture_data.h"
#include "form/layout.h"
#include "form/speech.h"
#include "view/field_painter.h"
#include "view/graph_painter.h"
#include "web/page_abi.h"

namespace {

using namespace noboria;

std::string quoted(std::string_view text) {
  std::string out = "\"";
  for (const char c : text) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (static_cast<unsigned char>(c) < 0x20) {
      char escape[8];
      std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
      out += escape;
    } else {
      out += c;
    }
  }
  return out + '"';
}

std::string colour(std::uint32_t c) {
  if (c == kInherit) return "null";
  char text[16];
  std::snprintf(text, sizeof text, "\"#%06X\"", static_cast<unsigned>(c));
  return text;
}

std::string_view window_name(WindowId w) { return w == WindowId::main ? "main" : "about"; }

std::string_view kind_name(Kind k) {
  switch (k) {
    case Kind::caption: return "caption";
    case Kind::count: return "count";
    case Kind::box: return "box";
    case Kind::step: return "step";
    case Kind::button: return "button";
    case Kind::link: return "link";
    case Kind::picture: return "picture";
    case Kind::field: return "field";
    case Kind::graph: return "graph";
    case Kind::summary: return "summary";
  }
  return "";
}

// Points at 96 pixels to the inch, as both editions set their fonts; 0 keeps the window's.
int font_px(double points) { return static_cast<int>(std::lround(points * 4 / 3)); }

std::string place(int left, int top, int width, int height) {
  return "[" + std::to_string(px(left)) + "," + std::to_string(px(top)) + "," + std::to_string(px(width)) + "," +
         std::to_string(px(height)) + "]";
}

void print_control(const Control& c, bool last) {
  std::string line = "  {\"role\":" + quoted(c.role) + ",\"data_name\":" + quoted(c.data_name) +
                     ",\"window\":" + quoted(window_name(c.window)) + ",\"kind\":" + quoted(kind_name(c.kind)) +
                     ",\"px\":" + place(c.place.left, c.place.top, c.place.width, c.place.height) +
                     ",\"text\":" + quoted(c.text) + ",\"colour\":" + colour(c.colour) +
                     ",\"ground\":" + colour(c.ground) + ",\"font_px\":" + std::to_string(font_px(c.points)) +
                     ",\"bold\":" + (c.bold ? "true" : "false") + ",\"underline\":" + (c.underline ? "true" : "false") +
                     ",\"wrap\":" + (c.wrap ? "true" : "false") + ",\"lines\":" + quoted(c.lines) +
                     ",\"tab\":" + std::to_string(c.tab) +
                     ",\"index\":" + std::to_string(c.index) + ",\"minimum\":" + std::to_string(c.minimum) +
                     ",\"maximum\":" + std::to_string(c.maximum) + ",\"start_value\":" + std::to_string(c.start_value) +
                     ",\"hint\":" + quoted(c.hint) + ",\"name\":" + quoted(spoken_name(c)) +
                     ",\"description\":" + quoted(c.description);
  if (c.kind == Kind::link) line += ",\"address\":" + quoted(c.copies) + ",\"message\":" + quoted(c.message);
  std::printf("%s}%s\n", line.c_str(), last ? "" : ",");
}

// Every text the core writes besides the controls' own, made by the core's
// own code with sample numbers: the instruction, what the counts are called,
// the summaries a focused stop shows and the sentence that ends a run. The
// page's font subset must hold them all.
std::vector<std::string> core_texts() {
  std::vector<std::string> out = {std::string(texts::kInstruction)};
  for (const std::string_view role : page::kCountRoles) {
    out.push_back(count_name(control(role), texts::kInstruction));
    out.push_back(count_name(control(role), "1"));
  }
  World w;
  GraphSummary graph;
  graph.follow(w);  // before the first day
  out.push_back(graph.text());
  for (const auto& [herbivores, carnivores] : {std::pair{2, 2}, {3, 1}, {3, 1}}) {  // new, up and down, the same
    ++w.day;
    w.z_num = herbivores;
    w.l_num = carnivores;
    graph.follow(w);
    out.push_back(graph.text());
  }
  out.push_back(field_summary(w));
  out.push_back(run_end_sentence(w));
  return out;
}

}  // namespace

int main() {
  std::printf("{\"windows\":{\n");
  for (const WindowId w : {WindowId::main, WindowId::about}) {
    const WindowText& t = window_text(w);
    std::printf("  %s:{\"caption\":%s,\"width\":%d,\"height\":%d,\"ground\":%s}%s\n",
                quoted(window_name(w)).c_str(), quoted(t.caption).c_str(), t.width, t.height,
                colour(t.ground).c_str(), w == WindowId::main ? "," : "");
  }
  std::printf("},\n\"controls\":[\n");
  const auto all = controls();
  for (std::size_t i = 0; i < all.size(); ++i) print_control(all[i], i + 1 == all.size());
  std::printf("],\n\"graph_labels\":[\n");
  for (std::size_t i = 0; i < kGraphLabels.size(); ++i) {
    const GraphLabel& g = kGraphLabels[i];
    std::printf("  {\"role\":%s,\"text\":%s,\"px\":%s}%s\n", quoted(g.role).c_str(), quoted(g.text).c_str(),
                place(g.left, g.top, g.width, g.height).c_str(), i + 1 == kGraphLabels.size() ? "" : ",");
  }
  std::printf("],\n\"about_text\":[");
  const auto about = about_text_roles();
  for (std::size_t i = 0; i < about.size(); ++i) std::printf("%s%s", i ? "," : "", quoted(about[i]).c_str());
  std::printf("],\n\"texts\":{\"program_title\":%s,\"message_ok\":%s},\n", quoted(texts::kProgramTitle).c_str(),
              quoted(texts::kMessageOk).c_str());
  std::printf("\"core_texts\":[");
  const std::vector<std::string> written = core_texts();
  for (std::size_t i = 0; i < written.size(); ++i) std::printf("%s%s", i ? "," : "", quoted(written[i]).c_str());
  std::printf("],\n");
  std::printf("\"cue_ground\":%s,\n\"icon_picture\":%d,\n", colour(kCueGround).c_str(),
              static_cast<int>(Picture::icon));
  // The canvases hold the painters' pictures pixel for pixel.
  std::printf("\"field_pixels\":[%d,%d],\n\"graph_pixels\":[%d,%d],\n", FieldPainter::kPixels,
              FieldPainter::kPixels, GraphPainter::kWidth, GraphPainter::kHeight);
  std::printf("\"changes\":{");
  for (std::size_t i = 0; i < page::kChangeNames.size(); ++i) {
    std::printf("%s%s:%u", i ? "," : "", quoted(page::kChangeNames[i].first).c_str(), page::kChangeNames[i].second);
  }
  std::printf("},\n\"counts\":[");
  for (std::size_t i = 0; i < page::kCountRoles.size(); ++i) {
    std::printf("%s%s", i ? "," : "", quoted(page::kCountRoles[i]).c_str());
  }
  std::printf("]}\n");
  return 0;
}
