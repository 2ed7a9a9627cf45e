// The LCD driver routines (4-bit interface: D4..D7 on bits 0..3 of the port, RS on bit 4, E on its own pin)
// and the call of the initialisation.
#include <algorithm>
#include <string>

#include "codegen/program_writer.h"
#include "components/lcd_base.h"
#include "model/project.h"

namespace tolmek {

namespace {

// Writes one module's routines; labels are "LCD_" + module name + suffix.
class LcdDriver {
 public:
  LcdDriver(ProgramWriter& w, const TObjLcdBase& m) : w_(w), m_(m) {
    const bool gpio = w.Props().GpioPorts;
    port_ = TObjLcdBase::PortOperand(m.LcdPort, gpio);
    enable_ = TObjLcdBase::PortOperand(m.EnablePin, gpio);
    rs_ = port_ + ",4";
  }

  void Write();

 private:
  void Op(std::string_view text, std::string_view comment = {}) { w_.Instr(text, comment); }
  void On(std::string_view mnemonic, std::string_view operand, std::string_view comment = {}) {
    w_.InstrOn(mnemonic, operand, comment);
  }
  void Entry(std::string_view suffix) { w_.Label(m_.Routine(suffix)); }
  void Goto(std::string_view suffix, std::string_view comment = {}) { Op("GOTO " + m_.Routine(suffix), comment); }
  // A call inside the driver: the callee leaves any bank selected.
  void Call(std::string_view suffix) {
    Op("CALL " + m_.Routine(suffix));
    w_.ForgetBank();
  }
  void Fast() {
    if (w_.Mcu().ClockHz > 8000000) Op("GOTO $+1");
  }
  void Wdt() {
    if (w_.Mcu().Watchdog) Op("CLRWDT");
  }
  void Pulse(std::string_view highComment = "; write", std::string_view lowComment = {}) {
    On("BSF", enable_, highComment);
    Fast();
    On("BCF", enable_, lowComment);
  }
  void StarBlock() {
    w_.StarLine(51);
    w_.Blank();
  }
  void Init();
  void Clear();
  void GotoXY();
  void WriteString();
  void Decimal();
  void ConvertDecimal();
  void ConvertHex();
  void WriteChar();
  void Out();
  void CheckNull();

  ProgramWriter& w_;
  const TObjLcdBase& m_;
  std::string port_, enable_, rs_;
};

void LcdDriver::Write() {
  w_.StarLine(51);
  w_.Comment("; Subroutines for " + m_.Name);
  w_.StarLine(51);
  w_.Blank();
  w_.ForgetBank();
  // Routines are called with the page of the subroutine section selected.
  w_.SetPageState(w_.RomCounter());
  Init();
  Clear();
  GotoXY();
  if (!w_.Props().Core12) WriteString();
  // On the 12-bit core the output blocks run the digit chain themselves (its stack has two levels).
  if (!w_.Props().Core12) Decimal();
  ConvertDecimal();
  ConvertHex();
  WriteChar();
  Out();
  CheckNull();
  w_.ForgetBank();
}

void LcdDriver::Init() {
  Entry("_INIT");
  On("BCF", rs_, "; ir-register");
  Entry("_L1");
  Call("_OUT4");
  Wdt();
  On("DECFSZ", "SYS_TMP1,F");
  Goto("_L1");
  w_.Blank();
  On("MOVFW", port_);
  Op("ANDLW H'F0'");
  Op("IORLW B'0011'", "; Function Set");
  On("MOVWF", port_);
  w_.Blank();
  Pulse();
  w_.Blank();
  On("BSF", "SYS_TMP1,5", "; wait");
  Entry("_L2");
  Call("_OUT4");
  Wdt();
  On("DECFSZ", "SYS_TMP1,F");
  Goto("_L2");
  w_.Blank();
  for (int i = 0; i < 2; ++i) {
    Pulse();
    w_.Blank();
    Call("_OUT4");
    w_.Blank();
  }
  On("BCF", port_ + ",0", "; 4-Bit Interface");
  Fast();
  w_.Blank();
  Pulse();
  w_.Blank();
  Call("_OUT4");
  w_.Blank();
  Op("MOVLW B'00101000'", "; Function Set 4-Bit,2-Lines");
  Call("_OUT");
  w_.Blank();
  Op("MOVLW B'00001100'", "; Display on, Cursor off, Blink off");
  Call("_OUT");
  w_.Blank();
  Op("MOVLW B'00000110'", "; Entrymode set");
  Call("_OUT");
  w_.Blank();
}

void LcdDriver::Clear() {
  Entry("_CLR");
  On("BCF", rs_, "; ir-register");
  Op("MOVLW B'00000001'", "; Display clear");
  Call("_OUT");
  w_.Blank();
  On("BSF", "SYS_TMP1,5", "; wait");
  Entry("_L3");
  Call("_OUT4");
  Wdt();
  On("DECFSZ", "SYS_TMP1,F");
  Goto("_L3");
  Goto("_OUT4");
  w_.Blank();
  StarBlock();
}

// Column in SYS_TMP1, row in SYS_TMP2: rows 1 and 3 start at H'40', rows 2 and 3 one line length further.
void LcdDriver::GotoXY() {
  Entry("_GOTOXY");
  On("BCF", rs_, "; ir-register");
  Op("MOVLW H'40'");
  w_.SkipThen("BTFSC SYS_TMP2,0", "ADDWF SYS_TMP1,F", {}, "; Ypos");
  if (m_.UsedRows() > 2) {
    Op("MOVLW D'" + std::to_string(m_.UsedColumns()) + "'");
    w_.SkipThen("BTFSC SYS_TMP2,1", "ADDWF SYS_TMP1,F", {}, "; Ypos");
  }
  if (m_.UsedRows() == 1) {
    On("MOVFW", "SYS_TMP1");
    On("MOVWF", "SYS_TMP7");
  }
  On("BSF", "SYS_TMP1,7", "; select dd-ram");
  Goto("_OUT1");
  w_.Blank();
  StarBlock();
}

// The text table's address in SYS_TMP5:SYS_TMP4; the table ends with a 0.
void LcdDriver::WriteString() {
  const bool interrupts = w_.Props().HasInterrupts;
  Entry("_WRITESTR");
  if (m_.UsedRows() != 1) On("BSF", rs_, "; dd-ram");
  Entry("_WRITESTR1");
  Call("_CHAROUT");
  w_.ForgetPage();  // the table jump left PCLATH at the table
  if (interrupts) Op("BSF INTCON,GIE");
  Op("ANDLW H'FF'", "; last is zero");
  Op("BTFSC STATUS,ZERO");
  Op("RETURN");
  w_.Blank();
  On("MOVWF", "SYS_TMP1");
  w_.SelectPage(0, m_.Routine("_OUT1"));
  Wdt();
  if (m_.UsedRows() == 1) {
    On("MOVFW", "SYS_TMP1");
    Call("_WRITECHAR");
  } else {
    Call("_OUT1");
  }
  On("INCFSZ", "SYS_TMP4,F", "; next char");
  Goto("_WRITESTR1");
  On("INCF", "SYS_TMP5,F", "; next page");
  Goto("_WRITESTR1");
  w_.Blank();
  Entry("_CHAROUT");
  if (interrupts) Op("BCF INTCON,GIE");
  On("MOVFW", "SYS_TMP5");
  Op("MOVWF PCLATH");
  On("MOVFW", "SYS_TMP4");
  Op("MOVWF PCL");
  w_.Blank();
  StarBlock();
}

// Value in SYS_TMP5:SYS_TMP4; SYS_TMP9 counts the leading digits still to skip; bit 0 of SYS_TMP10 is set
// once a digit other than 0 was seen (or from the start when zeros are shown).
void LcdDriver::Decimal() {
  for (int d : {10000, 1000, 100, 10}) {
    const std::string n = std::to_string(d);
    Entry("_DEZO" + n);
    w_.Blank();
    Op("MOVLW LOW " + n);
    On("MOVWF", "SYS_TMP1");
    if (d >= 1000) {
      Op("MOVLW HIGH " + n);
      On("MOVWF", "SYS_TMP2");
    } else {
      On("CLRF", "SYS_TMP2");
    }
    w_.Blank();
    Call("_CONVERTDEZ");
    On("MOVF", "SYS_TMP9,F");
    Op("BTFSS STATUS,ZERO");
    Goto("_DEZO" + std::to_string(d / 10));
    Call("_CHECKNULL");
    w_.Blank();
  }
  Entry("_DEZO1");
  Op("MOVLW 48");
  On("ADDWF", "SYS_TMP4,W");
  Goto("_WRITECHAR");
  w_.Blank();
  StarBlock();
}

// Subtracts SYS_TMP2:SYS_TMP1 from SYS_TMP5:SYS_TMP4 as often as it goes; returns the count (the digit) in W.
void LcdDriver::ConvertDecimal() {
  Entry("_CONVERTDEZ");
  On("MOVF", "SYS_TMP9,F");
  w_.SkipThen("BTFSS STATUS,ZERO", "DECF SYS_TMP9,F");
  On("CLRF", "SYS_TMP6");
  Entry("_CONVERTDEZ2");
  On("INCF", "SYS_TMP6,F");
  w_.Blank();
  On("MOVFW", "SYS_TMP1");
  On("SUBWF", "SYS_TMP4,F");
  w_.Blank();
  On("MOVFW", "SYS_TMP2");
  w_.SkipThen("BTFSS STATUS,CARRY", "INCFSZ SYS_TMP2,W");
  On("SUBWF", "SYS_TMP5,F");
  Op("BTFSC STATUS,CARRY");
  Goto("_CONVERTDEZ2");
  w_.Blank();
  On("MOVFW", "SYS_TMP2");
  On("ADDWF", "SYS_TMP5,F");
  On("MOVFW", "SYS_TMP1");
  On("ADDWF", "SYS_TMP4,F");
  w_.SkipThen("BTFSC STATUS,CARRY", "INCF SYS_TMP5,F");
  w_.Blank();
  On("DECF", "SYS_TMP6,W");
  w_.SkipThen("BTFSS STATUS,ZERO", "BSF SYS_TMP10,0");
  Op("RETURN");
  w_.Blank();
  StarBlock();
}

// Nibble in W; runs on into the character output.
void LcdDriver::ConvertHex() {
  Entry("_CONVERTHEX");
  Op("ANDLW 15");
  On("MOVWF", "SYS_TMP1");
  Op("MOVLW 48");
  On("ADDWF", "SYS_TMP1,F");
  Op("MOVLW 58");
  On("SUBWF", "SYS_TMP1,W");
  Op("BTFSS STATUS,CARRY");
  Op("GOTO $+3");
  Op("MOVLW 7");
  On("ADDWF", "SYS_TMP1,F");
  On("MOVFW", "SYS_TMP1");
  w_.Blank();
  StarBlock();
}

// Character in W; a one-row display is addressed as two halves, the second from H'40'. Runs on into _OUT.
void LcdDriver::WriteChar() {
  Entry("_WRITECHAR");
  if (m_.UsedRows() == 1) {
    On("MOVWF", "SYS_TMP8");
    On("INCF", "SYS_TMP7,F");
    Op("MOVLW " + std::to_string(m_.UsedColumns() / 2 + 1));
    On("SUBWF", "SYS_TMP7,W");
    Op("BTFSS STATUS,ZERO");
    Goto("_OUTZ1");
    Op("MOVLW 192", "; set adress to 40h");
    On("BCF", rs_, "; ir");
    Call("_OUT");
    Entry("_OUTZ1");
    On("MOVFW", "SYS_TMP8");
  }
  On("BSF", rs_, "; dd-ram");
  w_.Blank();
  StarBlock();
}

// Byte in W (or from _OUT1 on in SYS_TMP1), written as two nibbles, high first; then the wait.
void LcdDriver::Out() {
  const double clock = w_.Mcu().ClockHz;
  const int q = int(clock / 250000 / 20);
  const int k = q >= 4 ? 7 : 3 + q;
  const std::string flag = "SYS_TMP3," + std::to_string(k);
  Entry("_OUT");
  On("MOVWF", "SYS_TMP1", "; store");
  Entry("_OUT1");
  On("CLRF", "SYS_TMP3", "; LCDWriteStr (first nibble)");
  w_.FallThroughLabel(m_.Routine("_OUT2"));
  On("SWAPF", "SYS_TMP1,W", ";high nibble");
  Entry("_OUT3");
  Op("ANDLW H'0F'", "; mask");
  On("MOVWF", "SYS_TMP2", "; store");
  On("MOVFW", port_, "; load port");
  Op("ANDLW H'F0'", "; mask");
  On("IORWF", "SYS_TMP2,W", "; add cmd");
  On("MOVWF", port_, "; out");
  w_.Blank();
  Pulse("; E high", "; E low");
  w_.Blank();
  On("BTFSC", flag, "; ready ?");
  Goto("_OUT4", "; yes");
  On("BSF", flag, "; second nibble");
  On("MOVFW", "SYS_TMP1");
  Goto("_OUT3", "; next nibble");
  w_.Blank();
  Entry("_OUT4");
  w_.SelectBank("SYS_TMP3");
  if (m_.DelayFactor != 0) {
    const int n = std::min(255, int(clock / 250000) * (m_.DelayFactor + 1));
    Op("MOVLW " + std::to_string(n));
    On("MOVWF", "SYS_TMP3");
  }
  w_.FallThroughLabel(m_.Routine("_OUTV"));
  On("DECFSZ", "SYS_TMP3,F");
  Goto("_OUTV");
  Op("RETURN");
  w_.Blank();
  StarBlock();
}

// The digit (SYS_TMP6 - 1): "0" + digit once a digit other than 0 was seen (or zeros are shown), else a
// blank. The digit is taken from SYS_TMP6 rather than W: a 12-bit core returns with W cleared.
void LcdDriver::CheckNull() {
  Entry("_CHECKNULL");
  On("DECF", "SYS_TMP6,W");
  On("MOVWF", "SYS_TMP1");
  Op("MOVLW 48");
  w_.SkipThen("BTFSC SYS_TMP10,0", "ADDWF SYS_TMP1,F");
  Op("MOVLW 32");
  w_.SkipThen("BTFSS SYS_TMP10,0", "ADDWF SYS_TMP1,F");
  On("MOVFW", "SYS_TMP1");
  Goto("_WRITECHAR");
  w_.Blank();
}

}  // namespace

void TObjLcdBase::GenerateSubroutines(ProgramWriter& w) { LcdDriver(w, *this).Write(); }

void TObjLcdBase::GenerateInitEnd(ProgramWriter& w) {
  w.StarLine(51);
  w.Comment("; Init LCD -> " + Name);
  w.StarLine(51);
  w.SelectPage(0, Routine("_INIT"));
  w.Instr("CALL " + Routine("_INIT"));
  w.ForgetBank();
  w.SelectPage(w.RomCounter());
  w.Blank();
}

}  // namespace tolmek
