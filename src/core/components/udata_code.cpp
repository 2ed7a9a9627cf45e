// The generated code of the UART data block: edge test, arming the module's buffer, and the end of the
// transfer (for a receive: checksum test and copy into the listed variables).
#include <string>

#include "codegen/program_writer.h"
#include "components/block_code.h"
#include "components/uart.h"
#include "components/udata.h"
#include "model/project.h"

namespace tolmek {

namespace {

std::string Plus(const std::string& base, int offset) {
  return offset == 0 ? base : base + "+" + std::to_string(offset);
}

// Interrupts off; the loop repeats when an interrupt came between the clear and its test.
void DisableInterrupts(ProgramWriter& w) {
  w.Instr("BCF INTCON,GIE", "; disable interrupts");
  w.Instr("BTFSC INTCON,GIE", "; disabled ?");
  w.Instr("GOTO $-2", "; no");
}

}  // namespace

void TObjUdata::GenerateMainCode(ProgramWriter& w) {
  BlockCode c(w, *this);
  c.Header("; UDATA -> " + Name);
  if (Items.empty()) return;
  const TObjUart* m = FindUartModule(w.GetProject(), UartName);
  if (!m) {
    w.GetProject().Messages.ShowMessage(Msg::NoSuchModule, MessageMode::Error, Name, UartName);
    return;
  }
  if (!w.Props().HasUsart) {
    w.Comment("; no UART on this PIC");
    return;
  }
  const std::string in = c.BitOperand(*in_), out = c.BitOperand(*out_), fd = Name + "_FD";
  // The input is read once: bit 2 holds this pass's level, bit 0 the level of the pass before.
  c.OpOn("BCF", fd + ",2");
  w.SkipThen(std::string(SkipIfHigh(*in_)) + " " + in, "BSF " + fd + ",2");
  c.OpOn(SkipIfHigh(*out_), out, "; active");
  c.Goto("_1", "; yes");
  c.Blank();
  w.Comment(in_->Inverted ? "; test negative edge" : "; test positive edge");
  c.OpOn("BTFSS", fd + ",2");
  c.Goto("_SETFD");
  c.OpOn("BTFSC", fd + ",0");
  c.Goto("_SETFD");
  if (Direction == kReceive)
    Receive(w, *m);
  else
    Transmit(w, *m);
  c.JumpTarget("_2");
  c.Blank();
  c.JumpTarget("_SETFD");
  c.OpOn("BCF", fd + ",0");
  w.SkipThen("BTFSC " + fd + ",2", "BSF " + fd + ",0");
  c.Blank();
}

void TObjUdata::Transmit(ProgramWriter& w, const TObjUart& m) {
  BlockCode c(w, *this);
  const std::string buf = m.Name + "OUTBUF", flag = m.Name + "RSFLAG", out = c.BitOperand(*out_);
  const int n = int(Items.size());
  const bool sum = m.WithChecksum != 0;
  c.Blank();
  c.OpOn("BCF", flag + ",2", "; set not ready");
  c.OpOn(SetBit(*out_), out, "; active");
  c.Blank();
  w.SelectBank(buf);
  c.Op("MOVLW LOW " + Plus(buf, 2), "; set pointer (ADRESS)");
  c.Op("MOVWF " + buf);
  if (sum) {
    c.Op("MOVLW H'AA'", "; init checksum");
    c.Op("MOVWF " + Plus(buf, n + 2));
  }
  const int count = n + (sum ? 1 : 0);
  c.Op("MOVLW " + std::to_string(count), "; " + std::to_string(count) + " bytes");
  c.Op("MOVWF " + Plus(buf, 1));
  DisableInterrupts(w);
  for (int i = 1; i <= n; ++i) {
    c.OpOn("MOVFW", Items[size_t(i - 1)]);
    w.SelectBank(buf);
    c.Op("MOVWF " + Plus(buf, i + 1));
    if (sum) c.Op("ADDWF " + Plus(buf, n + 2) + ",F");
  }
  w.SelectBank("TXSTA");
  c.Op("BSF TXSTA,TXEN");
  w.SelectBank("PIE1");
  c.Op("BSF PIE1,TXIE", "; enable INTERRUPT for transmit");
  c.Op("BSF INTCON,GIE", "; enable interrupts");
  c.JumpTarget("_1");
  c.OpOn("BTFSS", flag + ",2", "; transmit ready ?");
  c.Goto("_2", "; no");
  c.OpOn(ClearBit(*out_), out, "; not active");
  c.Blank();
}

void TObjUdata::Receive(ProgramWriter& w, const TObjUart& m) {
  BlockCode c(w, *this);
  const std::string buf = m.Name + "INBUF", flag = m.Name + "RSFLAG", out = c.BitOperand(*out_);
  const int n = int(Items.size());
  const bool sum = m.WithChecksum != 0;
  c.Blank();
  c.OpOn("BCF", flag + ",0", "; set nothing received");
  c.OpOn("BCF", flag + ",1", "; set no error");
  c.OpOn(SetBit(*out_), out, "; active");
  w.SelectBank(buf);
  c.Op("MOVLW LOW " + Plus(buf, sum ? 3 : 2), "; set pointer (adress)");
  c.Op("MOVWF " + buf);
  if (sum) {
    c.Op("MOVLW H'AA'", "; init checksum");
    c.Op("MOVWF " + Plus(buf, 2));
  }
  const int count = n + (sum ? 1 : 0);
  c.Op("MOVLW " + std::to_string(count), "; " + std::to_string(count) + " bytes");
  c.Op("MOVWF " + Plus(buf, 1));
  c.Goto("_SETFD");
  c.JumpTarget("_1");
  c.OpOn("BTFSC", flag + ",1", "; error ?");
  c.Goto("_3", "; break");
  c.OpOn("BTFSS", flag + ",0", "; received ?");
  c.Goto("_2", "; no");
  c.Blank();
  if (sum) {
    // A wrong checksum ends the transfer without copying.
    w.SelectBank(buf);
    c.Op("MOVFW " + Plus(buf, 2), "; checksum");
    c.Op("SUBWF " + Plus(buf, n + 3) + ",W", "; checksum");
    c.Op("BTFSS STATUS,ZERO");
    c.Goto("_3", "; break");
  }
  DisableInterrupts(w);
  for (int i = 1; i <= n; ++i) {
    w.SelectBank(buf);
    c.Op("MOVFW " + Plus(buf, i + 1 + (sum ? 1 : 0)));
    c.OpOn("MOVWF", Items[size_t(i - 1)]);
  }
  c.Op("BSF INTCON,GIE", "; enable interrupts");
  c.JumpTarget("_3");
  c.OpOn(ClearBit(*out_), out, "; not active");
}

}  // namespace tolmek
