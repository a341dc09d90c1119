#pragma once
// The simulation: the world record, its one random source and the draw count,
// with start-up, run start and the day with its organism rules. Everything
// reaches the screen through a DayView; nothing here knows any widget.

#include <array>
#include <cstdint>

#include "sim/day_view.h"
#include "sim/random_source.h"
#include "sim/world.h"

namespace noboria {

// Parameters read from the nine boxes at a run start, already checked.
struct RunSettings {
  double p_rate = 0;
  std::int32_t z_num = 0;  // requested herbivores, whole part, 0 for none
  std::int32_t l_num = 0;
  double z_birth = 0;
  float l_birth = 0;
  double z_life = 0;
  double l_life = 0;
  double l_full = 0;
  std::int16_t l_hunt = 0;
  double l_catch = 0;
};

class Simulation {
 public:
  explicit Simulation(RandomSource& random) : random_(random) {}

  World w;

  std::uint64_t draws() const { return draws_; }
  float draw();
  // n draws in one call, in order, counted like n single draws.
  void draw_many(float* out, std::size_t n);

  // The start-up values of every parameter and count (l_hunt 3, 50 animals each).
  void set_default_values();
  // Start-up field: plants over the field and the index-0 rim, 50 + 50 animals
  // placed, then counted (539 draws with the default counts).
  void startup_field();
  // Run start: parameters from the settings, a fresh field, day 0.
  void start_run(const RunSettings& s);
  // One tick of the day timer. At the day limit it only switches the timer off and beeps.
  void day(DayView& view);

  // The steps of a day that tests also run alone.
  void p_grow();
  void z_day();
  void l_day();

 private:
  void count();
  void commit();
  void gra_draw(DayView& view);
  struct Cell {
    std::int16_t x;
    std::int16_t y;
  };
  int gather(std::int16_t kind, std::array<Cell, kFieldSize * kFieldSize>& cells) const;
  void place_animals();
  // The animal steps, for the animal at (cx, cy); dir +1 scans the
  // neighbours forward, -1 in reverse.
  void breed(int cx, int cy, std::int16_t kind);
  void z_feed(int cx, int cy, int dir);
  void l_seek(int cx, int cy, int dir);

  RandomSource& random_;
  std::uint64_t draws_ = 0;
};

}  // namespace noboria
