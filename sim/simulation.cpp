#include "sim/simulation.h"

#include <algorithm>
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

}  // namespace

float Simulation::draw() {
  const float r = random_.next();
  ++draws_;
  return r;
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
    w.z_x[i] = cell_index(draw());
    w.z_y[i] = cell_index(draw());
    const int x = static_cast<int>(w.z_x[i]);
    const int y = w.z_y[i];
    w.ani_map[x][y] = kHerbivore;
    w.life_map[x][y] = to_int16(w.z_life);
  }
  const int carnivores = std::clamp<std::int32_t>(w.l_num, 0, kMaxPlaced);
  for (int i = 1; i <= carnivores; ++i) {
    w.l_x[i] = cell_index(draw());
    w.l_y[i] = cell_index(draw());
    const int x = static_cast<int>(w.l_x[i]);
    const int y = w.l_y[i];
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
  for (int x = 1; x <= kFieldSize; ++x) {
    for (int y = 1; y <= kFieldSize; ++y) {
      const float r = draw();
      if (static_cast<double>(r) < w.p_rate) ++w.p_map[x][y];
      if (w.p_map[x][y] > 2) w.p_map[x][y] = 2;
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

void Simulation::z_day() {
  w.z_num = 0;
  for (int x = 1; x <= kFieldSize; ++x) {
    for (int y = 1; y <= kFieldSize; ++y) {
      if (w.ani_map[x][y] != kHerbivore) continue;
      ++w.z_num;
      w.cx = static_cast<std::int16_t>(x);
      w.cy = static_cast<std::int16_t>(y);
      if (static_cast<double>(draw()) < w.z_birth) z_breed();
      if (draw() > 0.5f) {
        z_feed_fwd();
      } else {
        z_feed_rev();
      }
    }
  }
}

void Simulation::z_breed() {
  for (w.tx = -1; w.tx <= 1; ++w.tx) {
    for (w.ty = -1; w.ty <= 1; ++w.ty) {
      const int nx = w.cx + w.tx;
      const int ny = w.cy + w.ty;
      if (!on_field(nx, ny)) continue;
      if (w.ani_map[nx][ny] == kEmpty && w.next_map[nx][ny] == kEmpty) {
        w.next_map[nx][ny] = kHerbivore;
        w.life_map[nx][ny] = w.life_map[w.cx][w.cy];
        return;
      }
    }
  }
}

void Simulation::z_feed_fwd() { z_feed(+1); }
void Simulation::z_feed_rev() { z_feed(-1); }

// dir +1 scans the offsets from (-1,-1) to (+1,+1), dir -1 the other way.
void Simulation::z_feed(int dir) {
  const int cx = w.cx;
  const int cy = w.cy;
  const std::int16_t c = w.life_map[cx][cy];
  for (w.tx = static_cast<std::int16_t>(-dir); w.tx != 2 * dir; w.tx = static_cast<std::int16_t>(w.tx + dir)) {
    for (w.ty = static_cast<std::int16_t>(-dir); w.ty != 2 * dir; w.ty = static_cast<std::int16_t>(w.ty + dir)) {
      const int nx = cx + w.tx;
      const int ny = cy + w.ty;
      if (!on_field(nx, ny)) continue;
      if (w.p_map[nx][ny] > w.p_map[cx][cy] && w.next_map[nx][ny] == kEmpty &&
          w.ani_map[nx][ny] == kEmpty) {
        // The first richer free neighbour, not the richest.
        w.next_map[nx][ny] = kHerbivore;
        w.ani_map[cx][cy] = kEmpty;
        w.life_map[cx][cy] = 0;
        w.life_map[nx][ny] = to_int16(w.z_life);
        --w.p_map[nx][ny];
        return;
      }
    }
  }
  if (w.p_map[cx][cy] >= 1) {
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
  w.l_num = 0;
  for (int x = 1; x <= kFieldSize; ++x) {
    for (int y = 1; y <= kFieldSize; ++y) {
      if (w.ani_map[x][y] != kCarnivore) continue;
      ++w.l_num;
      w.cx = static_cast<std::int16_t>(x);
      w.cy = static_cast<std::int16_t>(y);
      if (draw() < w.l_birth) l_breed();
      const bool hungry = w.life_map[x][y] <= w.l_hunt;
      const bool tries = static_cast<double>(draw()) < w.l_catch;
      if (hungry && tries) {
        if (draw() < 0.5f) {
          l_seek_fwd();
        } else {
          l_seek_rev();
        }
      } else {
        --w.life_map[x][y];
        if (w.life_map[x][y] > 0) w.next_map[x][y] = kCarnivore;
      }
    }
  }
}

void Simulation::l_breed() {
  for (w.tx = -1; w.tx <= 1; ++w.tx) {
    for (w.ty = -1; w.ty <= 1; ++w.ty) {
      const int nx = w.cx + w.tx;
      const int ny = w.cy + w.ty;
      if (!on_field(nx, ny)) continue;
      if (w.ani_map[nx][ny] == kEmpty && w.next_map[nx][ny] == kEmpty) {
        w.next_map[nx][ny] = kCarnivore;
        w.life_map[nx][ny] = w.life_map[w.cx][w.cy];
        return;
      }
    }
  }
}

void Simulation::l_seek_fwd() { l_seek(+1); }
void Simulation::l_seek_rev() { l_seek(-1); }

void Simulation::l_seek(int dir) {
  const int cx = w.cx;
  const int cy = w.cy;
  bool has_target = false;
  int target_x = 0;
  int target_y = 0;
  for (w.tx = static_cast<std::int16_t>(-dir); w.tx != 2 * dir; w.tx = static_cast<std::int16_t>(w.tx + dir)) {
    for (w.ty = static_cast<std::int16_t>(-dir); w.ty != 2 * dir; w.ty = static_cast<std::int16_t>(w.ty + dir)) {
      const int nx = cx + w.tx;
      const int ny = cy + w.ty;
      // The rim never holds an animal, so the prey test needs no field test.
      if (w.ani_map[nx][ny] == kHerbivore) {
        w.ani_map[cx][cy] = kEmpty;
        w.ani_map[nx][ny] = kEmpty;
        w.next_map[nx][ny] = kCarnivore;
        w.life_map[cx][cy] = 0;
        w.life_map[nx][ny] = to_int16(w.l_life);
        return;
      }
      if (w.ani_map[nx][ny] == kEmpty && on_field(nx, ny)) {
        // The last free cell in scan order wins.
        has_target = true;
        target_x = nx;
        target_y = ny;
      }
    }
  }
  --w.life_map[cx][cy];
  if (w.life_map[cx][cy] <= 0) return;  // starved
  if (has_target) {
    w.next_map[target_x][target_y] = kCarnivore;
    w.life_map[target_x][target_y] = w.life_map[cx][cy];
    w.life_map[cx][cy] = 0;
  } else {
    w.next_map[cx][cy] = kCarnivore;
  }
}

}  // namespace noboria
