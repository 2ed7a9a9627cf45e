// ShownLevels: per element, the level a window was last told about and when it was last reported.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tolmek {

class TBauteil;

// Open addressing on the element's address: a busy tick touches tens of thousands of entries, and a
// node-based map would spend much of the tick chasing pointers.
class ShownLevels {
 public:
  struct Entry {
    const TBauteil* key = nullptr;
    uint32_t stamp = 0;  // the report that last looked at the element
    uint8_t level = 0;   // the level last reported
  };

  // The entry of an element, created (level 0, stamp 0) on first use. References stay valid
  // until the next call creates an entry.
  Entry& operator[](const TBauteil* key);
  void Clear();
  [[nodiscard]] size_t Size() const { return used_; }

 private:
  [[nodiscard]] size_t SlotOf(const TBauteil* key) const;
  void Grow();

  std::vector<Entry> slots_;
  size_t used_ = 0;
};

}  // namespace tolmek
