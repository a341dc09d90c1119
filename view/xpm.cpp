#include "view/xpm.h"

#include <charconv>
#include <map>
#include <vector>

namespace noboria {
namespace {

// The quoted strings of the C array, in order (XPM strings hold no escapes).
std::vector<std::string_view> quoted_strings(std::string_view text) {
  std::vector<std::string_view> strings;
  std::size_t pos = 0;
  while ((pos = text.find('"', pos)) != std::string_view::npos) {
    const std::size_t end = text.find('"', pos + 1);
    if (end == std::string_view::npos) break;
    strings.push_back(text.substr(pos + 1, end - pos - 1));
    pos = end + 1;
  }
  return strings;
}

bool read_int(std::string_view& s, int& value) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  const auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (ec != std::errc() || value < 0) return false;
  s.remove_prefix(static_cast<std::size_t>(end - s.data()));
  return true;
}

std::optional<std::uint32_t> colour(std::string_view text) {
  if (text == "None") return 0u;
  if (text.size() != 7 || text.front() != '#') return std::nullopt;
  std::uint32_t rgb = 0;
  const auto [end, ec] = std::from_chars(text.data() + 1, text.data() + 7, rgb, 16);
  if (ec != std::errc() || end != text.data() + 7) return std::nullopt;
  return 0xFF000000u | rgb;
}

}  // namespace

std::optional<PixelImage> decode_xpm(std::string_view text) {
  const std::vector<std::string_view> strings = quoted_strings(text);
  if (strings.empty()) return std::nullopt;
  std::string_view header = strings[0];
  int width = 0, height = 0, colours = 0, chars = 0;
  if (!read_int(header, width) || !read_int(header, height) || !read_int(header, colours) ||
      !read_int(header, chars) || chars == 0 || strings.size() < 1u + colours + height)
    return std::nullopt;

  std::map<std::string_view, std::uint32_t, std::less<>> table;
  for (int i = 1; i <= colours; ++i) {
    const std::string_view line = strings[i];
    const auto key = static_cast<std::size_t>(chars);
    if (line.size() < key + 3 || line.substr(key, 3) != " c ") return std::nullopt;
    const std::optional<std::uint32_t> value = colour(line.substr(key + 3));
    if (!value) return std::nullopt;
    table[line.substr(0, chars)] = *value;
  }

  PixelImage image(width, height, 0);
  for (int y = 0; y < height; ++y) {
    const std::string_view row = strings[1 + colours + y];
    if (row.size() != static_cast<std::size_t>(width) * chars) return std::nullopt;
    for (int x = 0; x < width; ++x) {
      const auto found = table.find(row.substr(static_cast<std::size_t>(x) * chars, chars));
      if (found == table.end()) return std::nullopt;
      image.at(x, y) = found->second;
    }
  }
  return image;
}

}  // namespace noboria
