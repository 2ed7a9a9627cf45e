// TObjTimer: the clock generator; its output toggles every half period, counted in ticks of the time base.
#pragma once

#include <string>

#include "components/time_base.h"
#include "model/element.h"
#include "model/pin.h"

namespace tolmek {

struct SimVariable;

class TObjTimer final : public TBauteil {
 public:
  TObjTimer(int32_t x, int32_t y);

  uint16_t HalfPeriod = 1000;  // ms; 0 when the period is given by name
  bool PeriodByName = false;
  // A variable holding the half period in ticks of the time base (256 instruction cycles each).
  std::string PeriodName;
  // The period variable is a word (PeriodName_HI exists); set by the analysis.
  bool NameIs16 = false;

  [[nodiscard]] TObjAnschluss& Output() const { return *out_; }
  // The tick counter is a word unless an 8-bit variable gives the period.
  [[nodiscard]] bool WideCounter() const { return !PeriodByName || NameIs16; }
  // Ticks of one half period at the clock (may exceed the counter; the code then uses 65535).
  [[nodiscard]] long HalfPeriodTicks(double clockHz) const { return TicksFor(HalfPeriod, clockHz); }
  // The text shown under "PD=": the period in ms, or the variable's name.
  [[nodiscard]] std::string PeriodText() const;

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
  void Announce(Analysis& a, bool bits);

  TObjAnschluss* out_ = nullptr;
  SimVariable* period_ = nullptr;
  SimVariable* counter_ = nullptr;
  double tickMs_ = 0;
  double elapsed_ = 0;
  bool level_ = false;
  bool ready_ = false;
};

}  // namespace tolmek
