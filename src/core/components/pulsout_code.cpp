// The generated code of the pulse output and of the hardware PWM.
//
// The pulse follows timer 0 without writing it and with interrupts left on, so the time base of the timer
// blocks keeps counting while a pulse runs. The edge input of the PWM is read once per pass: the same
// reading decides the edge and sets the edge memory.
#include <string>

#include "codegen/analysis.h"
#include "components/block_code.h"
#include "components/block_support.h"
#include "components/pulsout.h"
#include "components/strigg8.h"
#include "model/project.h"

namespace tolmek {

namespace {

// A constant of the value pin as the 16 bits the code works with; message 20 for a larger number.
long ConstantValue(ProgramWriter& w, const TObjAnschluss& pin, const std::string& block) {
  const long value = *DecimalConstant(pin.Name);
  if (value > 65535) {
    if (!PreviewRun(w)) w.GetProject().Messages.ShowMessage(Msg::ValueOutOfRange, MessageMode::Error, block);
    return value & 0xFFFF;
  }
  return value;
}

}  // namespace

void TObjPulsOut::GenerateMainCode(ProgramWriter& w) {
  if (IsPwm())
    GeneratePwm(w);
  else
    GeneratePulse(w);
}

void TObjPulsOut::GeneratePulse(ProgramWriter& w) {
  const ProcessorProps& p = w.Props();
  BlockCode c(w, *this);
  c.Header("; Impuls -> " + Name);
  const std::string in = c.BitOperand(*enable_);
  const std::string out = c.BitOperand(*out_);
  c.OpOn(SkipIfLow(*enable_), in);
  c.Goto("_EXIT");
  c.Blank();

  // SYS_TMP2:SYS_TMP1 := -length; the elapsed timer ticks are added until the sum passes zero.
  if (ValueIsConstant()) {
    const long length = ConstantValue(w, *value_, Name);
    if (length == 0) {
      c.JumpTarget("_EXIT");
      c.Blank();
      return;
    }
    const long negative = 65536 - length;
    c.Op("MOVLW " + std::to_string(negative & 0xFF));
    c.OpOn("MOVWF", "SYS_TMP1");
    c.Op("MOVLW " + std::to_string(negative >> 8));
    c.OpOn("MOVWF", "SYS_TMP2");
  } else {
    const std::string v = BlockCode::ByteOperand(*value_);
    c.OpOn("MOVFW", v);
    c.OpOn("IORWF", v + "_HI,W");
    c.Op("BTFSC STATUS,ZERO", "; length 0: no pulse");
    c.Goto("_EXIT");
    c.Blank();
    c.OpOn("COMF", v + ",W");
    c.OpOn("MOVWF", "SYS_TMP1");
    c.OpOn("COMF", v + "_HI,W");
    c.OpOn("MOVWF", "SYS_TMP2");
    c.OpOn("INCF", "SYS_TMP1,F");
    c.SkipOver("BTFSC STATUS,ZERO", "INCF", "SYS_TMP2,F");
  }
  c.OpOn("MOVFW", "TMR0", "; timer value at the start");
  c.OpOn("MOVWF", "SYS_TMP3");
  c.Blank();
  c.OpOn(SetBit(*out_), out);
  c.Blank();

  c.JumpTarget("_1");
  if (w.Mcu().Watchdog) c.Op("CLRWDT");
  const Analysis& a = w.GetAnalysis();
  if (p.Core12 && (a.NeedsTimerInterrupt || a.NeedsTimerHigh)) {
    // The 12-bit time base is polled: keep polling while the pulse runs.
    w.SelectPage(0);
    c.Op("CALL SYS_INTERRUPT");
    w.SetBankState(1);
    w.SelectPage(w.RomCounter());
  }
  c.OpOn("MOVFW", "SYS_TMP3");
  c.OpOn("SUBWF", "TMR0,W", "; ticks since the last look");
  c.OpOn("ADDWF", "SYS_TMP3,F");
  c.OpOn("ADDWF", "SYS_TMP1,F");
  c.Op("BTFSS STATUS,CARRY");
  c.Goto("_1");
  c.OpOn("INCFSZ", "SYS_TMP2,F");
  c.Goto("_1");
  c.OpOn(ClearBit(*out_), out);
  c.Blank();
  c.JumpTarget("_EXIT");
  c.Blank();
}

void TObjPulsOut::GeneratePwm(ProgramWriter& w) {
  const ProcessorProps& p = w.Props();
  BlockCode c(w, *this);
  w.StarLine(48);
  w.Comment("; Set PWM " + Name);
  w.StarLine(48);
  w.Blank();
  if (!PwmAvailable(p)) {
    ReportMissingPart(w, "CCP" + std::to_string(Ccp()), Name);
    return;
  }
  const std::string n = std::to_string(Ccp());
  const std::string ccpCon = "CCP" + n + "CON";
  const std::string ccpLow = "CCPR" + n + "L";
  const std::string in = c.BitOperand(*enable_);
  const std::string fd = Name + "_FD";

  w.Comment("; Test auf positive Flanke");
  c.OpOn(SkipIfLow(*enable_), in);
  c.Goto("_SETFD");
  c.OpOn("BTFSC", fd + ",0");
  c.Goto("_EXIT");
  c.OpOn("BSF", fd + ",0");
  c.Blank();
  if (ValueIsConstant()) {
    const long duty = ConstantValue(w, *value_, Name) & 1023;
    c.Op("MOVLW " + std::to_string(((duty & 3) << 4) | 12));
    c.OpOn("MOVWF", ccpCon);
    c.Op("MOVLW " + std::to_string(duty >> 2));
    c.OpOn("MOVWF", ccpLow);
  } else {
    const std::string v = BlockCode::ByteOperand(*value_);
    c.OpOn("SWAPF", v + ",W");
    c.Op("ANDLW B'00110000'");
    c.Op("IORLW B'00001100'");
    c.OpOn("MOVWF", ccpCon);
    c.Blank();
    c.OpOn("RRF", v + "_HI,W");
    c.OpOn("MOVWF", "SYS_TMP1");
    c.OpOn("RRF", v + ",W");
    c.OpOn("MOVWF", "SYS_TMP2");
    c.OpOn("RRF", "SYS_TMP1,W");
    c.OpOn("RRF", "SYS_TMP2,W");
    c.OpOn("MOVWF", ccpLow);
  }
  c.Goto("_EXIT");
  c.Blank();
  c.JumpTarget("_SETFD");
  c.OpOn("BCF", fd + ",0", "; input inactive: wait for the next edge");
  c.Blank();
  c.JumpTarget("_EXIT");
  c.Blank();
}

void TObjPulsOut::GenerateInitEnd(ProgramWriter& w) {
  if (!IsPwm() || !PwmAvailable(w.Props())) return;
  const std::string n = std::to_string(Ccp());
  const std::string pin(w.Props().CcpPins[static_cast<size_t>(Ccp() - 1)]);  // "RC.2"
  w.Blank();
  w.Instr("MOVLW 255", "; init PWM");
  w.SelectBank("PR2");
  w.Instr("MOVWF PR2");
  w.Instr("MOVLW 12", "; PWM mode");
  w.InstrOn("MOVWF", "CCP" + n + "CON");
  w.InstrOn("CLRF", "CCPR" + n + "L");
  w.Instr("MOVLW 4", "; TIMER2 ON");
  w.InstrOn("MOVWF", "T2CON");
  // The CCP pin drives the PWM only as an output.
  const std::string tris = std::string("TRIS") + pin[1];
  w.InstrOn("BCF", tris + "," + pin.substr(3));
  w.Blank();
}

}  // namespace tolmek
