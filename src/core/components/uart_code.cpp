// The UART module's initialisation and its part of the interrupt routine.
#include <string>

#include "codegen/program_writer.h"
#include "components/uart.h"
#include "model/project.h"

namespace tolmek {

namespace {

std::string Plus(const std::string& base, int offset) {
  return offset == 0 ? base : base + "+" + std::to_string(offset);
}

}  // namespace

bool TObjUart::WritesCode(const ProgramWriter& w) const { return w.Props().HasUsart && UartType == 0; }

void TObjUart::IndirectBank(ProgramWriter& w, const std::string& buffer) {
  if (w.Props().BankCount <= 2) return;
  const uint8_t mask = w.GetAnalysis().CellBankMask(buffer);
  // IRP selects banks 2 and 3 for FSR.
  w.Instr((mask & 0x0C) && !(mask & 0x03) ? "BSF STATUS,IRP" : "BCF STATUS,IRP", "; FILE INDIREKT");
}

void TObjUart::GenerateInitEnd(ProgramWriter& w) {
  Project& project = w.GetProject();
  if (UartType != 0) project.Messages.ShowMessage(Msg::SoftwareUart, MessageMode::Error, Name);
  if (UseFlags == 0 || !WritesCode(w)) return;
  const BaudSetting baud = Baud(w.Mcu().ClockHz);
  if (!baud.reachable)
    project.Messages.ShowMessage(Msg::BaudUnreachable, MessageMode::Error, Name,
                                 std::to_string(kPresetBauds[RateIndex <= 3 ? RateIndex : 0]) + " Baud");
  w.StarLine(41);
  w.Comment("; initalisize " + Name);
  w.StarLine(41);
  w.Blank();
  w.SelectBank("RCSTA");
  w.Instr("MOVLW B'10010000'", "; serial enable,8-bit,continous-enable");
  w.Instr("MOVWF RCSTA");
  w.Blank();
  w.SelectBank("SPBRG");
  w.Instr("MOVLW " + std::to_string(baud.spbrg));
  w.Instr("MOVWF SPBRG", "; BAUDRATE GENERATOR");
  w.SelectBank("TXSTA");
  if (baud.brgh)
    w.Instr("MOVLW B'00000100'", "; 8-BIT,TRANSMIT DISABLED,ASYNCHRON,BRGH=1=HIGH SPEED");
  else
    w.Instr("MOVLW B'00000000'", "; 8-BIT,TRANSMIT DISABLED,ASYNCHRON,BRGH=0=LOW SPEED");
  w.Instr("MOVWF TXSTA");
  // The transmit interrupt is enabled by a data block for its message only: TXIF stays set while the
  // transmitter is idle, and an enabled TXIE would then interrupt without end.
  if (UseFlags & 2) {
    w.SelectBank("PIE1");
    w.Instr("BSF PIE1,RCIE", "; enable INTERRUPT for receive");
  }
  w.Blank();
  w.Instr("BSF INTCON,PEIE", "; PERIPHERIE INT ENABLE");
  w.Blank();
}

void TObjUart::GenerateInterruptCode(ProgramWriter& w) {
  if (!WritesCode(w) || UseFlags == 0) return;
  w.StarLine(51);
  w.Comment("; UART -> " + Name);
  w.StarLine(51);
  w.Blank();
  w.ForgetBank();
  if (UseFlags & 2) ReceivePart(w);
  w.Blank();
  w.Comment(";" + std::string(57, '-'));
  w.Blank();
  if (UseFlags & 1) TransmitPart(w);
  w.Label(Name + "ENDINT");
}

void TObjUart::ReceivePart(ProgramWriter& w) {
  const std::string in = Name + "INBUF", flag = Name + "RSFLAG";
  w.SelectBank("PIR1");
  w.Instr("BTFSS PIR1,RCIF", "; byte received?");
  w.Instr("GOTO " + Name + ((UseFlags & 1) ? "CHKTX" : "ENDINT"), "; no");
  w.Blank();
  w.SelectBank("RCSTA");
  w.Instr("MOVFW RCSTA", "; error ?");
  w.Instr("ANDLW B'110'");
  w.Instr("BTFSS STATUS,ZERO");
  w.Instr("GOTO " + Name + "RCERROR", "; yes");
  w.Blank();
  w.SelectBank(in);
  w.Instr("MOVFW " + Plus(in, 1), "; all received ? ");
  w.Instr("BTFSC STATUS,ZERO", "; length =0 ?");
  w.Instr("GOTO " + Name + "RCINT2", "; yes");
  w.Blank();
  IndirectBank(w, in);
  w.Instr("MOVFW " + in);
  w.Instr("MOVWF FSR");
  w.Instr("INCF " + in + ",F", "; pointer+1");
  w.Blank();
  w.SelectBank("RCREG");
  w.Instr("MOVFW RCREG", "; store");
  w.Instr("MOVWF INDF");
  w.SelectBank(in);
  if (WithChecksum) w.Instr("ADDWF " + Plus(in, 2) + ",F", "; checksum");
  w.Instr("DECFSZ " + Plus(in, 1) + ",F", "; length-1");
  w.Instr("GOTO EXITINT");
  w.Blank();
  // The checksum byte was added like a data byte: take it out again.
  if (WithChecksum) w.Instr("SUBWF " + Plus(in, 2) + ",F", "; checksum");
  w.InstrOn("BSF", flag + ",0", "; ready");
  w.Instr("GOTO EXITINT");
  w.Blank();
  w.Label(Name + "RCINT2");
  w.SelectBank("RCREG");
  w.Instr("MOVFW RCREG", "; trash");
  w.Instr("GOTO EXITINT");
  w.Blank();
  w.Label(Name + "RCERROR");
  w.SelectBank("RCREG");
  w.Instr("MOVFW RCREG", "; reset error status");
  w.Instr("BCF RCSTA,CREN");
  w.Instr("BSF RCSTA,CREN");
  w.InstrOn("BSF", flag + ",1", "; error");
  w.Instr("GOTO EXITINT");
}

void TObjUart::TransmitPart(ProgramWriter& w) {
  const std::string out = Name + "OUTBUF", flag = Name + "RSFLAG";
  const std::string dir = HalfDuplex ? PinSignalName(DirPin) : std::string();
  w.Label(Name + "CHKTX");
  w.SelectBank("PIR1");
  w.Instr("BTFSS PIR1,TXIF", "; send byte ?");
  w.Instr("GOTO " + Name + "ENDINT", "; no");
  w.Blank();
  if (HalfDuplex) w.InstrOn("BSF", dir, "; set dir");
  w.SelectBank(out);
  w.Instr("MOVFW " + Plus(out, 1), "; all transmitted ? ");
  w.Instr("BTFSC STATUS,ZERO");
  w.Instr("GOTO " + Name + "TXINT1");
  w.Blank();
  IndirectBank(w, out);
  w.Instr("MOVFW " + out, "; pointer");
  w.Instr("INCF " + out + ",F", "; pointer+1");
  w.Instr("MOVWF FSR");
  w.Instr("MOVFW INDF", "; data");
  w.SelectBank("TXREG");
  w.Instr("MOVWF TXREG", "; Transmit Register");
  w.Blank();
  w.SelectBank(out);
  w.Instr("DECF " + Plus(out, 1) + ",F", "; length-1");
  w.Instr("GOTO EXITINT", "; that's all");
  w.Blank();
  w.Label(Name + "TXINT1");
  w.SelectBank("TXSTA");
  w.Instr("BTFSS TXSTA,TRMT", "; last byte transmitted ?");
  w.Instr("GOTO EXITINT", "; no");
  w.Blank();
  w.Instr("BCF TXSTA,TXEN", "; transmitter off");
  w.SelectBank("PIE1");
  w.Instr("BCF PIE1,TXIE", "; no more transmit interrupts");
  if (HalfDuplex) w.InstrOn("BCF", dir, "; set dir");
  w.Blank();
  w.InstrOn("BSF", flag + ",2", "; ready");
  w.Instr("GOTO EXITINT");
  w.Blank();
}

}  // namespace tolmek
