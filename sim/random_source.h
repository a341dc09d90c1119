#pragma once
// The one random sequence of the program. Every draw is a 32-bit float r with
// 0 <= r < 1; the default source is a Mersenne Twister seeded once from the
// system, and tests or the trace driver put a scripted sequence in its place.

#include <cstddef>
#include <cstdint>
#include <random>
#include <stdexcept>
#include <utility>
#include <vector>

namespace noboria {

class RandomSource {
 public:
  virtual ~RandomSource() = default;
  virtual float next() = 0;
  // The next n values in order, as n calls of next() would give them. A
  // source may do it faster; the default just calls next().
  virtual void fill(float* out, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) out[i] = next();
  }
};

class MersenneRandom final : public RandomSource {
 public:
  MersenneRandom();                           // seeded from std::random_device
  explicit MersenneRandom(std::uint32_t seed);  // for benchmarks and soak tests
  float next() override;
  void fill(float* out, std::size_t n) override;
  // The draw that one raw output of the engine gives.
  static float convert(std::uint32_t u);

 private:
  std::mt19937 engine_;
};

struct RandomExhausted : std::runtime_error {
  RandomExhausted() : std::runtime_error("random sequence exhausted") {}
};

// Returns the given values in order. Past the end it calls the on-exhausted
// hook, if one was given, then throws RandomExhausted. A caller that cannot
// unwind from the middle of a day ends the program in the hook instead.
class ScriptedRandom final : public RandomSource {
 public:
  using OnExhausted = void (*)();
  ScriptedRandom() = default;
  explicit ScriptedRandom(std::vector<float> values, OnExhausted on_exhausted = nullptr)
      : values_(std::move(values)), on_exhausted_(on_exhausted) {}
  float next() override;
  void append(float v) { values_.push_back(v); }
  void append(std::size_t count, float v) { values_.insert(values_.end(), count, v); }
  std::size_t left() const { return values_.size() - pos_; }

 private:
  std::vector<float> values_;
  std::size_t pos_ = 0;
  OnExhausted on_exhausted_ = nullptr;
};

}  // namespace noboria
