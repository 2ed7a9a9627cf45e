// The element kinds the program knows, one description each: everything the editor, the tool bars, the file
// code, the code writer and the tests ask about a kind comes from its row.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>

#include "model/element.h"

namespace tolmek {

// Which tool bar carries a kind's button.
enum class ToolBar : uint8_t { None, First, Second };

// A kind's button hint in the three languages.
struct KindHints {
  const char* german;
  const char* english;
  const char* italian;
};

// What the rest of the program treats differently by kind.
enum KindTrait : uint16_t {
  // Writes instructions into the main loop (on 12-bit parts the polled time base follows its code).
  kWritesCode = 1 << 0,
  // Shown in the object-order dialog.
  kInObjectOrder = 1 << 1,
  // Counts time-base ticks in the interrupt; its variables are declared after every other kind's.
  kCountsTicks = 1 << 2,
  // Its code lies outside the main loop (tables are reached by calls only).
  kOutsideMainLoop = 1 << 3,
  // Measures pulses on port B through the port-change interrupt.
  kMeasuresPulses = 1 << 4,
};

struct KindInfo {
  uint8_t code;
  const char* className;   // "TObjGatter"
  const char* namePrefix;  // automatic name prefix ("LG"), empty when the kind has none
  // The factory; null while the program does not build the kind yet (its button shows greyed).
  std::unique_ptr<TBauteil> (*create)(int32_t x, int32_t y);
  ToolBar toolBar;
  const char* button;  // the tool button's name ("SpeedButton1"); empty without a button
  const char* glyph;   // the button's face
  KindHints hint;
  uint16_t traits;
  // The text the search and the object order show for an element; null: its name.
  std::string (*searchText)(const TBauteil& element);
  // Size at creation in plan units; 0 where it follows the element's text.
  int32_t width, height;

  [[nodiscard]] bool Built() const { return create != nullptr; }
  [[nodiscard]] bool Has(KindTrait t) const { return (traits & t) != 0; }
  [[nodiscard]] const char* Hint(int language) const;  // 1 German, 2 English, 3 Italian
};

// Every kind the program builds, in kind-code order (the factory's and the file reader's list).
[[nodiscard]] std::span<const std::reference_wrapper<const KindInfo>> KnownKinds();
// Every described kind, built or not, in tool-bar order.
[[nodiscard]] std::span<const KindInfo> AllKinds();
// The row of a kind the program builds, or nullptr.
[[nodiscard]] const KindInfo* FindKind(uint8_t code);
// The row of a described kind, built or not, or nullptr.
[[nodiscard]] const KindInfo* DescribedKind(uint8_t code);
// True when the element's kind has the trait (pins and unknown kinds have none).
[[nodiscard]] bool KindHas(const TBauteil& element, KindTrait trait);
// The text the search and the object order use for the element.
[[nodiscard]] std::string SearchTextOf(const TBauteil& element);

}  // namespace tolmek
