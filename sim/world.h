#pragma once
// The world record: every piece of simulation state, owned by the main window
// and changed in place by start-up, run start, the day and the inputs.
// Grids are indexed [x][y]: x the column (left to right), y the row.

#include <array>
#include <cstdint>

namespace noboria {

inline constexpr int kFieldSize = 16;  // field cells per side
inline constexpr int kGridSize = 18;   // field plus the one-cell rim (0 and 17)
inline constexpr int kMaxPlaced = 256; // at most this many animals of each kind are put down
inline constexpr std::int16_t kDayLimit = 32767;

using Grid = std::array<std::array<std::int16_t, kGridSize>, kGridSize>;

// Occupant codes shared by ani_map and next_map.
inline constexpr std::int16_t kEmpty = 0;
inline constexpr std::int16_t kHerbivore = 1;
inline constexpr std::int16_t kCarnivore = 2;

// The fields keep the short names the trace's dump prints. What each holds:
//   p_map      plant amount of a cell, 0..2
//   ani_map    occupant at the start of the day: kEmpty, kHerbivore, kCarnivore
//   life_map   days the occupant can still go without food
//   next_map   occupant for the next day, built during the day
//   z_num      herbivores: the number to put down before placement, the
//              number on the field from the first count after it
//   l_num      the same for carnivores
//   z_prev     herbivores at the previous point of the graph
//   l_prev     the same for carnivores
//   day        the day counter, at most kDayLimit
//   gra_x      the graph pen's place on the sheet, +2 a day
// and the eight live parameters, read from their boxes:
//   p_rate     a field cell's daily chance that its plants grow by one
//   z_birth    a herbivore's daily chance of a young
//   l_birth    a carnivore's daily chance of a young (single precision)
//   z_life     days a herbivore lives without food
//   l_life     days a carnivore lives without food
//   l_full     days a fed carnivore does not hunt
//   l_hunt     a carnivore hunts while its life_map is at most this
//   l_catch    a hungry carnivore's daily chance of going after prey
struct World {
  Grid p_map{};
  Grid ani_map{};
  Grid life_map{};
  Grid next_map{};

  std::int32_t z_num = 0;
  std::int32_t l_num = 0;
  std::int32_t z_prev = 0;
  std::int32_t l_prev = 0;
  std::int16_t day = 0;
  std::int16_t gra_x = 0;

  double p_rate = 0;
  double z_birth = 0;
  float l_birth = 0;
  double z_life = 0;
  double l_life = 0;
  double l_full = 0;
  std::int16_t l_hunt = 0;
  double l_catch = 0;
};

constexpr bool on_field(int x, int y) {
  return x >= 1 && x <= kFieldSize && y >= 1 && y <= kFieldSize;
}

}  // namespace noboria
