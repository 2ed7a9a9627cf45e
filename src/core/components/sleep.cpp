// The sleep block: pin, file record, what it asks of the program frame, and its generated code.
//
// 14-bit parts sleep in the main loop and are woken by an enabled interrupt source; the interrupt routine
// clears the source, so the next pass sleeps again while the input stays active. 12-bit parts restart after
// a wake-up: the initialisation loads OPTION and the port directions again (RAM is kept) and continues behind
// the SLEEP.
#include "components/sleep.h"

#include "codegen/analysis.h"
#include "components/block_code.h"
#include "components/block_support.h"
#include "components/draw_helpers.h"
#include "model/project.h"

namespace tolmek {

namespace {

bool GpioPart(const ProcessorProps& p) { return TObjSleep::PinChangeOnly(p); }
const char* ChangeEnable(const ProcessorProps& p) { return GpioPart(p) ? "INTCON,GPIE" : "INTCON,RBIE"; }
const char* ChangeFlag(const ProcessorProps& p) { return GpioPart(p) ? "INTCON,GPIF" : "INTCON,RBIF"; }
const char* ChangePort(const ProcessorProps& p) { return GpioPart(p) ? "GPIO" : "PORTB"; }

}  // namespace

TObjSleep::TObjSleep(int32_t x, int32_t y) : TBauteil(x, y) {
  Kind = kind::Sleep;
  Width = 60;
  Height = 40;
  Name = "SL";
  in_ = &AddPin(kind::InputPin, 1, 0, 10, 30, "IN");
}

bool TObjSleep::PinChangeOnly(const ProcessorProps& p) { return p.GpioPorts; }

bool TObjSleep::WakesByRB0(const ProcessorProps& p) const { return WakeRB0 && !GpioPart(p); }
bool TObjSleep::WakesByChange(const ProcessorProps& p) const { return WakeRB47 || GpioPart(p); }

TObjAnschluss* TObjSleep::HitPin(int x, int y) { return in_->HitPin(x, y); }

void TObjSleep::Record(RecordVisitor& v) {
  BaseRecord(v);
  v.Pin("in", *in_);
  v.Page(Page);
  v.Flag("wakeRB0", WakeRB0);
  v.Flag("wakeRB47", WakeRB47);
  v.Zeros(256);
}

void TObjSleep::NoteUsedNames(Analysis& a) {
  const ProcessorProps& p = a.Props();
  if (!p.HasInterrupts || !(WakesByRB0(p) || WakesByChange(p))) return;
  a.RegisterVariable("SYS_WSAV");
  a.RegisterVariable("SYS_SSAV");
  if (p.PagingNeeded) a.RegisterVariable("SYS_PSAV");
  a.NeedsWakeInterrupt = true;
}

void TObjSleep::GenerateInterruptCode(ProgramWriter& w) {
  const ProcessorProps& p = w.Props();
  if (!p.HasInterrupts) return;
  if (WakesByRB0(p)) {
    w.Instr("BTFSS INTCON,INTF");
    w.Instr("GOTO NORB0_" + Name);
    w.Instr("BCF INTCON,INTF");
    w.Instr("GOTO EXITINT");
    w.Label("NORB0_" + Name);
  }
  // With pulse inputs the port-change routine reads the port and clears the flag itself.
  if (WakesByChange(p) && !w.GetAnalysis().NeedsPortBChange) {
    w.Instr(std::string("BTFSS ") + ChangeFlag(p));
    w.Instr("GOTO NORB47_" + Name);
    w.InstrOn("MOVFW", ChangePort(p), "; read port (dummy)");
    w.Instr(std::string("BCF ") + ChangeFlag(p));
    w.Instr("GOTO EXITINT");
    w.Label("NORB47_" + Name);
  }
}

void TObjSleep::GenerateInitStart(ProgramWriter& w) {
  const ProcessorProps& p = w.Props();
  if (!p.Core12) return;
  // The first sleep block restores the chip after a wake-up; with several, the main loop starts afresh.
  int sleepers = 0;
  const TBauteil* first = nullptr;
  for (const auto& e : w.GetProject().Elements()) {
    if (e->Kind != kind::Sleep) continue;
    if (!first) first = e.get();
    ++sleepers;
  }
  if (first != this) return;
  const std::string target = sleepers == 1 ? "LABEL_" + Name : std::string("MAIN");
  const std::string powerOn = "LABEL_" + Name + "_POWERON";
  w.Blank();
  w.Instr("BTFSC STATUS,NOT_PD", "; woken up from sleep ?");
  w.Instr("GOTO " + powerOn);
  w.WriteOption();
  w.WritePortDirections();
  w.SelectPage(0, target);
  w.Instr("GOTO " + target);
  w.Label(powerOn);
  w.SetPageState(w.RomCounter());
}

void TObjSleep::GenerateInitEnd(ProgramWriter& w) {
  const ProcessorProps& p = w.Props();
  if (!p.HasInterrupts) return;
  w.Blank();
  if (WakesByRB0(p)) w.Instr("BSF INTCON,INTE");
  if (WakesByChange(p)) w.Instr(std::string("BSF ") + ChangeEnable(p));
  if (WakesByRB0(p)) w.InstrOn("BSF", "OPTION_REG,INTEDG");
  w.Blank();
}

void TObjSleep::GenerateMainCode(ProgramWriter& w) {
  const ProcessorProps& p = w.Props();
  BlockCode c(w, *this);
  c.Header("; SLEEP -> " + Name);
  const std::string in = c.BitOperand(*in_);
  if (p.HasInterrupts) {
    // The interrupt routine clears the wake-up source, so this sleeps again on the next pass.
    c.OpOn(SkipIfHigh(*in_), in);
    c.Op("SLEEP");
  } else {
    c.OpOn(SkipIfLow(*in_), in);
    c.Goto("");
    // Reading the port sets the state a change is measured against.
    if (WakesByChange(p)) c.OpOn("MOVFW", p.GpioPorts ? "GPIO" : "PORTB");
    w.ForgetBank();
    c.Op("SLEEP");
    c.JumpTarget("");
  }
  c.Blank();
}

void TObjSleep::SimulationStop(SimContext&) { ClearLevels(*this); }

void TObjSleep::Draw(Canvas& canvas, int originX, int originY) {
  UpdateDrawPosition(originX, originY);
  DrawBlockBody(canvas, *this, DrawX + 10, DrawX + Width, DrawX + 10);
  DrawInnerText(canvas, *this, DrawX + 15, DrawY + 3, "SLEEP");
  in_->Draw(canvas, originX, originY);
}

}  // namespace tolmek
