#pragma once

#include <cstdint>

namespace geo {

// Small, portable generator (SplitMix64) so that a seed means the same answer on every
// platform, which the standard distributions do not promise.
class TsptwRandom {
 public:
  explicit TsptwRandom(std::uint64_t seed) : state_(seed) {}

  std::uint64_t next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // Uniform enough in [0, n) for the small n of a shake.
  int below(int n) { return static_cast<int>(next() % static_cast<std::uint64_t>(n)); }

 private:
  std::uint64_t state_;
};

}  // namespace geo
