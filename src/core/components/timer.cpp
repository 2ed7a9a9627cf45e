// The timer: pins, file record, names it announces and its simulation rule.
#include "components/timer.h"

#include "codegen/analysis.h"
#include "components/block_support.h"
#include "model/project.h"
#include "sim/sim_context.h"

namespace tolmek {

TObjTimer::TObjTimer(int32_t x, int32_t y) : TBauteil(x, y) {
  Kind = kind::Timer;
  Width = 70;
  Height = 40;
  Name = "TR";
  out_ = &AddPin(kind::OutputPin, 1, 1, 60, 20, "");
}

std::string TObjTimer::PeriodText() const {
  return PeriodByName ? PeriodName : std::to_string(2 * long(HalfPeriod)) + "ms";
}

TObjAnschluss* TObjTimer::HitPin(int x, int y) { return out_->HitPin(x, y); }

void TObjTimer::Record(RecordVisitor& v) {
  BaseRecord(v);
  v.Word("halfPeriod", HalfPeriod);
  v.Pin("out", *out_);
  v.Flag("periodByName", PeriodByName);
  v.Text("periodName", PeriodName, 255);
  v.Page(Page);
  v.Zeros(253);
}

void TObjTimer::Announce(Analysis& a, bool bits) {
  DeclareTimeBase(a, bits);
  if (PeriodByName) {
    NameIs16 = a.CellExists(PeriodName + "_HI");
    DeclareByte(a, PeriodName, bits);
    if (NameIs16) DeclareByte(a, PeriodName + "_HI", bits);
  }
  DeclareByte(a, Name, bits);
  if (WideCounter()) DeclareByte(a, Name + "_HI", bits);
  if (a.UsesAdc) a.RegisterVariable("SYS_TMP1");
  a.NeedsTimerInterrupt = true;
}

void TObjTimer::DeclareVariables(Analysis& a) {
  Announce(a, true);
  out_->DeclareVariables(a);
}

void TObjTimer::NoteUsedNames(Analysis& a) {
  Announce(a, false);
  out_->NoteUsedNames(a);
}

void TObjTimer::SimulationStart(SimContext& ctx) {
  Project& p = ctx.GetProject();
  tickMs_ = TickMilliseconds(p.Mcu.ClockHz);
  elapsed_ = 0;
  level_ = false;
  period_ = nullptr;
  counter_ = ctx.Variables().Find(Name);
  ready_ = true;
  if (PeriodByName) {
    period_ = ctx.Variables().Find(PeriodName);
    if (!period_) {
      p.Messages.ShowMessage(Msg::UnknownPeriodName, MessageMode::Error, Name);
      ctx.RequestAbort();
      ready_ = false;
    }
  }
}

void TObjTimer::SimulationStep(SimContext& ctx) {
  if (!ready_) return;
  const double limit =
      PeriodByName ? double(period_->Value & (NameIs16 ? 0xFFFF : 0xFF)) * tickMs_ : double(HalfPeriod);
  elapsed_ += ctx.SimRate();
  if (counter_) counter_->Value = int32_t(elapsed_);
  if (elapsed_ >= limit && ctx.SimRate() > 0) {
    // What is left over counts on towards the next half period, as in the program's tick counter.
    elapsed_ = limit > 0 ? elapsed_ - limit : 0;
    if (elapsed_ >= limit) elapsed_ = 0;  // a half period shorter than a tick toggles once per tick
    level_ = !level_;
  }
  DriveLevel(*out_, level_);
}

void TObjTimer::SimulationStop(SimContext&) {
  period_ = counter_ = nullptr;
  ready_ = false;
  ClearLevels(*this);
}

}  // namespace tolmek
