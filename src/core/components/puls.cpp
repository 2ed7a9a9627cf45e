// The mono-flop: pins, file record, names it announces and its simulation rules.
#include "components/puls.h"

#include "codegen/analysis.h"
#include "components/block_support.h"
#include "model/project.h"
#include "sim/sim_context.h"

namespace tolmek {

TObjPuls::TObjPuls(int32_t x, int32_t y) : TBauteil(x, y) {
  Kind = kind::Puls;
  Width = 90;
  Height = 40;
  Name = "MF";
  in_ = &AddPin(kind::InputPin, 1, 0, 10, 20, "");
  out_ = &AddPin(kind::OutputPin, 1, 1, 80, 20, "");
}

std::string TObjPuls::LengthText() const {
  return LengthByName ? LengthName : std::to_string(Length) + "ms";
}

TObjAnschluss* TObjPuls::HitPin(int x, int y) {
  for (auto* pin : {out_, in_})
    if (auto* hit = pin->HitPin(x, y)) return hit;
  return nullptr;
}

void TObjPuls::Record(RecordVisitor& v) {
  BaseRecord(v);
  v.Text("lengthName", LengthName, kMaxNameLength);
  v.Word("length", Length);
  v.Flag("lengthByName", LengthByName);
  v.Flag("retrigger", Retrigger);
  v.Pin("in", *in_);
  v.Pin("out", *out_);
  v.Flag("delayFunction", DelayFunction);
  v.Choice("delayKind", DelayKind, OnDelay, DropOutDelay);
  v.Page(Page);
  v.Zeros(253);
}

void TObjPuls::Announce(Analysis& a, bool bits) {
  DeclareTimeBase(a, bits);
  if (LengthByName) {
    NameIs16 = a.CellExists(LengthName + "_HI");
    DeclareByte(a, LengthName, bits);
    if (NameIs16) DeclareByte(a, LengthName + "_HI", bits);
  }
  DeclareByte(a, Name, bits);
  if (WideCounter()) DeclareByte(a, Name + "_HI", bits);
  if (!DelayFunction) DeclareByte(a, FlagName(), bits);
  a.NeedsTimerInterrupt = true;
}

void TObjPuls::DeclareVariables(Analysis& a) {
  Announce(a, true);
  out_->DeclareVariables(a);
}

void TObjPuls::NoteUsedNames(Analysis& a) {
  Announce(a, false);
  out_->NoteUsedNames(a);
}

void TObjPuls::SimulationStart(SimContext& ctx) {
  Project& p = ctx.GetProject();
  tickMs_ = TickMilliseconds(p.Mcu.ClockHz);
  elapsed_ = 0;
  running_ = false;
  edge_.Reset();
  length_ = nullptr;
  ready_ = true;
  if (LengthByName) {
    length_ = ctx.Variables().Find(LengthName);
    if (!length_) {
      p.Messages.ShowMessage(Msg::UnknownInputVariable, MessageMode::Error, Name);
      ctx.RequestAbort();
      ready_ = false;
    }
  }
}

void TObjPuls::SimulationStep(SimContext& ctx) {
  if (!ready_) return;
  const double limit =
      LengthByName ? double(length_->Value & (NameIs16 ? 0xFFFF : 0xFF)) * tickMs_ : double(Length);
  const int d = ctx.SimRate();
  if (DelayFunction) {
    const bool active = in_->GetMarked() != 0;
    const bool out = out_->GetMarked() != 0;
    if (DelayKind == OnDelay) {
      if (!active) {
        elapsed_ = 0;
        DriveLevel(*out_, false);
      } else if (!out) {
        elapsed_ += d;
        if (elapsed_ >= limit) DriveLevel(*out_, true);
      }
    } else {
      if (active) {
        elapsed_ = 0;
        DriveLevel(*out_, true);
      } else if (out) {
        elapsed_ += d;
        if (elapsed_ >= limit) DriveLevel(*out_, false);
      }
    }
    return;
  }
  // The pulse: as in the program, the input is read once; its memory follows it in every step.
  const bool wasRunning = running_;
  const bool edge = edge_.Update(*in_);
  if (running_) {
    elapsed_ += d;
    if (elapsed_ >= limit) running_ = false;
  }
  if (edge && (Retrigger || !wasRunning)) {
    running_ = true;
    elapsed_ = 0;
  }
  DriveLevel(*out_, running_);
}

void TObjPuls::SimulationStop(SimContext&) {
  length_ = nullptr;
  ready_ = false;
  running_ = false;
  ClearLevels(*this);
}

}  // namespace tolmek
