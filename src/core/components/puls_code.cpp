// The generated code of the mono-flop: pulse, on-delay and drop-out delay. The tick counter Name (and
// Name_HI) is cleared when the time starts and compared as a whole with the length.
#include "codegen/analysis.h"
#include "components/block_code.h"
#include "components/puls.h"
#include "model/project.h"

namespace tolmek {

void TObjPuls::GenerateMainCode(ProgramWriter& w) {
  BlockCode c(w, *this);
  TickLimit limit;
  if (LengthByName) {
    NameIs16 = w.GetAnalysis().CellExists(LengthName + "_HI");
    limit.byName = true;
    limit.name = LengthName;
  } else {
    limit.ticks = TicksFor(Length, w.Mcu().ClockHz);
    if (limit.ticks > kMaxTicks) {
      if (!w.GetProject().GeneratingPreview()) w.GetProject().Messages.ShowMessage(Msg::MonoFlopLength, MessageMode::Error, Name, "!");
      limit.ticks = kMaxTicks;
    }
  }
  if (DelayFunction) WriteDelay(c, limit);
  else WritePulse(c, limit);
}

void TObjPuls::WriteClear(BlockCode& c) {
  c.OpOn("CLRF", Name);
  if (WideCounter()) c.OpOn("CLRF", Name + "_HI");
}

void TObjPuls::WritePulse(BlockCode& c, const TickLimit& limit) {
  ProgramWriter& w = c.Writer();
  const std::string fd = FlagName();
  const std::string out = c.BitOperand(*out_);
  const bool falling = in_->Inverted;
  c.Header("; Mono-Flop -> " + Name);
  ReadInputOnce(c, *in_, fd, 2);
  c.Blank();
  if (!Retrigger) {
    w.Comment("; Läuft der Impuls ?");
    c.Blank();
    c.OpOn("BTFSC", fd + ",1");
    c.Goto("_CHKTIME");
    c.Blank();
  }
  const char* noEdge = Retrigger ? "_CHKTIME" : "_SETFD";
  w.Comment(falling ? "; Test auf negative Flanke" : "; Test auf positive Flanke");
  c.Blank();
  c.OpOn(falling ? "BTFSS" : "BTFSC", fd + ",0");
  c.Goto(noEdge);
  c.OpOn(falling ? "BTFSC" : "BTFSS", fd + ",2");
  c.Goto(noEdge);
  c.Blank();
  c.Label("_RESET");
  c.Blank();
  WriteClear(c);
  c.OpOn("BSF", fd + ",1");
  c.OpOn(SetBit(*out_), out);
  c.Blank();
  c.JumpTarget("_CHKTIME");
  c.Blank();
  if (Retrigger) {
    w.Comment("; Läuft der Impuls ?");
    c.Blank();
    c.OpOn("BTFSS", fd + ",1");
    c.Goto("_SETFD");
    c.Blank();
  }
  CompareTicks(c, Name, WideCounter(), limit, "_SETFD");
  c.Blank();
  c.Label("_TO");
  c.Blank();
  c.OpOn("BCF", fd + ",1");
  c.OpOn(ClearBit(*out_), out);
  c.Blank();
  c.JumpTarget("_SETFD");
  c.Blank();
  c.OpOn("BCF", fd + ",0", "; Flankenspeicher");
  w.SkipThen("BTFSC " + fd + ",2", "BSF " + fd + ",0");
  c.Label("_ENDE");
  c.Blank();
}

void TObjPuls::WriteDelay(BlockCode& c, const TickLimit& limit) {
  const bool onDelay = DelayKind == OnDelay;
  const std::string in = c.BitOperand(*in_);
  const std::string out = c.BitOperand(*out_);
  c.Header(onDelay ? "; Anzug-Verzögerung -> " + Name : "; Abfall-Verzögerung -> " + Name);
  if (onDelay) {
    c.OpOn(SkipIfHigh(*in_), in, in_->Inverted ? "; Eingang auf Low ?" : "; Eingang auf High ?");
    c.Goto("_CHKTIME", "; Ja");
  } else {
    c.OpOn(SkipIfLow(*in_), in, in_->Inverted ? "; Eingang auf Low ?" : "; Eingang auf High ?");
    c.Goto("_CHKTIME", "; Nein");
  }
  c.Blank();
  c.Writer().Comment("; RESET");
  c.Blank();
  WriteClear(c);
  c.OpOn(onDelay ? ClearBit(*out_) : SetBit(*out_), out);
  c.Goto("_EXIT", "; raus");
  c.Blank();
  c.JumpTarget("_CHKTIME");
  c.Blank();
  // Nothing left to time once the output has switched.
  if (onDelay) c.OpOn(SkipIfHigh(*out_), out, "; Ausgang schon geschaltet ?");
  else c.OpOn(SkipIfLow(*out_), out, "; Ausgang schon geschaltet ?");
  c.Goto("_EXIT", "; Ja");
  c.Blank();
  CompareTicks(c, Name, WideCounter(), limit, "_EXIT");
  c.Blank();
  c.OpOn(onDelay ? SetBit(*out_) : ClearBit(*out_), out);
  c.JumpTarget("_EXIT");
  c.Blank();
}

}  // namespace tolmek
