// TObjRsff: the RS flip-flop; reset wins when both inputs are active.
#pragma once

#include "model/element.h"
#include "model/pin.h"

namespace tolmek {

class TObjRsff final : public TBauteil {
 public:
  TObjRsff(int32_t x, int32_t y);

  [[nodiscard]] TObjAnschluss& SetInput() const { return *s_; }
  [[nodiscard]] TObjAnschluss& ResetInput() const { return *r_; }
  [[nodiscard]] TObjAnschluss& Output() const { return *y_; }

  void Draw(Canvas& canvas, int originX, int originY) override;
  TObjAnschluss* HitPin(int x, int y) override;
  void Record(RecordVisitor& v) override;
  void GenerateMainCode(ProgramWriter& w) override;
  void DeclareVariables(Analysis& a) override;
  void NoteUsedNames(Analysis& a) override;
  void SimulationStep(SimContext& ctx) override;
  void SimulationStop(SimContext& ctx) override;

 private:
  TObjAnschluss* s_ = nullptr;
  TObjAnschluss* r_ = nullptr;
  TObjAnschluss* y_ = nullptr;
};

}  // namespace tolmek
