// TObjBv: the bit/byte distributor, which packs up to 16 bits into a byte or word, or unpacks one.
#pragma once

#include <array>
#include <span>
#include <vector>

#include "components/value_support.h"
#include "model/element.h"
#include "model/pin.h"

namespace tolmek {

class TObjBv final : public TBauteil {
 public:
  static constexpr int kBits = 16;
  static constexpr uint8_t kBitToByte = 0;
  static constexpr uint8_t kByteToBit = 1;

  TObjBv(int32_t x, int32_t y);

  uint8_t BitCount = 2;  // 1..16
  uint8_t Direction = kBitToByte;

  [[nodiscard]] TObjAnschluss& Bit(int i) const { return *bits_.at(size_t(i)); }
  [[nodiscard]] TObjAnschluss& Byte() const { return *byte_; }
  [[nodiscard]] bool ByteToBit() const { return Direction == kByteToBit; }
  // Direction and count together: pins re-labelled and placed, height fitted; bits that fall out of use
  // are unlinked.
  void Configure(uint8_t direction, int count);

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
  void GeneratePack(ProgramWriter& w);
  void GenerateUnpack(ProgramWriter& w);
  std::array<TObjAnschluss*, kBits> bits_{};
  TObjAnschluss* byte_ = nullptr;
  std::vector<TObjAnschluss*> active_;
  ValueRef byteRef_;
  long shown_ = -1;
  bool bound_ = false;
};

}  // namespace tolmek
