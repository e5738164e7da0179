// Random key streams over the whole keyboard vocabulary of the calculator,
// weighted towards what makes commands happen (digits, markers, command
// letters), for the randomized tests and as a fuzzing dictionary.
#pragma once
#include <cstdint>
#include <random>
#include <vector>

#include "console/keys.h"

namespace qirn::test {

inline Key RandomKey(std::mt19937_64& rng) {
  static constexpr char kTyped[] = "0123456789012345678901234567890123456789.,;.,;+-*/"
                                   "ACDFGMPRSTUXZ" "acdfgmprstuxz" "BEHIOQVWY" "behiovwy"
                                   "\r\r\r\x1b\x1b\b\b\b ";
  static constexpr uint8_t kScans[] = {3, 20, 21, 25, 31, 32, 44, 46, 47, 50, 59, 60, 61, 62, 63, 68, 72, 80, 16, 75};
  uint64_t r = rng() % 100;
  if (r < 88) return Key{static_cast<uint8_t>(kTyped[rng() % (sizeof kTyped - 1)]), 0};
  if (r < 97) return Key{0, kScans[rng() % sizeof kScans]};
  return Key{static_cast<uint8_t>(rng() % 256), 0};  // anything at all, CP437 letters and controls
}

inline std::vector<Key> RandomKeys(uint64_t seed, size_t n) {
  std::mt19937_64 rng(seed);
  std::vector<Key> keys;
  keys.reserve(n);
  for (size_t i = 0; i < n; ++i) keys.push_back(RandomKey(rng));
  return keys;
}

}  // namespace qirn::test
