// The generated code of the LCD output block: edge test, cursor position, and the text or the value's digits
// through the module's driver routines.
#include <algorithm>
#include <span>
#include <string>

#include "codegen/program_writer.h"
#include "components/block_code.h"
#include "components/lcd_base.h"
#include "components/lcd_text.h"
#include "model/project.h"

namespace tolmek {

namespace {

// A call of a driver routine from the main loop: page of the routine, then back to the caller's page.
// The driver stands in the subroutine section at the start of the program (page 0); the page is selected
// by its bits alone, so that W reaches the routine unchanged.
void CallRoutine(ProgramWriter& w, const std::string& label) {
  w.SelectPage(0);
  w.Instr("CALL " + label);
  w.ForgetBank();
  w.SelectPage(w.RomCounter());
}

}  // namespace

void TObjLcdText::GenerateAfterMain(ProgramWriter& w) {
  if (w.Props().Core12 || Format != kText || Text.empty()) return;
  if (!FindLcdModule(w.GetProject(), LcdName)) return;
  w.Blank();
  w.Label("TAB_" + Name);
  for (const Glyph& g : ParseText(Text)) w.Instr("RETLW " + std::to_string(g.code), std::string("; ") + g.shown);
  w.Instr("RETLW 0", "; end");
  w.Blank();
}

void TObjLcdText::WritePosition(ProgramWriter& w, const TObjLcdBase& m) {
  BlockCode c(w, *this);
  const std::string x = PositionVariable(PosXName), y = PositionVariable(PosYName);
  c.Blank();
  c.Blank();
  if (m.UsedRows() == 1) {
    // One row is two halves: the second half is addressed like a second row.
    const int half = std::max(1, m.UsedColumns() / 2);
    if (x.empty()) {
      c.Op("MOVLW " + std::to_string(PosX % half));
      c.OpOn("MOVWF", "SYS_TMP1");
      c.Op("MOVLW " + std::to_string(PosX / half));
      c.OpOn("MOVWF", "SYS_TMP2");
    } else {
      c.OpOn("MOVFW", x);
      c.OpOn("MOVWF", "SYS_TMP1");
      c.OpOn("CLRF", "SYS_TMP2");
      c.Op("MOVLW " + std::to_string(half));
      c.OpOn("SUBWF", "SYS_TMP1,W");
      c.Op("BTFSS STATUS,CARRY");
      c.Goto("_POS", "; first half");
      c.OpOn("MOVWF", "SYS_TMP1");
      c.OpOn("INCF", "SYS_TMP2,F");
      c.JumpTarget("_POS");
    }
  } else {
    if (x.empty()) c.Op("MOVLW " + std::to_string(PosX));
    else c.OpOn("MOVFW", x);
    c.OpOn("MOVWF", "SYS_TMP1");
    if (y.empty()) c.Op("MOVLW " + std::to_string(PosY));
    else c.OpOn("MOVFW", y);
    c.OpOn("MOVWF", "SYS_TMP2");
  }
  c.Blank();
  CallRoutine(w, m.Routine("_GOTOXY"));
  c.Blank();
}

void TObjLcdText::WriteDecimal(ProgramWriter& w, const TObjLcdBase& m, bool wide) {
  BlockCode c(w, *this);
  const int width = wide ? 5 : 3;
  c.OpOn(LeadingZeros ? "BSF" : "BCF", "SYS_TMP10,0");
  if (FixedLength) {
    c.Op("MOVLW " + std::to_string(width + 1 - std::clamp<int>(FixedCount, 1, width)));
    c.OpOn("MOVWF", "SYS_TMP9");
  } else {
    c.OpOn("CLRF", "SYS_TMP9");
  }
  if (!w.Props().Core12) {
    CallRoutine(w, m.Routine(wide ? "_DEZO10000" : "_DEZO100"));
    return;
  }
  // The 12-bit core's two-level stack: the digit chain runs here, so that each routine is called from
  // the main loop and the character output's own call is the second level.
  static constexpr int kPowers[] = {10000, 1000, 100, 10};
  for (int d : std::span<const int>(kPowers).subspan(wide ? 0 : 2)) {
    const std::string n = std::to_string(d);
    c.Op("MOVLW LOW " + n);
    c.OpOn("MOVWF", "SYS_TMP1");
    if (d >= 1000) {
      c.Op("MOVLW HIGH " + n);
      c.OpOn("MOVWF", "SYS_TMP2");
    } else {
      c.OpOn("CLRF", "SYS_TMP2");
    }
    CallRoutine(w, m.Routine("_CONVERTDEZ"));
    c.OpOn("MOVF", "SYS_TMP9,F");
    c.Op("BTFSS STATUS,ZERO");
    c.Goto("_D" + n, "; digit skipped");
    CallRoutine(w, m.Routine("_CHECKNULL"));
    c.JumpTarget("_D" + n);
  }
  c.Op("MOVLW 48");
  c.OpOn("ADDWF", "SYS_TMP4,W");
  CallRoutine(w, m.Routine("_WRITECHAR"));
}

// Base 2: the top bit is shifted into the carry and written as "0" or "1"; without leading zeros a "0"
// before the first "1" is a blank (bit 1 of FD remembers the first "1"). A fixed length first shifts out
// the digits not shown, noting a "1" among them.
void TObjLcdText::WriteBinary(ProgramWriter& w, const TObjLcdBase& m, bool wide) {
  BlockCode c(w, *this);
  const std::string fd = Name + "_FD";
  const int bits = wide ? 16 : 8;
  const int keep = FixedLength ? std::clamp<int>(FixedCount, 1, bits) : bits;
  auto shift = [&] {
    c.OpOn("RLF", "SYS_TMP4,F");
    if (wide) c.OpOn("RLF", "SYS_TMP5,F");
  };
  if (!LeadingZeros) c.OpOn("BCF", fd + ",1");
  if (keep < bits) {
    c.Op("MOVLW " + std::to_string(bits - keep));
    c.OpOn("MOVWF", "SYS_TMP6");
    c.JumpTarget("_FIXED");
    shift();
    if (!LeadingZeros) w.SkipThen("BTFSC STATUS,CARRY", "BSF " + fd + ",1");
    c.OpOn("DECFSZ", "SYS_TMP6,F");
    c.Goto("_FIXED");
  }
  auto digit = [&](bool last) {
    shift();
    if (LeadingZeros || last) {
      c.Op("MOVLW 48");
    } else {
      w.SkipThen("BTFSC STATUS,CARRY", "BSF " + fd + ",1");
      c.Op("MOVLW 32");
      w.SkipThen("BTFSC " + fd + ",1", "MOVLW 48");
    }
    c.Op("BTFSC STATUS,CARRY");
    c.Op("MOVLW 49");
    CallRoutine(w, m.Routine("_WRITECHAR"));
  };
  if (keep > 1) {
    c.Op("MOVLW " + std::to_string(keep - 1));
    c.OpOn("MOVWF", "SYS_TMP6");
    w.Label("LCD_" + Name + "_BIN1");
    digit(false);
    c.OpOn("DECFSZ", "SYS_TMP6,F");
    c.Op("GOTO LCD_" + Name + "_BIN1");
  }
  digit(true);
}

void TObjLcdText::GenerateMainCode(ProgramWriter& w) {
  BlockCode c(w, *this);
  c.Header("; LCD -> " + Name);
  const TObjLcdBase* m = FindLcdModule(w.GetProject(), LcdName);
  if (!m) {
    w.GetProject().Messages.ShowMessage(Msg::NoSuchModule, MessageMode::Error, Name, LcdName);
    return;
  }
  const std::string in = c.BitOperand(*in_);
  const std::string fd = Name + "_FD";
  // The input is read once: bit 2 holds this pass's level, bit 0 the level of the pass before.
  w.Comment(in_->Inverted ? "; test of negative edge" : "; test of positiv edge");
  c.OpOn("BCF", fd + ",2");
  w.SkipThen(std::string(SkipIfHigh(*in_)) + " " + in, "BSF " + fd + ",2");
  c.OpOn("BTFSC", fd + ",0");
  c.Goto("_SETFD");
  c.OpOn("BTFSS", fd + ",2");
  c.Goto("_SETFD");

  if (Format != kText || !Text.empty()) WritePosition(w, *m);
  const bool core12 = w.Props().Core12;
  const std::string value = BlockCode::ByteOperand(*value_);
  const bool wide = WritesValue() && w.GetAnalysis().CellExists(value + "_HI");
  auto loadValue = [&] {
    c.OpOn("MOVFW", value);
    c.OpOn("MOVWF", "SYS_TMP4");
    if (wide) {
      c.OpOn("MOVFW", value + "_HI");
      c.OpOn("MOVWF", "SYS_TMP5");
    } else {
      c.OpOn("CLRF", "SYS_TMP5");
    }
    c.Blank();
  };
  switch (Format) {
    case kText:
      if (Text.empty()) {
        CallRoutine(w, m->Routine("_CLR"));
      } else if (!core12) {
        c.Op("MOVLW LOW TAB_" + Name);
        c.OpOn("MOVWF", "SYS_TMP4");
        c.Op("MOVLW HIGH TAB_" + Name);
        c.OpOn("MOVWF", "SYS_TMP5");
        c.Blank();
        CallRoutine(w, m->Routine("_WRITESTR"));
      } else {
        for (const Glyph& g : ParseText(Text)) {
          c.Op("MOVLW " + std::to_string(g.code), std::string("; ") + g.shown);
          CallRoutine(w, m->Routine("_WRITECHAR"));
        }
      }
      break;
    case kDecimal:
      loadValue();
      WriteDecimal(w, *m, wide);
      break;
    case kHex:
      loadValue();
      for (const char* reg : {"SYS_TMP5", "SYS_TMP4"}) {
        if (!wide && reg[7] == '5') continue;
        c.OpOn("SWAPF", std::string(reg) + ",W");
        CallRoutine(w, m->Routine("_CONVERTHEX"));
        c.OpOn("MOVFW", reg);
        CallRoutine(w, m->Routine("_CONVERTHEX"));
      }
      break;
    default:
      loadValue();
      WriteBinary(w, *m, wide);
      break;
  }
  c.Blank();
  w.SelectPage(w.RomCounter());
  c.JumpTarget("_SETFD");
  c.OpOn("BCF", fd + ",0");
  w.SkipThen("BTFSC " + fd + ",2", "BSF " + fd + ",0");
  c.Blank();
}

}  // namespace tolmek
