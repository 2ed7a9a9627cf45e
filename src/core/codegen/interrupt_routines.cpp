// The interrupt routines: timer (and its polled 12-bit form) and the PORTB-change routines of pulse inputs.
//
// Every routine with a hardware entry saves W, STATUS (and PCLATH on paged parts) before anything selects a
// bank or page, runs the blocks' interrupt code, clears each source it serves, and restores on the way out.
#include "codegen/program_writer.h"
#include "components/registry.h"
#include "model/project.h"

namespace tolmek {

void ProgramWriter::WriteBlocksInterruptCode() {
  for (const auto& e : project_.Elements()) e->GenerateInterruptCode(*this);
  ForgetBank();
}

void ProgramWriter::WriteContextSave(bool paging) {
  // W is saved in whatever bank is selected: SYS_WSAV lies at the same offset in every bank (or in common RAM).
  Instr("MOVWF SYS_WSAV", "; save register");
  Instr("SWAPF STATUS,W");
  Instr("CLRF STATUS", "; bank 0");
  Instr("MOVWF SYS_SSAV");
  SetBankState(1);
  if (paging) {
    Instr("MOVFW PCLATH");
    Instr("MOVWF SYS_PSAV");
    Instr("CLRF PCLATH");
    SetPageState(0);
  }
}

void ProgramWriter::WriteContextRestore(bool paging) {
  if (paging) {
    SelectBank("SYS_PSAV");
    Instr("MOVFW SYS_PSAV");
    Instr("MOVWF PCLATH");
  }
  // The body may have left any bank selected.
  SelectBank("SYS_SSAV");
  Instr("SWAPF SYS_SSAV,W", "; Register zurück");
  Instr("MOVWF STATUS");
  Instr("SWAPF SYS_WSAV,F");
  Instr("SWAPF SYS_WSAV,W");
  Instr("RETFIE");
}

void ProgramWriter::WriteTimerRoutine() {
  Blank();
  StarLine(40);
  Comment(";Interrupt-Adress");
  StarLine(40);
  Blank();
  if (props().Core12) WritePolledTimerEntry();
  else WriteContextSave(props().PagingNeeded);
  WriteTimerBody();
  WriteTimerExit();
}

// 12-bit cores have no interrupt: the routine is called after each block and takes a wrap-around of TMR0
// since the last call as the timer interrupt.
void ProgramWriter::WritePolledTimerEntry() {
  const ProcessorProps& p = props();
  Label("SYS_INTERRUPT");
  InstrOn("MOVFW", "SYS_OLDTMR0");
  InstrOn("SUBWF", "TMR0,W");
  Instr("BTFSS STATUS,CARRY");
  Instr("GOTO SYS_INTERRUPT_START");
  InstrOn("ADDWF", "SYS_OLDTMR0,F");
  if (p.BankCount > 1) Instr("BCF FSR,5", "; Bank 0");
  if (p.BankCount > 2) Instr("BCF FSR,6");
  Instr("RETURN");
  Label("SYS_INTERRUPT_START");
  InstrOn("ADDWF", "SYS_OLDTMR0,F");
  if (analysis_.NeedsTimerHigh) InstrOn("INCF", "TMR0H,F");
}

void ProgramWriter::WriteTimerBody() {
  const ProcessorProps& p = props();
  WriteBlocksInterruptCode();
  if (p.HasInterrupts) {
    // Entered for another source (UART, wake-up): no timer tick to count.
    Instr("BTFSS INTCON,T0IF");
    Instr("GOTO EXITINT");
    Instr("BCF INTCON,T0IF", "; Interrupt quitieren");
    if (analysis_.NeedsTimerHigh) InstrOn("INCF", "TMR0H,F");
  }
  WriteTickCounters();
}

// The tick counters of the timer and mono-flop blocks, one count per TMR0 overflow.
void ProgramWriter::WriteTickCounters() {
  int label = 0;
  for (const auto& e : project_.Elements()) {
    if (!KindHas(*e, kCountsTicks)) continue;
    const std::string& name = e->Name;
    const std::string high = name + "_HI";
    if (analysis_.CellExists(high)) {
      const std::string target = "SYS_INT_LABEL_" + std::to_string(label++);
      InstrOn("INCFSZ", name + ",F");
      Instr("GOTO " + target);
      InstrOn("INCF", high + ",F");
      Label(target);
    } else {
      InstrOn("INCF", name + ",F");
    }
    if (!Optimise()) ForgetBank();
  }
}

void ProgramWriter::WriteTimerExit() {
  const ProcessorProps& p = props();
  Label("EXITINT");
  if (p.Core12) {
    if (p.BankCount > 1) Instr("BCF FSR,5", "; Bank 0");
    if (p.BankCount > 2) Instr("BCF FSR,6", "; Bank 0");
    Instr("RETURN");
    return;
  }
  WriteContextRestore(p.PagingNeeded);
}

// Pulse inputs on RB4..RB7: every change of PORTB stamps the time TMR0H:TMR0 (withTimer: the timer blocks'
// tick counters are served by the same routine).
void ProgramWriter::WritePortBChangeRoutine(bool withTimer) {
  const bool paging = props().PagingNeeded;
  WriteContextSave(paging);
  if (withTimer) {
    Instr("BTFSC INTCON,RBIF", "; RBIF ?");
    Instr("GOTO RBIF_INTERRUPT2");
    WriteBlocksInterruptCode();
    Instr("BTFSS INTCON,T0IF", "; TMR0 ?");
    Instr("GOTO EXITINT2");
    Instr("BCF INTCON,T0IF", "; Interrupt quitieren");
    InstrOn("INCF", "TMR0H,F", "; High-Byte von TMR0");
    WriteTickCounters();
    Instr("BTFSS INTCON,RBIF", "; RBIF ?");
    Instr("GOTO EXITINT2");
  } else {
    WriteBlocksInterruptCode();
    Instr("BTFSS INTCON,T0IF", "; TMR0 ?");
    Instr("GOTO RBIF_INTERRUPT2");
    InstrOn("INCF", "TMR0H,F", "; High-Byte from TMR0");
    Instr("BCF INTCON,T0IF", "; clear Interrupt-Flag");
    Instr("BTFSS INTCON,RBIF", "; RBIF ?");
    Instr("GOTO EXITINT2");
  }
  WritePortBChangeBody();
  WritePortBChangeExit();
}

void ProgramWriter::WritePortBChangeBody() {
  Label("RBIF_INTERRUPT2");
  Instr("BCF INTCON,RBIF", "; clear Interrupt-Flag");
  Comment("; Stop Timer0");
  InstrOn("BSF", "OPTION_REG,T0CS", "; external source");
  InstrOn("MOVFW", "PORTB", "; which changed ?");
  InstrOn("MOVWF", "RBTMP");
  InstrOn("XORWF", "RBSTATUS,W");
  InstrOn("MOVWF", "RBCHANGED");
  InstrOn("MOVFW", "RBTMP");
  InstrOn("MOVWF", "RBSTATUS");
  SkipThen("BTFSC INTCON,T0IF", "INCF TMR0H,F", "; High-Byte from TMR0", "; TMR0 Interrupt ?");
  Instr("BCF INTCON,T0IF", "; clear Interrupt-Flag");

  std::vector<int> pins;
  for (int n = 0; n < 4; ++n)
    if (analysis_.PulsePinMeasured[static_cast<size_t>(n)]) pins.push_back(n + 4);
  for (int pin : pins) {
    const std::string n = std::to_string(pin);
    Label("TESTRB" + n);
    InstrOn("BTFSC", "RBCHANGED," + n, "; RB" + n);
    Instr("GOTO CHECKRB" + n);
  }
  Instr("GOTO EXITINT", " ; Oh");
  for (size_t i = 0; i < pins.size(); ++i) {
    const std::string n = std::to_string(pins[i]);
    const std::string onward = i + 1 < pins.size() ? "GOTO TESTRB" + std::to_string(pins[i + 1]) : "GOTO EXITINT";
    const bool inverted = analysis_.PulsePinInverted[static_cast<size_t>(pins[i] - 4)];
    const std::string rb = "RB" + n;
    Label("CHECKRB" + n);
    InstrOn(inverted ? "BTFSC" : "BTFSS", "RBSTATUS," + n);
    Instr("GOTO CHECKRB" + n + "START");
    InstrOn("MOVFW", rb + "STARTTIME_HI");
    InstrOn("SUBWF", "TMR0H,W");
    InstrOn("MOVWF", rb + "TIME_HI");
    InstrOn("MOVFW", rb + "STARTTIME");
    InstrOn("SUBWF", "TMR0,W");
    InstrOn("MOVWF", rb + "TIME");
    SkipThen("BTFSS STATUS,CARRY", "DECF " + rb + "TIME_HI,F");
    Instr(onward);
    Label("CHECKRB" + n + "START");
    InstrOn("MOVFW", "TMR0H");
    InstrOn("MOVWF", rb + "STARTTIME_HI");
    InstrOn("MOVFW", "TMR0");
    Instr("ADDLW D'225'");
    InstrOn("MOVWF", rb + "STARTTIME");
    SkipThen("BTFSS STATUS,CARRY", "DECF " + rb + "STARTTIME_HI,F");
    Instr(onward);
  }
}

void ProgramWriter::WritePortBChangeExit() {
  const bool paging = props().PagingNeeded;
  Label("EXITINT");
  InstrOn("BCF", "OPTION_REG,T0CS", "; internal source");
  Label("EXITINT2");
  Instr("CLRF STATUS");
  SetBankState(1);
  if (paging) {
    Instr("MOVFW SYS_PSAV");
    Instr("MOVWF PCLATH");
  }
  Instr("SWAPF SYS_SSAV,W", "; restore register");
  Instr("MOVWF STATUS");
  Instr("SWAPF SYS_WSAV,F");
  Instr("SWAPF SYS_WSAV,W");
  Instr("RETFIE");
}

}  // namespace tolmek
