#include "sim/random_source.h"

namespace noboria {

MersenneRandom::MersenneRandom() : engine_(std::random_device{}()) {}

MersenneRandom::MersenneRandom(std::uint32_t seed) : engine_(seed) {}

float MersenneRandom::convert(std::uint32_t u) {
  // The top 24 bits give every float step of [0, 1) exactly, never 1.
  return static_cast<float>(u >> 8) * 0x1p-24f;
}

float MersenneRandom::next() { return convert(engine_()); }

void MersenneRandom::fill(float* out, std::size_t n) {
  for (std::size_t i = 0; i < n; ++i) out[i] = convert(engine_());
}

float ScriptedRandom::next() {
  if (pos_ >= values_.size()) {
    if (on_exhausted_ != nullptr) on_exhausted_();
    throw RandomExhausted();
  }
  return values_[pos_++];
}

}  // namespace noboria
