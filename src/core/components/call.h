// TObjCall: the table call, which looks the value at IN up in the table whose name it bears.
#pragma once

#include "components/value_support.h"
#include "model/element.h"
#include "model/pin.h"

namespace tolmek {

class TObjTabelle;

class TObjCall final : public TBauteil {
 public:
  TObjCall(int32_t x, int32_t y);

  uint8_t Width16 = 0;

  [[nodiscard]] TObjAnschluss& In() const { return *in_; }
  [[nodiscard]] TObjAnschluss& Out() const { return *out_; }
  [[nodiscard]] bool Is16Bit() const { return Width16 == 1; }
  void SetWidth16(bool wide);
  // The first table of the plan with this call's name, or null.
  [[nodiscard]] TObjTabelle* FindTable() const;

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
  TObjAnschluss* in_ = nullptr;
  TObjAnschluss* out_ = nullptr;
  TObjTabelle* table_ = nullptr;
  ValueRef inRef_, outRef_;
  long shown_ = -1;
  bool bound_ = false;
};

}  // namespace tolmek
