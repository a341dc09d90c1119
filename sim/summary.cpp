#include "sim/summary.h"

namespace noboria {

std::string field_summary(const World& w) {
  int plants = 0, herbivores = 0, carnivores = 0;
  for (int x = 1; x <= kFieldSize; ++x) {
    for (int y = 1; y <= kFieldSize; ++y) {
      plants += w.p_map[x][y] > 0;
      herbivores += w.ani_map[x][y] == kHerbivore;
      carnivores += w.ani_map[x][y] == kCarnivore;
    }
  }
  return "日数 " + std::to_string(w.day) + "、植物のあるマス " + std::to_string(plants) + "、草食動物 " +
         std::to_string(herbivores) + "、肉食動物 " + std::to_string(carnivores);
}

}  // namespace noboria
