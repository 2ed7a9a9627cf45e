// TObjGnd: a constant low (GND) or high (VCC) level driving a net.
#pragma once

#include "model/pin.h"

namespace tolmek {

class TObjGnd final : public TBauteil {
 public:
  static constexpr uint8_t kGnd = 0;
  static constexpr uint8_t kVcc = 1;

  TObjGnd(int32_t x, int32_t y);

  uint8_t SupplyMode = kGnd;
  TObjAnschluss& Pin() const { return *pin_; }
  // Applies mode, size, name, pin label and pin side as the dialog does.
  void SetSupply(uint8_t mode, bool pinOnRight);

  void Draw(Canvas& canvas, int originX, int originY) override;
  TObjAnschluss* HitPin(int x, int y) override;
  void Record(RecordVisitor& v) override;
  void AfterLoad() override;
  void GenerateMainCode(ProgramWriter& w) override;
  void DeclareVariables(Analysis& a) override;
  void NoteUsedNames(Analysis& a) override;
  void SimulationStep(SimContext& sim) override;
  void SimulationStop(SimContext& sim) override;

 private:
  TObjAnschluss* pin_;
};

}  // namespace tolmek
