// TObjMux: the multiplexer, which routes one of 2..8 byte or word channels by the value at SELECT,
// n to 1 or 1 to n.
#pragma once

#include <array>
#include <span>
#include <vector>

#include "components/value_support.h"
#include "model/element.h"
#include "model/pin.h"

namespace tolmek {

class TObjMux final : public TBauteil {
 public:
  static constexpr int kChannels = 8;
  static constexpr uint8_t kNToOne = 0;  // Direction: channels in, the single pin out
  static constexpr uint8_t kOneToN = 1;  // the single pin in, channels out

  TObjMux(int32_t x, int32_t y);

  uint8_t InputCount = 2;  // active channels, 2..8
  uint8_t Direction = kNToOne;
  uint8_t Width16 = 0;

  [[nodiscard]] TObjAnschluss& Channel(int i) const { return *channels_.at(size_t(i)); }
  [[nodiscard]] TObjAnschluss& Select() const { return *select_; }
  [[nodiscard]] TObjAnschluss& Single() const { return *single_; }
  [[nodiscard]] bool Is16Bit() const { return Width16 == 1; }
  [[nodiscard]] bool OneToN() const { return Direction == kOneToN; }
  // Direction, width and count together: pins re-labelled and placed, height fitted. Channels that fall
  // out of use are unlinked.
  void Configure(uint8_t direction, bool wide, int count);

  void Draw(Canvas& canvas, int originX, int originY) override;
  TObjAnschluss* HitPin(int x, int y) override;
  void Record(RecordVisitor& v) override;
  void AfterLoad() override;
  void GenerateMainCode(ProgramWriter& w) override;
  void DeclareVariables(Analysis& a) override;
  void NoteUsedNames(Analysis& a) override;
  void SimulationStart(SimContext& ctx) override;
  void SimulationStep(SimContext& ctx) override;
  void SimulationStop(SimContext& ctx) override;

 private:
  void Layout();
  void Relabel();
  [[nodiscard]] std::span<TObjAnschluss* const> ActivePins() const;
  std::array<TObjAnschluss*, kChannels> channels_{};
  TObjAnschluss* select_ = nullptr;
  TObjAnschluss* single_ = nullptr;
  std::vector<TObjAnschluss*> active_;
  std::array<ValueRef, kChannels> channelRefs_{};
  ValueRef selectRef_, singleRef_;
  std::array<long, kChannels> shown_{};
  bool bound_ = false;
};

}  // namespace tolmek
