#include "form/speech.h"

#include <charconv>

namespace noboria {

namespace {

bool is_number(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return !text.empty() && error == std::errc() && end == text.data() + text.size();
}

std::string counts(const World& w) {
  return std::string(control("herbivore_count").name) + " " + std::to_string(w.z_num) + "、" +
         std::string(control("carnivore_count").name) + " " + std::to_string(w.l_num);
}

std::string day(int d) { return std::string(control("day").name) + " " + std::to_string(d); }

std::string_view trend(int now, int before) {
  if (before < 0) return {};
  if (now > before) return "（増加）";
  if (now < before) return "（減少）";
  return "（変化なし）";
}

}  // namespace

std::string count_name(const Control& count, std::string_view shown) {
  if (is_number(shown)) return std::string(spoken_name(count)) + " " + std::string(shown);
  if (count.role == "day" && shown != count.text) return std::string(shown);
  return std::string(spoken_name(count));
}

std::string field_summary(const World& w) {
  int plants = 0;
  for (int x = 1; x <= kFieldSize; ++x) {
    for (int y = 1; y <= kFieldSize; ++y) plants += w.p_map[x][y] > 0;
  }
  return day(w.day) + "、植物のあるマス " + std::to_string(plants) + "、" + counts(w);
}

void GraphSummary::follow(const World& w) {
  if (w.day != day_) {
    const bool next_day = day_ > 0 && w.day == day_ + 1;
    before_herbivores_ = next_day ? herbivores_ : -1;
    before_carnivores_ = next_day ? carnivores_ : -1;
    day_ = w.day;
  }
  herbivores_ = w.z_num;
  carnivores_ = w.l_num;
  if (day_ <= 0) {
    text_ = "記録はまだありません";
    return;
  }
  text_ = day(day_) + "、" + std::string(control("herbivore_count").name) + " " + std::to_string(herbivores_) +
          std::string(trend(herbivores_, before_herbivores_)) + "、" + std::string(control("carnivore_count").name) +
          " " + std::to_string(carnivores_) + std::string(trend(carnivores_, before_carnivores_));
}

std::span<const std::string_view> about_text_roles() {
  static constexpr std::string_view kRoles[] = {"about_title", "about_aim", "about_hope"};
  return kRoles;
}

std::string about_text() {
  std::string text;
  for (std::string_view role : about_text_roles()) {
    if (!text.empty()) text += '\n';
    text += control(role).text;
  }
  return text;
}

std::string about_hidden_sentence() { return "「" + std::string(window_text(WindowId::about).caption) + "」を閉じました"; }

std::string run_end_sentence(const World& w) {
  return "シミュレーションが終わりました。" + day(w.day) + "、" + counts(w);
}

}  // namespace noboria
