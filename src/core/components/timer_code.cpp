// The generated code of the timer: when the tick counter has reached the half period, the half period is
// subtracted from it (the remainder counts on) and the output toggles.
#include "codegen/analysis.h"
#include "components/block_code.h"
#include "components/timer.h"
#include "model/project.h"

namespace tolmek {

void TObjTimer::GenerateMainCode(ProgramWriter& w) {
  BlockCode c(w, *this);
  c.Header("; Timer -> " + Name);
  TickLimit limit;
  if (PeriodByName) {
    NameIs16 = w.GetAnalysis().CellExists(PeriodName + "_HI");
    limit.byName = true;
    limit.name = PeriodName;
  } else {
    limit.ticks = HalfPeriodTicks(w.Mcu().ClockHz);
    if (limit.ticks > kMaxTicks) {
      if (!w.GetProject().GeneratingPreview()) w.GetProject().Messages.ShowMessage(Msg::TimerLength, MessageMode::Error, Name, "!");
      limit.ticks = kMaxTicks;
    }
  }
  const bool wide = WideCounter();
  CompareTicks(c, Name, wide, limit, "_ENDE");
  c.Blank();
  c.Label("_RESET");
  if (wide) {
    if (limit.byName) c.OpOn("MOVFW", PeriodName + "_HI");
    else c.Op("MOVLW " + std::to_string((limit.ticks >> 8) & 0xFF));
    c.OpOn("SUBWF", Name + "_HI,F", ";F-W -> F");
  }
  if (limit.byName) c.OpOn("MOVFW", PeriodName);
  else c.Op("MOVLW " + std::to_string(limit.ticks & 0xFF));
  c.OpOn("SUBWF", Name + ",F", ";F-W -> F");
  if (wide) c.SkipOver("BTFSS STATUS,CARRY", "DECF", Name + "_HI,F");
  c.Blank();
  const std::string y = c.BitOperand(*out_);
  c.Label("_SET");
  w.Comment("; toggel output");
  c.OpOn("BTFSC", y);
  c.Goto("_CLR");
  c.OpOn("BSF", y);
  c.Goto("_ENDE");
  c.JumpTarget("_CLR");
  c.OpOn("BCF", y);
  c.JumpTarget("_ENDE");
  c.Blank();
}

}  // namespace tolmek
