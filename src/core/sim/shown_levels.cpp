// The open-addressing table behind the engine's change reports.
#include "sim/shown_levels.h"

#include <bit>
#include <cstdint>
#include <utility>

namespace tolmek {

size_t ShownLevels::SlotOf(const TBauteil* key) const {
  // Fibonacci hashing of the address; the low bits are alignment and carry nothing.
  const uint64_t h = (uint64_t(reinterpret_cast<uintptr_t>(key)) >> 4) * 0x9E3779B97F4A7C15ull;
  return size_t(h >> (64 - std::countr_zero(slots_.size())));
}

ShownLevels::Entry& ShownLevels::operator[](const TBauteil* key) {
  if ((used_ + 1) * 2 > slots_.size()) Grow();
  const size_t mask = slots_.size() - 1;
  for (size_t i = SlotOf(key);; i = (i + 1) & mask) {
    Entry& e = slots_[i];
    if (e.key == key) return e;
    if (!e.key) {
      e.key = key;
      ++used_;
      return e;
    }
  }
}

void ShownLevels::Clear() {
  for (Entry& e : slots_) e = Entry{};
  used_ = 0;
}

void ShownLevels::Grow() {
  std::vector<Entry> old = std::exchange(slots_, std::vector<Entry>(slots_.empty() ? 1024 : slots_.size() * 2));
  used_ = 0;
  const size_t mask = slots_.size() - 1;
  for (const Entry& e : old) {
    if (!e.key) continue;
    size_t i = SlotOf(e.key);
    while (slots_[i].key) i = (i + 1) & mask;
    slots_[i] = e;
    ++used_;
  }
}

}  // namespace tolmek
