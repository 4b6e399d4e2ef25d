// A deterministic generator of realistic screenplays for tests and
// benchmarks: scenes open with a heading, carry action paragraphs of one
// to eight printed lines and speeches (a cue, sometimes a parenthetical,
// dialogue), and now and then end in a transition. The same seed and page
// count always give the same script, on every platform.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "support/script_builder.h"

namespace qm::testing {

// splitmix64: the same numbers from the same seed everywhere (the standard
// distributions may differ between libraries).
class SeededRandom {
 public:
  explicit SeededRandom(std::uint64_t seed) : state_(seed) {}
  std::uint64_t Next() {
    std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  // A number from low to high, both included.
  int Between(int low, int high) { return low + static_cast<int>(Next() % static_cast<std::uint64_t>(high - low + 1)); }
  // A number from 0 to n - 1.
  int Below(int n) { return Between(0, n - 1); }
  bool Chance(int percent) { return Between(1, 100) <= percent; }
  template <typename T, std::size_t N>
  const T& Pick(const std::array<T, N>& items) {
    return items[static_cast<std::size_t>(Between(0, static_cast<int>(N) - 1))];
  }

 private:
  std::uint64_t state_;
};

// About this many elements make a printed page.
constexpr int GeneratedElementsPerPage = 19;

std::vector<ElementSpec> GenerateScreenplay(std::uint64_t seed, int pages);

}  // namespace qm::testing
