// The generated code of the EEPROM module: the write on an edge, the read at start-up, the shared routines.
//
// Every variable is moved by itself (direct addressing), so the list may name variables of any bank in any
// order; the EEPROM holds the checksum byte first (when asked for) and then the variables in list order.
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "codegen/analysis.h"
#include "components/block_code.h"
#include "components/block_support.h"
#include "components/ee.h"
#include "model/project.h"

namespace tolmek {

namespace {

constexpr int kWriteAttempts = 3;  // writes of one byte when the read-back differs

bool InterruptsOn(const Analysis& a) {
  return a.NeedsTimerInterrupt || a.NeedsTimerHigh || a.NeedsPortBChange || a.NeedsUartInterrupt ||
         a.NeedsWakeInterrupt;
}

void Box(ProgramWriter& w, const std::string& title) {
  w.Blank();
  w.StarLine(51);
  w.Comment(title);
  w.StarLine(51);
  w.Blank();
}

}  // namespace

bool TObjEE::Usable(ProgramWriter& w) const {
  const ProcessorProps& p = w.Props();
  if (!EeExternal) {
    if (p.HasDataEeprom) return true;
    ReportMissingPart(w, "EE-Prom", Name);
    return false;
  }
  for (const std::string* pin : {&EeSdaPin, &EeSclPin}) {
    const size_t dot = pin->find('.');
    if (dot == std::string::npos || dot == 0 || pin->size() != dot + 2 || (*pin)[dot + 1] < '0' ||
        (*pin)[dot + 1] > '7') {
      if (!PreviewRun(w)) w.GetProject().Messages.ShowMessage(Msg::NoBitName, MessageMode::Error, Name, *pin);
      return false;
    }
    const std::string reg = pin->substr(0, dot);
    const bool builtIn = *pin == p.SerialEepromSda || *pin == p.SerialEepromScl;
    const bool port = reg.size() == 2 && reg[0] == 'R' && p.HasPort(reg[1]);
    const bool gpio = (reg == "GP" || reg == "GPIO") && p.GpioPorts;
    if (!builtIn && !port && !gpio) {
      ReportMissingPart(w, *pin, Name);
      return false;
    }
  }
  return true;
}

// The first module of the list that writes the shared routines of its kind of EEPROM.
bool TObjEE::FirstOfItsKind(ProgramWriter& w) const {
  for (const auto& e : w.GetProject().Elements()) {
    if (e->Kind != kind::EE) continue;
    const auto& other = static_cast<const TObjEE&>(*e);
    if (other.EeVariables.empty() || other.EeExternal != EeExternal) continue;
    return &other == this;
  }
  return false;
}

// A call of a routine that leaves any bank selected.
void TObjEE::CallRoutine(ProgramWriter& w, const std::string& label) const {
  w.SelectPage(0, label);
  w.Instr("CALL " + label);
  w.ForgetBank();
}

void TObjEE::GenerateMainCode(ProgramWriter& w) {
  if (EeVariables.empty() || !Usable(w)) return;
  BlockCode c(w, *this);
  c.Header("; EE-Modul -> " + Name);
  const std::string in = c.BitOperand(*in_);
  const std::string fd = Name + "_FD";
  // One reading of the input decides the edge and keeps the edge memory.
  w.Comment(in_->Inverted ? "; Test of falling edge" : "; Test of rising edge");
  c.OpOn(SkipIfLow(*in_), in);
  c.Goto("_SETFD");
  c.OpOn("BTFSC", fd + ",0");
  c.Goto("_EXIT");
  c.OpOn("BSF", fd + ",0");
  CallRoutine(w, "WRITE_" + Name);
  w.SelectPage(w.RomCounter());
  c.Goto("_EXIT");
  c.JumpTarget("_SETFD");
  c.OpOn("BCF", fd + ",0", "; input inactive: wait for the next edge");
  c.JumpTarget("_EXIT");
  c.Blank();
}

void TObjEE::GenerateInitEnd(ProgramWriter& w) {
  if (EeVariables.empty() || !Usable(w)) return;
  w.SelectPage(0, "READ_" + Name);
  w.Instr("CALL READ_" + Name, EeExternal ? "; read vars from external EE" : "; read vars from internal EE");
  w.ForgetBank();
  w.SelectPage(w.RomCounter());
}

void TObjEE::GenerateSubroutines(ProgramWriter& w) {
  if (EeVariables.empty() || !Usable(w)) return;
  if (EeExternal) {
    const bool first = FirstOfItsKind(w);
    if (first && w.Props().Core12) WriteExternalEntries(w);
    WriteExternalModule(w);
    if (first) WriteExternalRoutines(w);
  } else {
    if (FirstOfItsKind(w)) WriteInternalRoutines(w);
    WriteInternalModule(w);
    w.GetAnalysis().NeedsEepromData = true;
  }
}

// EEINT_WRITE writes W to the address in EEADR, EEINT_READ reads it into W; both advance EEADR.
void TObjEE::WriteInternalRoutines(ProgramWriter& w) const {
  const ProcessorProps& p = w.Props();
  const Analysis& a = w.GetAnalysis();
  bool verify = false;
  for (const auto& e : w.GetProject().Elements())
    if (e->Kind == kind::EE && !static_cast<const TObjEE&>(*e).EeExternal && static_cast<const TObjEE&>(*e).EeVerify)
      verify = true;
  const bool watchdog = w.Mcu().Watchdog != 0;

  Box(w, "; internal EE-Prom: write W, read into W");
  w.Label("EEINT_WRITE");
  w.InstrOn("MOVWF", "SYS_TMP1", "; data");
  if (verify) {
    w.Instr("MOVLW " + std::to_string(kWriteAttempts), "; attempts");
    w.InstrOn("MOVWF", "SYS_TMP3");
  }
  w.Label("EEINT_WRITE_0");
  w.InstrOn("MOVFW", "SYS_TMP1");
  w.InstrOn("MOVWF", "EEDATA");
  if (p.HasEepromAddressHigh) w.InstrOn("BCF", "EECON1,EEPGD", "; data memory");
  w.InstrOn("BSF", "EECON1,WREN");
  if (p.HasInterrupts) {
    w.Label("EEINT_DISINT");
    w.Instr("BCF INTCON,GIE");
    w.Instr("BTFSC INTCON,GIE");
    w.Instr("GOTO EEINT_DISINT");
  }
  w.Instr("MOVLW H'55'");
  w.InstrOn("MOVWF", "EECON2");
  w.Instr("MOVLW H'AA'");
  w.InstrOn("MOVWF", "EECON2");
  w.InstrOn("BSF", "EECON1,WR", "; start write");
  if (p.HasInterrupts && InterruptsOn(a)) w.Instr("BSF INTCON,GIE");
  w.Label("EEINT_WRITE_1");
  if (watchdog) w.Instr("CLRWDT");
  w.InstrOn("BTFSC", "EECON1,WR", "; ready ?");
  w.Instr("GOTO EEINT_WRITE_1", "; no");
  w.InstrOn("BCF", "EECON1,WREN");
  if (verify) {
    w.InstrOn("BSF", "EECON1,RD", "; Verify");
    w.InstrOn("MOVFW", "EEDATA", "; compare");
    w.InstrOn("SUBWF", "SYS_TMP1,W");
    w.Instr("BTFSC STATUS,ZERO");
    w.Instr("GOTO EEINT_WRITE_2");
    w.InstrOn("DECFSZ", "SYS_TMP3,F", "; again, a few times");
    w.Instr("GOTO EEINT_WRITE_0");
  }
  w.Label("EEINT_WRITE_2");
  w.InstrOn("INCF", "EEADR,F");
  w.Instr("RETURN");
  w.Blank();
  w.Label("EEINT_READ");
  if (p.HasEepromAddressHigh) w.InstrOn("BCF", "EECON1,EEPGD", "; data memory");
  w.InstrOn("BSF", "EECON1,RD");
  w.InstrOn("INCF", "EEADR,F");
  w.InstrOn("MOVFW", "EEDATA");
  w.Instr("RETURN");
}

void TObjEE::WriteInternalModule(ProgramWriter& w) const {
  const ProcessorProps& p = w.Props();
  const int start = StartAddress();
  const int first = start + (EeChecksum ? 1 : 0);
  auto setAddress = [&](int address) {
    w.Instr("MOVLW " + std::to_string(address), "; EE-Prom address");
    w.InstrOn("MOVWF", "EEADR");
    if (p.HasEepromAddressHigh) w.InstrOn("CLRF", "EEADRH");
  };

  Box(w, "; EE-Modul -> " + Name);
  w.Label("WRITE_" + Name);
  setAddress(first);
  if (EeChecksum) w.InstrOn("CLRF", "SYS_TMP2", "; checksum");
  for (const std::string& var : EeVariables) {
    w.SelectPage(0, "EEINT_WRITE");
    w.InstrOn("MOVFW", var);
    if (EeChecksum) w.InstrOn("ADDWF", "SYS_TMP2,F");
    w.Instr("CALL EEINT_WRITE");
    w.ForgetBank();
  }
  if (EeChecksum) {
    // Written last: a write cut short leaves a checksum that does not match.
    setAddress(start);
    w.SelectPage(0, "EEINT_WRITE");
    w.InstrOn("MOVFW", "SYS_TMP2", "; write checksum");
    w.Instr("CALL EEINT_WRITE");
  }
  w.Instr("RETURN");

  Box(w, "; EE-Modul -> " + Name);
  w.Label("READ_" + Name);
  if (EeChecksum) {
    setAddress(start);
    CallRoutine(w, "EEINT_READ");
    w.InstrOn("MOVWF", "SYS_TMP1", "; checksum adress");
    w.InstrOn("CLRF", "SYS_TMP2", "; checksum");
    w.Instr("MOVLW " + std::to_string(EeVariables.size()), "; counter");
    w.InstrOn("MOVWF", "SYS_TMP3");
    w.Label("READ_" + Name + "CHECK");
    CallRoutine(w, "EEINT_READ");
    w.SelectPage(w.RomCounter());
    w.InstrOn("ADDWF", "SYS_TMP2,F");
    w.InstrOn("DECFSZ", "SYS_TMP3,F");
    w.Instr("GOTO READ_" + Name + "CHECK");
    w.InstrOn("MOVFW", "SYS_TMP1");
    w.InstrOn("SUBWF", "SYS_TMP2,W");
    w.Instr("BTFSS STATUS,ZERO");
    w.Instr("RETURN", "; error");
  }
  setAddress(first);
  for (const std::string& var : EeVariables) {
    CallRoutine(w, "EEINT_READ");
    w.InstrOn("MOVWF", var);
  }
  w.Instr("RETURN");
}


// ---- The serial EEPROM: a start, the control byte, the address, the data or a restart and a read, a stop.
namespace {

constexpr int kTransferAttempts = 3;  // transfers tried before a missing acknowledge is given up
constexpr int kWriteTimeMs = 10;      // the serial EEPROM's longest write cycle

// One of the two bus lines. A line on a port is released to let the pull-up take it high and driven low
// through its direction bit; the built-in EEPROMs (EEINTF, GPIO 6 and 7) are written directly.
struct BusLine {
  std::string port;  // "PORTB", "GPIO", "EEINTF"
  std::string bit;   // "1"
  bool direct = false;
  std::string tris;  // "TRISB", "TRISIO"; 12-bit: the RAM copy loaded by the TRIS instruction
  std::string trisOperand;  // 12-bit: operand of the TRIS instruction ("PORTB", "GPIO")
  int portIndex = 0;        // port image index (0 = port A or GPIO)
};

BusLine ParseLine(const ProcessorProps& p, const std::string& pinName) {
  BusLine l;
  const size_t dot = pinName.find('.');
  const std::string reg = pinName.substr(0, dot);
  l.bit = dot == std::string::npos ? "0" : pinName.substr(dot + 1);
  const bool builtIn = pinName == p.SerialEepromSda || pinName == p.SerialEepromScl;
  if (reg == "EEINTF" || builtIn) {
    l.port = reg == "GP" ? "GPIO" : reg;
    l.direct = true;
    return l;
  }
  if (reg == "GP" || reg == "GPIO") {
    l.port = "GPIO";
    l.portIndex = 0;
    l.tris = p.Core12 ? "SYS_TRISGP" : "TRISIO";
    l.trisOperand = "GPIO";
    return l;
  }
  const char letter = reg.size() == 2 && reg[0] == 'R' ? reg[1] : 'A';
  l.port = std::string("PORT") + letter;
  l.portIndex = letter - 'A';
  l.tris = p.Core12 ? std::string("SYS_TRIS") + letter : std::string("TRIS") + letter;
  l.trisOperand = l.port;
  return l;
}

class BusWriter {
 public:
  BusWriter(ProgramWriter& w, const TObjEE& ee)
      : w_(w), sda_(ParseLine(w.Props(), ee.EeSdaPin)), scl_(ParseLine(w.Props(), ee.EeSclPin)) {}

  void Sda(bool high) { Set(sda_, high, high ? "; SDA high" : "; SDA low"); }
  void Scl(bool high) { Set(scl_, high, high ? "; SCL high" : "; SCL low"); }
  // Skips the next instruction when SDA reads `level`.
  void SkipIfSda(bool level) { w_.InstrOn(level ? "BTFSS" : "BTFSC", sda_.port + "," + sda_.bit, "; SDA"); }

  // d microseconds at the set clock.
  void Delay(int d) {
    const long m = std::lround(w_.Mcu().ClockHz / 1000000.0);
    const long b = d * (m < 1 ? 1 : m);
    w_.Comment("; Delay " + std::to_string(d) + "\xb5");
    for (long i = 0; i < b / 8; ++i) w_.Instr("GOTO $+1");
    for (long i = 0; i < b / 4 - 2 * (b / 8); ++i) w_.Instr("NOP");
  }

  // Keeps SCL low for the bus's 4.7 µs when `spent` instruction cycles already pass between the SCL low and
  // the next SCL high; at 4 MHz most places need nothing.
  void LowTime(int spent) {
    const long needed = std::lround(std::ceil(4.7e-6 * w_.Mcu().ClockHz / 4.0)) - spent;
    if (needed <= 0) return;
    w_.Comment("; SCL low time");
    for (long i = 0; i < needed / 2; ++i) w_.Instr("GOTO $+1");
    if (needed % 2) w_.Instr("NOP");
  }

  // Also the repeated start behind an acknowledge, where SCL was low for a few cycles only.
  void Start() {
    Sda(true);
    LowTime(5);
    Scl(true);
    Delay(5);
    Sda(false);
    Delay(4);
    Scl(false);
  }

  void Stop() {
    Sda(false);
    Delay(4);
    Scl(true);
    Delay(4);
    Sda(true);
    Delay(5);
  }

  // Shifts W out, most significant bit first, and checks the acknowledge (to EEEXT_NOACK when missing).
  void OutByte(const std::string& tag) {
    const std::string loop = "EEEXT_OB" + tag, high = loop + "H", clock = loop + "C";
    w_.InstrOn("MOVWF", "SYS_TMP2");
    w_.Instr("MOVLW 8");
    w_.InstrOn("MOVWF", "SYS_TMP1");
    w_.Label(loop);
    w_.InstrOn("RLF", "SYS_TMP2,F");
    w_.Instr("BTFSC STATUS,CARRY");
    w_.Instr("GOTO " + high);
    Sda(false);
    w_.Instr("GOTO " + clock);
    w_.Label(high);
    Sda(true);
    w_.Label(clock);
    LowTime(10);
    Scl(true);
    Delay(4);
    Scl(false);
    w_.InstrOn("DECFSZ", "SYS_TMP1,F");
    w_.Instr("GOTO " + loop);
    w_.Comment(";*********  Acknowledge Check ************");
    Sda(true);
    LowTime(3);
    Scl(true);
    Delay(4);
    SkipIfSda(false);
    w_.Instr("GOTO EEEXT_NOACK");
    Scl(false);
  }

  // 12-bit parts: the RAM copies of the directions start from the port image.
  void LoadDirectionCopies() {
    if (!w_.Props().Core12) return;
    for (const BusLine* l : {&sda_, &scl_}) {
      if (l->direct || std::find(loaded_.begin(), loaded_.end(), l->tris) != loaded_.end()) continue;
      loaded_.push_back(l->tris);
      w_.Instr("MOVLW B'" + w_.PortDirection(l->portIndex) + "'");
      w_.InstrOn("MOVWF", l->tris);
    }
  }

 private:
  void Set(const BusLine& l, bool high, const char* comment) {
    const std::string bit = "," + l.bit;
    if (l.direct) {
      w_.InstrOn(high ? "BSF" : "BCF", l.port + bit, comment);
      return;
    }
    if (!high) w_.InstrOn("BCF", l.port + bit);
    if (w_.Props().Core12) {
      w_.InstrOn(high ? "BSF" : "BCF", l.tris + bit);
      w_.InstrOn("MOVFW", l.tris);
      w_.Instr("TRIS " + l.trisOperand, comment);
    } else {
      w_.InstrOn(high ? "BSF" : "BCF", l.tris + bit, comment);
    }
  }

  ProgramWriter& w_;
  BusLine sda_, scl_;
  std::vector<std::string> loaded_;
};

}  // namespace

// A 12-bit CALL reaches only the first 256 words of a page: the routines are entered through jumps placed
// at the start of the subroutines.
std::string TObjEE::EntryLabel(const ProgramWriter& w, const std::string& label) {
  return w.Props().Core12 ? label + "_BODY" : label;
}

void TObjEE::WriteExternalEntries(ProgramWriter& w) const {
  std::vector<std::string> labels = {"EEEXT_WRITE", "EEEXT_READ"};
  for (const auto& e : w.GetProject().Elements()) {
    if (e->Kind != kind::EE) continue;
    const auto& other = static_cast<const TObjEE&>(*e);
    if (!other.EeExternal || other.EeVariables.empty() || !other.Usable(w)) continue;
    labels.push_back("WRITE_" + other.Name);
    labels.push_back("READ_" + other.Name);
  }
  Box(w, "; external EE-Prom: entries");
  for (const std::string& label : labels) {
    w.Label(label);
    w.SelectPage(0, label + "_BODY");
    w.Instr("GOTO " + label + "_BODY");
  }
}

std::vector<std::string> TObjEE::DirectionCopies(const ProcessorProps& p) const {
  std::vector<std::string> names;
  if (!p.Core12) return names;
  for (const std::string* pin : {&EeSdaPin, &EeSclPin}) {
    const BusLine l = ParseLine(p, *pin);
    if (!l.direct && std::find(names.begin(), names.end(), l.tris) == names.end()) names.push_back(l.tris);
  }
  return names;
}

// EEEXT_WRITE writes SYS_TMP5 to the address SYS_TMP4, EEEXT_READ reads it into SYS_TMP5; SYS_TMP6 holds the
// bus address shifted into place. Bit 7 of SYS_TMP3 tells a transfer given up after missing acknowledges.
// No routine calls another: the 12-bit parts have two stack levels only.
void TObjEE::WriteExternalRoutines(ProgramWriter& w) const {
  bool verify = false;
  for (const auto& e : w.GetProject().Elements())
    if (e->Kind == kind::EE && static_cast<const TObjEE&>(*e).EeExternal && static_cast<const TObjEE&>(*e).EeVerify)
      verify = true;
  const bool watchdog = w.Mcu().Watchdog != 0;
  BusWriter bus(w, *this);

  Box(w, "; external EE-Prom");
  w.Label(EntryLabel(w, "EEEXT_WRITE"));
  w.InstrOn("CLRF", "SYS_TMP3", "; write");
  w.Instr("GOTO EEEXT0");
  w.Label(EntryLabel(w, "EEEXT_READ"));
  w.Instr("MOVLW 1", "; read");
  w.InstrOn("MOVWF", "SYS_TMP3");
  w.Label("EEEXT0");
  bus.LoadDirectionCopies();
  w.Instr("MOVLW " + std::to_string(kTransferAttempts), "; attempts");
  w.InstrOn("MOVWF", "SYS_TMP7");
  w.Label("EEEXT_AGAIN");
  if (watchdog) w.Instr("CLRWDT");
  w.InstrOn("BCF", "SYS_TMP3,7");
  w.Comment(";************************** Start *****************************");
  bus.Start();
  w.Instr("MOVLW B'10100000'", "; write control");
  w.InstrOn("IORWF", "SYS_TMP6,W", "; slave adress");
  bus.OutByte("1");
  w.InstrOn("MOVFW", "SYS_TMP4", "; contains adress");
  bus.OutByte("2");
  w.InstrOn("BTFSC", "SYS_TMP3,0");
  w.Instr("GOTO EEEXT_RD");
  w.InstrOn("MOVFW", "SYS_TMP5", "; contains data");
  bus.OutByte("3");
  bus.Stop();
  // Wait for the write cycle.
  const double cycles = kWriteTimeMs / 1000.0 * w.Mcu().ClockHz / 4.0;
  const int perPass = watchdog ? 4 : 3;
  const long outer = std::max(1L, std::min(255L, long(cycles / (256.0 * perPass + 3)) + 1));
  w.Instr("MOVLW " + std::to_string(outer), "; write time");
  w.InstrOn("MOVWF", "SYS_TMP1");
  w.InstrOn("CLRF", "SYS_TMP2");
  w.Label("EEEXT_WAIT");
  if (watchdog) w.Instr("CLRWDT");
  w.InstrOn("DECFSZ", "SYS_TMP2,F");
  w.Instr("GOTO EEEXT_WAIT");
  w.InstrOn("DECFSZ", "SYS_TMP1,F");
  w.Instr("GOTO EEEXT_WAIT");
  if (verify) {
    w.Instr("MOVLW 3", "; read back");
    w.InstrOn("IORWF", "SYS_TMP3,F");
    w.Instr("GOTO EEEXT_AGAIN");
  } else {
    w.Instr("RETURN");
  }

  w.Label("EEEXT_RD");
  bus.Start();
  w.Instr("MOVLW B'10100001'", "; init read");
  w.InstrOn("IORWF", "SYS_TMP6,W");
  bus.OutByte("4");
  bus.Sda(true);
  w.Instr("MOVLW 8", "; set counter");
  w.InstrOn("MOVWF", "SYS_TMP1");
  bus.LowTime(4);
  w.Label("EEEXT_RD0");
  bus.Scl(true);
  bus.Delay(4);
  w.Instr("BCF STATUS,CARRY");
  bus.SkipIfSda(false);
  w.Instr("BSF STATUS,CARRY");
  w.InstrOn("RLF", "SYS_TMP2,F");
  bus.Scl(false);
  bus.Delay(4);
  w.InstrOn("DECFSZ", "SYS_TMP1,F");
  w.Instr("GOTO EEEXT_RD0");
  bus.Sda(true);  // no acknowledge: the last byte
  bus.Scl(true);
  bus.Delay(4);
  bus.Scl(false);
  w.Comment(";*************  Generate a STOP bit and RETURN  ***********");
  bus.Stop();
  if (verify) {
    w.InstrOn("BTFSS", "SYS_TMP3,1", "; verifying ?");
    w.Instr("GOTO EEEXT_RDDONE");
    w.InstrOn("MOVFW", "SYS_TMP2");
    w.InstrOn("SUBWF", "SYS_TMP5,W");
    w.Instr("BTFSC STATUS,ZERO");
    w.Instr("RETURN");
    w.InstrOn("CLRF", "SYS_TMP3", "; write again");
    w.InstrOn("DECFSZ", "SYS_TMP7,F");
    w.Instr("GOTO EEEXT_AGAIN");
    w.InstrOn("BSF", "SYS_TMP3,7", "; given up");
    w.Instr("RETURN");
  }
  w.Label("EEEXT_RDDONE");
  w.InstrOn("MOVFW", "SYS_TMP2");
  w.InstrOn("MOVWF", "SYS_TMP5");
  w.Instr("RETURN");

  w.Label("EEEXT_NOACK");
  bus.Scl(false);
  bus.Stop();
  w.InstrOn("DECFSZ", "SYS_TMP7,F", "; again");
  w.Instr("GOTO EEEXT_AGAIN");
  w.InstrOn("BSF", "SYS_TMP3,7", "; given up: the variables stay as they are");
  w.Instr("RETURN");
}

void TObjEE::WriteExternalModule(ProgramWriter& w) const {
  const int start = StartAddress();
  const int first = start + (EeChecksum ? 1 : 0);
  // Serial EEPROMs of up to 2 KB take one address byte; the address bits above it go into the control
  // byte, in the place of the address pins (a 24C16 has none, a 24C04 two).
  auto blockBits = [&](int address) {
    w.Instr("MOVLW " + std::to_string(((EeBusAddress + (address >> 8)) & 7) * 2), "; bus address");
    w.InstrOn("MOVWF", "SYS_TMP6");
  };
  auto setup = [&](int address) {
    blockBits(address);
    w.Instr("MOVLW " + std::to_string(address & 0xFF), "; EE-Prom address");
    w.InstrOn("MOVWF", "SYS_TMP4");
  };
  // From `address` to the next one.
  auto next = [&](int address) {
    w.InstrOn("INCF", "SYS_TMP4,F", "; next adress");
    if (((address + 1) & 0xFF) == 0) blockBits(address + 1);
  };
  auto transfer = [&](const char* routine) {
    CallRoutine(w, routine);
    w.InstrOn("BTFSC", "SYS_TMP3,7");
    w.Instr("RETURN", "; no acknowledge");
  };

  Box(w, "; EE-Modul -> " + Name);
  w.Label(EntryLabel(w, "WRITE_" + Name));
  setup(first);
  if (EeChecksum) w.InstrOn("CLRF", "SYS_TMP8", "; checksum");
  for (size_t i = 0; i < EeVariables.size(); ++i) {
    w.InstrOn("MOVFW", EeVariables[i]);
    w.InstrOn("MOVWF", "SYS_TMP5");
    if (EeChecksum) w.InstrOn("ADDWF", "SYS_TMP8,F");
    transfer("EEEXT_WRITE");
    if (i + 1 < EeVariables.size()) next(first + int(i));
  }
  if (EeChecksum) {
    setup(start);
    w.InstrOn("MOVFW", "SYS_TMP8", "; write checksum");
    w.InstrOn("MOVWF", "SYS_TMP5");
    CallRoutine(w, "EEEXT_WRITE");
  }
  w.Instr("RETURN");

  Box(w, "; EE-Modul -> " + Name);
  w.Label(EntryLabel(w, "READ_" + Name));
  if (EeChecksum) {
    setup(start);
    transfer("EEEXT_READ");
    w.InstrOn("MOVFW", "SYS_TMP5", "; checksum");
    w.InstrOn("MOVWF", "SYS_TMP8");
    for (size_t i = 0; i < EeVariables.size(); ++i) {
      next(start + int(i));
      transfer("EEEXT_READ");
      w.InstrOn("MOVFW", "SYS_TMP5");
      w.InstrOn("SUBWF", "SYS_TMP8,F");
    }
    w.InstrOn("MOVF", "SYS_TMP8,F");
    w.Instr("BTFSS STATUS,ZERO");
    w.Instr("RETURN", "; error");
  }
  setup(first);
  for (size_t i = 0; i < EeVariables.size(); ++i) {
    transfer("EEEXT_READ");
    w.InstrOn("MOVFW", "SYS_TMP5");
    w.InstrOn("MOVWF", EeVariables[i]);
    if (i + 1 < EeVariables.size()) next(first + int(i));
  }
  w.Instr("RETURN");
}

}  // namespace tolmek
