#pragma once
// What a screen reader hears of the game beyond the controls' own names: the
// day and the counts named by their captions, the field and the graph told in
// one line each, and the sentence that ends a run. Both editions speak these
// texts, so they say the same. All counts are the ones the count labels and
// the graph show (the census at the start of each day), so that a pupil never
// hears two different numbers for one thing.

#include <span>
#include <string>
#include <string_view>

#include "form/layout.h"
#include "sim/world.h"

namespace noboria {

// A number shown beside its caption, as one name: 「草食の数 48」. Before the
// first day the counts show a placeholder and the day an instruction: then
// the caption alone, or the instruction alone.
std::string count_name(const Control& count, std::string_view shown);

// 「日数 12、植物のあるマス 180、草食の数 48、肉食の数 12」
std::string field_summary(const World& w);

// 「日数 12、草食の数 48（増加）、肉食の数 12（減少）」: the latest counts and how
// each moved since the day before. It follows the days through follow().
class GraphSummary {
 public:
  // After every day and every run start.
  void follow(const World& w);
  const std::string& text() const { return text_; }

 private:
  int day_ = -1;
  int herbivores_ = 0;
  int carnivores_ = 0;
  int before_herbivores_ = -1;  // -1: no day before in this run
  int before_carnivores_ = -1;
  std::string text_;
};

// What a screen reader says of the About window when it comes forward: the
// texts of its captions in about_text_roles(), one to a line. Those captions
// are read as part of it, not on their own.
std::string about_text();
std::span<const std::string_view> about_text_roles();

// Said when the About button hides the About window: the focus stays on the
// button, so nothing else tells a listener that the window went.
// 「ノボリアについて」を閉じました
std::string about_hidden_sentence();

// Said once when a run ends (a kind has died out, or the day limit is reached):
// 「シミュレーションが終わりました。日数 57、草食の数 0、肉食の数 12」
std::string run_end_sentence(const World& w);

}  // namespace noboria
