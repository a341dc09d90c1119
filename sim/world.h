#pragma once
// The world record: every piece of simulation state, owned by the main window
// and changed in place by start-up, run start, the day and the inputs.
// Grids are indexed [x][y]: x the column (left to right), y the row.

#include <array>
#include <cstdint>

namespace noboria {

inline constexpr int kFieldSize = 16;  // field cells per side
inline constexpr int kGridSize = 18;   // field plus the one-cell rim (0 and 17)
inline constexpr int kMaxPlaced = 256; // placement lists hold entries 1..256
inline constexpr std::int16_t kDayLimit = 32767;

using Grid = std::array<std::array<std::int16_t, kGridSize>, kGridSize>;

// Occupant codes shared by ani_map and next_map.
inline constexpr std::int16_t kEmpty = 0;
inline constexpr std::int16_t kHerbivore = 1;
inline constexpr std::int16_t kCarnivore = 2;

struct World {
  Grid p_map{};     // plant amount 0..2
  Grid ani_map{};   // occupant at the start of the day
  Grid life_map{};  // days the occupant can still go without food
  Grid next_map{};  // occupant for the next day, built during the day

  // Placement lists, written while a run's animals are put down; entry 0 unused.
  std::array<float, kMaxPlaced + 1> z_x{};
  std::array<std::int16_t, kMaxPlaced + 1> z_y{};
  std::array<float, kMaxPlaced + 1> l_x{};
  std::array<std::int16_t, kMaxPlaced + 1> l_y{};

  std::int32_t z_num = 0;
  std::int32_t l_num = 0;
  std::int32_t z_prev = 0;
  std::int32_t l_prev = 0;
  std::int16_t day = 0;
  std::int16_t gra_x = 0;

  // The eight live parameters.
  double p_rate = 0;
  double z_birth = 0;
  float l_birth = 0;
  double z_life = 0;
  double l_life = 0;
  double l_full = 0;
  std::int16_t l_hunt = 0;
  double l_catch = 0;

  // Shared cursors: the animal being handled and the neighbour offset.
  std::int16_t cx = 0;
  std::int16_t cy = 0;
  std::int16_t tx = 0;
  std::int16_t ty = 0;
};

constexpr bool on_field(int x, int y) {
  return x >= 1 && x <= kFieldSize && y >= 1 && y <= kFieldSize;
}

}  // namespace noboria
