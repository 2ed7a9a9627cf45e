// TObjShot: the one-shot, a pulse of one pass on each rising edge of IN.
#pragma once

#include "components/time_base.h"
#include "model/element.h"
#include "model/pin.h"

namespace tolmek {

class TObjShot final : public TBauteil {
 public:
  TObjShot(int32_t x, int32_t y);

  [[nodiscard]] TObjAnschluss& Input() const { return *in_; }
  [[nodiscard]] TObjAnschluss& Output() const { return *out_; }

  void Draw(Canvas& canvas, int originX, int originY) override;
  TObjAnschluss* HitPin(int x, int y) override;
  void Record(RecordVisitor& v) override;
  void GenerateMainCode(ProgramWriter& w) override;
  void DeclareVariables(Analysis& a) override;
  void NoteUsedNames(Analysis& a) override;
  void SimulationStart(SimContext& ctx) override;
  void SimulationStep(SimContext& ctx) override;
  void SimulationStop(SimContext& ctx) override;

 private:
  TObjAnschluss* in_ = nullptr;
  TObjAnschluss* out_ = nullptr;
  EdgeMemory edge_;
};

}  // namespace tolmek
