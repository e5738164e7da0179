// Turns fuzzer bytes into calculator keys: byte 0 takes the next byte as the
// scan code of an extended key, every other byte is a character key. At most
// kMaxKeys keys, so no input runs for long.
#pragma once
#include <cstddef>
#include <cstdint>

#include "console/keys.h"

namespace qirn::fuzz {

inline constexpr size_t kMaxKeys = 4000;

inline ScriptedKeys KeysFromBytes(const uint8_t* data, size_t size) {
  ScriptedKeys keys;
  size_t n = 0;
  for (size_t i = 0; i < size && n < kMaxKeys; ++i, ++n) {
    if (data[i] == 0 && i + 1 < size) {
      keys.Ext(data[++i]);
    } else {
      keys.Add(Key{data[i], 0});
    }
  }
  return keys;
}

}  // namespace qirn::fuzz
