#include "sim/simulation.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cmath>

#include "sim/rounding.h"

namespace noboria {

namespace {

// Whole part of r x 16 + 1, done in 64-bit floats so it stays below 17.
std::int16_t cell_index(float r) {
  return static_cast<std::int16_t>(std::floor(static_cast<double>(r) * 16.0 + 1.0));
}

std::int16_t plant_amount(float r) {
  return static_cast<std::int16_t>(std::floor(static_cast<double>(r) * 3.0));
}

// A neighbour's place relative to the animal's cell.
struct Offset {
  int dx;
  int dy;
};

// The nine neighbour offsets in forward scan order: dx outer, dy inner, -1..+1.
constexpr Offset kForward[9] = {{-1, -1}, {-1, 0}, {-1, 1}, {0, -1}, {0, 0},
                                {0, 1},   {1, -1}, {1, 0},  {1, 1}};
// For each cell, bit i set when its i-th neighbour lies on the field.
struct FieldMask {
  std::array<std::array<std::uint16_t, kGridSize>, kGridSize> bits{};
  constexpr FieldMask() {
    for (int x = 1; x <= kFieldSize; ++x)
      for (int y = 1; y <= kFieldSize; ++y)
        for (int i = 0; i < 9; ++i)
          if (on_field(x + kForward[i].dx, y + kForward[i].dy)) bits[x][y] |= std::uint16_t(1u << i);
  }
};
constexpr FieldMask kFieldMask;

}  // namespace

float Simulation::draw() {
  const float r = random_.next();
  ++draws_;
  return r;
}

void Simulation::draw_many(float* out, std::size_t n) {
  random_.fill(out, n);
  draws_ += n;
}

void Simulation::set_default_values() {
  w.p_rate = 0;
  w.z_num = 50;
  w.l_num = 50;
  w.z_birth = 0.1;
  w.l_birth = 0.1f;
  w.z_life = 1;
  w.l_life = 1;
  w.l_full = 1;
  // Not l_life - l_full: the first run is meant to hunt from its first day.
  w.l_hunt = 3;
  w.l_catch = 0.5;
}

void Simulation::startup_field() {
  // Start-up also fills the index-0 rim; nothing reads it, but the draws count.
  for (int x = 0; x <= kFieldSize; ++x) {
    for (int y = 0; y <= kFieldSize; ++y) {
      w.p_map[x][y] = plant_amount(draw());
      w.ani_map[x][y] = kEmpty;
      w.next_map[x][y] = kEmpty;
    }
  }
  place_animals();
  count();
  w.z_prev = w.z_num;
  w.l_prev = w.l_num;
}

void Simulation::start_run(const RunSettings& s) {
  w.p_rate = s.p_rate;
  w.z_num = s.z_num;
  w.l_num = s.l_num;
  w.z_birth = s.z_birth;
  w.l_birth = s.l_birth;
  w.z_life = s.z_life;
  w.l_life = s.l_life;
  w.l_full = s.l_full;
  w.l_hunt = s.l_hunt;
  w.l_catch = s.l_catch;
  for (int x = 1; x <= kFieldSize; ++x) {
    for (int y = 1; y <= kFieldSize; ++y) {
      w.p_map[x][y] = plant_amount(draw());
      w.ani_map[x][y] = kEmpty;
      w.next_map[x][y] = kEmpty;
    }
  }
  place_animals();
  w.day = 0;
}

void Simulation::place_animals() {
  // No test for an occupied cell: a later animal overwrites an earlier one.
  const int herbivores = std::clamp<std::int32_t>(w.z_num, 0, kMaxPlaced);
  for (int i = 1; i <= herbivores; ++i) {
    const int x = cell_index(draw());
    const int y = cell_index(draw());
    w.ani_map[x][y] = kHerbivore;
    w.life_map[x][y] = to_int16(w.z_life);
  }
  const int carnivores = std::clamp<std::int32_t>(w.l_num, 0, kMaxPlaced);
  for (int i = 1; i <= carnivores; ++i) {
    const int x = cell_index(draw());
    const int y = cell_index(draw());
    w.ani_map[x][y] = kCarnivore;
    w.life_map[x][y] = to_int16(std::floor(1.0 + static_cast<double>(draw()) * w.l_life));
  }
}

void Simulation::day(DayView& view) {
  if (w.day == kDayLimit) {
    // The counter cannot hold another day: end the run here.
    view.timer_off();
    view.beep();
    return;
  }
  count();
  w.z_prev = w.z_num;
  w.l_prev = w.l_num;
  ++w.day;
  view.show_day(w.day);
  for (int x = 1; x <= kFieldSize; ++x) {
    for (int y = 1; y <= kFieldSize; ++y) w.next_map[x][y] = kEmpty;
  }
  p_grow();
  view.field_draw(w);
  z_day();
  l_day();
  commit();
  gra_draw(view);
  view.field_draw(w);
  // The counts are those of the start of the day, so a kind that died out
  // yesterday ends the run today.
  if (static_cast<std::int64_t>(w.z_num) * w.l_num == 0) {
    view.timer_off();
    view.beep();
  } else {
    view.show_counts(w.z_num, w.l_num);
  }
}

void Simulation::count() {
  w.z_num = 0;
  w.l_num = 0;
  for (int x = 1; x <= kFieldSize; ++x) {
    for (int y = 1; y <= kFieldSize; ++y) {
      if (w.ani_map[x][y] == kHerbivore) ++w.z_num;
      if (w.ani_map[x][y] == kCarnivore) ++w.l_num;
    }
  }
}

void Simulation::p_grow() {
  // The 256 draws in one call: they are taken in cell order either way.
  std::array<float, kFieldSize * kFieldSize> r;
  draw_many(r.data(), r.size());
  const float* next = r.data();
  for (int x = 1; x <= kFieldSize; ++x) {
    for (int y = 1; y <= kFieldSize; ++y) {
      // Written without branches: the outcome is a coin toss the processor
      // cannot predict.
      const bool grows = static_cast<double>(*next++) < w.p_rate;
      const int amount = w.p_map[x][y] + static_cast<int>(grows);
      w.p_map[x][y] = static_cast<std::int16_t>(amount > 2 ? 2 : amount);
    }
  }
}

void Simulation::commit() {
  for (int x = 1; x <= kFieldSize; ++x) {
    for (int y = 1; y <= kFieldSize; ++y) w.ani_map[x][y] = w.next_map[x][y];
  }
}

void Simulation::gra_draw(DayView& view) {
  if (w.day % 100 == 1) {
    view.gra_new_sheet();
    w.gra_x = 0;
    ++w.day;
  }
  view.show_day(w.day);
  view.show_counts(w.z_num, w.l_num);
  w.gra_x = static_cast<std::int16_t>(w.gra_x + 2);
  const GraphPoint point{w.gra_x, w.z_num, w.z_prev, w.l_num, w.l_prev};
  w.z_prev = w.z_num;
  w.l_prev = w.l_num;
  view.gra_plot(point);
}

// ---- Herbivores ----

// The cells holding `kind` in x-outer, y-inner order, gathered without
// branches. During a kind's day no cell turns into that kind in ani_map, and
// only cells already passed stop holding it, so this list is exactly the
// cells the visit would find.
int Simulation::gather(std::int16_t kind, std::array<Cell, kFieldSize * kFieldSize>& cells) const {
  int n = 0;
  for (int x = 1; x <= kFieldSize; ++x) {
    for (int y = 1; y <= kFieldSize; ++y) {
      cells[n] = Cell{static_cast<std::int16_t>(x), static_cast<std::int16_t>(y)};
      n += w.ani_map[x][y] == kind;
    }
  }
  return n;
}

void Simulation::z_day() {
  std::array<Cell, kFieldSize * kFieldSize> cells;
  const int n = gather(kHerbivore, cells);
  w.z_num = n;
  // Exactly two draws per herbivore, birth first: taken in one call.
  std::array<float, 2 * kFieldSize * kFieldSize> r;
  draw_many(r.data(), 2 * static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) {
    const int x = cells[i].x;
    const int y = cells[i].y;
    if (static_cast<double>(r[2 * i]) < w.z_birth) breed(x, y, kHerbivore);
    // The forward scan when the draw is above 0.5, else the reverse one.
    z_feed(x, y, r[2 * i + 1] > 0.5f ? +1 : -1);
  }
}

// The young takes the first free field cell of the forward scan and starts
// with its parent's counter, for herbivores and carnivores alike.
void Simulation::breed(int cx, int cy, std::int16_t kind) {
  unsigned free = 0;
  for (int i = 0; i < 9; ++i) {
    const int nx = cx + kForward[i].dx;
    const int ny = cy + kForward[i].dy;
    free |= unsigned((w.ani_map[nx][ny] == kEmpty) & (w.next_map[nx][ny] == kEmpty)) << i;
  }
  free &= kFieldMask.bits[cx][cy];
  if (!free) return;
  const Offset& o = kForward[std::countr_zero(free)];
  w.next_map[cx + o.dx][cy + o.dy] = kind;
  w.life_map[cx + o.dx][cy + o.dy] = w.life_map[cx][cy];
}

// dir +1 scans the offsets from (-1,-1) to (+1,+1), dir -1 the other way.
// The scans are done as bit masks over the nine neighbours (bit i is the
// i-th offset in forward order): the first match of the forward scan is the
// lowest bit, that of the reverse scan the highest.
void Simulation::z_feed(int cx, int cy, int dir) {
  const std::int16_t c = w.life_map[cx][cy];
  const std::int16_t own_plants = w.p_map[cx][cy];
  unsigned richer = 0;
  // Plants never exceed 2, so a herbivore on 2 has no richer neighbour.
  for (int i = 0; i < 9 && own_plants < 2; ++i) {
    const int nx = cx + kForward[i].dx;
    const int ny = cy + kForward[i].dy;
    richer |= unsigned((w.p_map[nx][ny] > own_plants) & (w.next_map[nx][ny] == kEmpty) &
                       (w.ani_map[nx][ny] == kEmpty))
              << i;
  }
  richer &= kFieldMask.bits[cx][cy];
  if (richer) {
    // The first richer free neighbour, not the richest.
    const Offset& o = kForward[dir > 0 ? std::countr_zero(richer) : std::bit_width(richer) - 1];
    const int nx = cx + o.dx;
    const int ny = cy + o.dy;
    w.next_map[nx][ny] = kHerbivore;
    w.ani_map[cx][cy] = kEmpty;
    w.life_map[cx][cy] = 0;
    w.life_map[nx][ny] = to_int16(w.z_life);
    --w.p_map[nx][ny];
    return;
  }
  if (own_plants >= 1) {
    w.next_map[cx][cy] = kHerbivore;
    --w.p_map[cx][cy];
    // A counter already at z_life wraps to 0: a meal in place does not top up.
    const int divisor = static_cast<int>(rhe(w.z_life + 1.0));
    w.life_map[cx][cy] = static_cast<std::int16_t>((c + 1) % divisor);
    return;
  }
  w.life_map[cx][cy] = static_cast<std::int16_t>(c - 1);
  if (c - 1 > 0) w.next_map[cx][cy] = kHerbivore;
}

// ---- Carnivores ----

void Simulation::l_day() {
  std::array<Cell, kFieldSize * kFieldSize> cells;
  const int n = gather(kCarnivore, cells);
  w.l_num = n;
  for (int i = 0; i < n; ++i) {
    const int x = cells[i].x;
    const int y = cells[i].y;
    if (draw() < w.l_birth) breed(x, y, kCarnivore);
    const bool hungry = w.life_map[x][y] <= w.l_hunt;
    const bool tries = static_cast<double>(draw()) < w.l_catch;
    if (hungry && tries) {
      // The forward scan below 0.5, else the reverse one.
      l_seek(x, y, draw() < 0.5f ? +1 : -1);
    } else {
      --w.life_map[x][y];
      if (w.life_map[x][y] > 0) w.next_map[x][y] = kCarnivore;
    }
  }
}

void Simulation::l_seek(int cx, int cy, int dir) {
  unsigned prey = 0;
  unsigned free = 0;
  for (int i = 0; i < 9; ++i) {
    const int nx = cx + kForward[i].dx;
    const int ny = cy + kForward[i].dy;
    prey |= unsigned(w.ani_map[nx][ny] == kHerbivore) << i;
    free |= unsigned(w.ani_map[nx][ny] == kEmpty) << i;
  }
  // The rim never holds an animal, so the prey test needs no field test.
  if (prey) {
    const Offset& o = kForward[dir > 0 ? std::countr_zero(prey) : std::bit_width(prey) - 1];
    const int nx = cx + o.dx;
    const int ny = cy + o.dy;
    w.ani_map[cx][cy] = kEmpty;
    w.ani_map[nx][ny] = kEmpty;
    w.next_map[nx][ny] = kCarnivore;
    w.life_map[cx][cy] = 0;
    w.life_map[nx][ny] = to_int16(w.l_life);
    return;
  }
  // The last free field cell in scan order wins.
  free &= kFieldMask.bits[cx][cy];
  const Offset* target =
      free ? &kForward[dir > 0 ? std::bit_width(free) - 1 : std::countr_zero(free)] : nullptr;
  --w.life_map[cx][cy];
  if (w.life_map[cx][cy] <= 0) return;  // starved
  if (target) {
    const int nx = cx + target->dx;
    const int ny = cy + target->dy;
    w.next_map[nx][ny] = kCarnivore;
    w.life_map[nx][ny] = w.life_map[cx][cy];
    w.life_map[cx][cy] = 0;
  } else {
    w.next_map[cx][cy] = kCarnivore;
  }
}

}  // namespace noboria
