// The list of element kinds the program knows: one row per kind, used by the factory and the file code.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

#include "model/element.h"

namespace tolmek {

struct KindInfo {
  uint8_t code;
  const char* className;     // "TObjGatter"
  const char* namePrefix;    // automatic name prefix ("LG"), empty when the kind has none
  std::unique_ptr<TBauteil> (*create)(int32_t x, int32_t y);
};

// Every known list kind, in kind-code order.
[[nodiscard]] std::span<const KindInfo> KnownKinds();
// The row of a kind code, or nullptr when the program does not know that kind.
[[nodiscard]] const KindInfo* FindKind(uint8_t code);

}  // namespace tolmek
