// The frame of the generated program: header, directives, equates, reset code, initialisation, main loop, tail.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <string_view>

#include "codegen/call_depth.h"
#include "codegen/config_word.h"
#include "codegen/program_writer.h"
#include "components/registry.h"
#include "model/project.h"

namespace tolmek {
namespace {

std::string TwoHex(int v) {
  char buf[8];
  std::snprintf(buf, sizeof buf, "%02X", v & 0xFF);
  return buf;
}

std::string FormatDate(const DateTime& t, int second) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%02d.%02d.%04d %02d:%02d:%02d", t.day, t.month, t.year, t.hour, t.minute, second);
  return buf;
}

std::string NowText() {
  const std::time_t now = std::chrono::system_clock::to_time_t(std::chrono::system_clock::now());
  std::tm tm{};
  localtime_r(&now, &tm);
  DateTime t{tm.tm_mday, tm.tm_mon + 1, tm.tm_year + 1900, tm.tm_hour, tm.tm_min};
  return FormatDate(t, tm.tm_sec);
}

// The lettered ports a part has, in the order the initialisation writes them.
constexpr std::string_view kPortLetters = "ABCDE";

}  // namespace

bool ProgramWriter::Pass(GenerationResult& result) {
  analysis_.RunAnalysis(true);
  ResetPassState();
  WriteHeader();
  WriteProcessorPart();
  WriteEquates();
  BuildPortImage();
  if (result.Passes == 0) {
    for (const BitRecord& r : analysis_.BitNames()) {
      if (r.Kind != kind::OutputPin || !props().GpioPorts || r.ByteName != "GP") continue;
      if (r.Bit == 3) project_.Messages.ShowMessage(Msg::Gp3InputOnly);
      if (r.Bit > 5 && r.Bit < 8 && props().EepromSize == 0)
        project_.Messages.ShowMessage(Msg::PinMissing, MessageMode::Error, "GP." + std::to_string(r.Bit));
    }
    if (analysis_.UsesAdc && !props().HasAdc) project_.Messages.ShowMessage(Msg::NoAdc);
  }
  out_.RomCounter = 0;
  ForgetBank();
  ForgetPage();
  Directive("ERRORLEVEL -302", "; disable warning (Bankswitching)");
  Directive("ERRORLEVEL -306", "; disable warning (Pageswitching)");
  WriteResetCode();
  WriteInterruptSection();
  WriteSubroutineSection();
  WriteInitialisation();
  WriteMainHead();
  bool tooLong = false;
  const bool again = WriteMainLoop(result) && !(tooLong = result.OutOfRom);
  WriteTail();
  WriteReachErrors(result);
  CheckCallDepth(result);
  Blank();
  Directive("END");
  Blank();
  if (tooLong || out_.RomCounter > props().RomSize) {
    result.OutOfRom = true;
    project_.Messages.ShowMessage(Msg::OutOfRom);
    return false;
  }
  return again;
}

void ProgramWriter::WriteHeader() {
  const ProjectInfo& info = project_.Info;
  auto line = [&](const std::string& text) {
    Comment(text);
    Blank();
  };
  line("; Source created with Tolmek Version 3.x");
  Comment("; at              : " + NowText());
  Blank();
  Blank();
  line("; Project File    : " + project_.ProjectFileName);
  line("; Project Version : " + std::to_string(info.MajorVersion) + "." + std::to_string(info.MinorVersion) + "." +
       std::to_string(info.BuildNumber));
  line("; Created         : " + FormatDate(info.CreatedAt, 0));
  line("; Last change     : " + FormatDate(info.ChangedAt, 0));
}

void ProgramWriter::WriteProcessorPart() {
  const McuSettings& m = project_.Mcu;
  const int type = props().Type;
  auto directive = [&](const std::string& text) {
    Directive(text);
    Blank();
  };
  directive("PROCESSOR " + std::string(ProcessorName(type)));
  directive("INCLUDE " + std::string(ProcessorInclude(type)));
  directive("RADIX DEC");
  directive("__IDLOCS H'" + TwoHex(project_.Info.MajorVersion) + TwoHex(project_.Info.MinorVersion) + "'");
  ConfigChoices c;
  c.Oscillator = m.Oscillator;
  c.Watchdog = m.Watchdog;
  c.PowerUpTimer = m.PowerUpTimer;
  c.BrownOut = m.BrownOut;
  c.CodeProtect = m.CodeProtect;
  c.Mclre = m.Mclre;
  directive("__CONFIG " + ConfigExpression(type, c));
}

void ProgramWriter::WriteEquates() {
  const std::string& sep = out_.Separator;
  Comment("; Diverses");
  out_.Line("ZERO" + sep + "EQU Z" + sep + "; ZERO-Flag");
  out_.Line("CARRY" + sep + " EQU C" + sep + "; CARRY-Flag");
  if (props().Core12) out_.Line("#DEFINE RETURN RETLW 0");
  Blank();
  Comment("; Variable");
  Blank();
  analysis_.WriteVariableEquates(out_);
  Blank();
}

void ProgramWriter::BuildPortImage() {
  for (size_t i = 0; i < portValue_.size(); ++i) {
    portValue_[i] = "00000000";
    portDirection_[i] = i == 4 ? "00000111" : "11111111";
  }
  const bool gpio = props().GpioPorts;
  for (const BitRecord& r : analysis_.BitNames()) {
    if (r.Kind != kind::OutputPin || r.Bit > 7) continue;
    int port = -1;
    if (gpio && r.ByteName == "GP") port = 0;
    else if (r.ByteName.size() == 2 && r.ByteName[0] == 'R' && r.ByteName[1] >= 'A' && r.ByteName[1] <= 'P')
      port = r.ByteName[1] - 'A';
    if (port < 0) continue;
    const size_t pos = static_cast<size_t>(7 - r.Bit);
    portDirection_[static_cast<size_t>(port)][pos] = '0';
    portValue_[static_cast<size_t>(port)][pos] = r.Initial ? '1' : '0';
  }
}

void ProgramWriter::WriteResetCode() {
  const ProcessorProps& p = props();
  StarLine(40);
  Comment(";Programmanfang");
  StarLine(40);
  Blank();
  Directive("ORG 0");
  Blank();
  if (p.Core12) {
    Instr("CLRF FSR");
    if (p.CalibrationForm == Calibration::MovlwAtTop) Instr("MOVWF OSCCAL");
  } else if (p.CalibrationForm != Calibration::RetlwAtTop) {
    if (project_.Mcu.IcdMode && p.IcdActive) Instr("NOP");
    else Instr("CLRF STATUS", "; switch to RAM-Bank 0");
  }
  SelectPage(0, "SYS_INIT");
  Instr("GOTO SYS_INIT");
  if (p.HasInterrupts)
    while (out_.RomCounter < 4) Instr("NOP");
}

void ProgramWriter::WriteInterruptSection() {
  const ProcessorProps& p = props();
  const Analysis& a = analysis_;
  if (!p.HasInterrupts) {
    // 12-bit cores: only the polled timer routine exists.
    if (a.NeedsTimerInterrupt || a.NeedsTimerHigh) WriteTimerRoutine();
    return;
  }
  if (a.NeedsPortBChange && a.NeedsTimerInterrupt) WritePortBChangeRoutine(true);
  else if (a.NeedsPortBChange) WritePortBChangeRoutine(false);
  else if (a.NeedsTimerInterrupt || a.NeedsTimerHigh || a.NeedsUartInterrupt || a.NeedsWakeInterrupt)
    WriteTimerRoutine();
  else Instr("RETURN");
}

void ProgramWriter::WriteSubroutineSection() {
  const Analysis& a = analysis_;
  if (a.NeedsMul8) WriteMul8();
  if (a.NeedsMul16) WriteMul16();
  if (a.NeedsDiv8) WriteDiv8();
  if (a.NeedsDiv16) WriteDiv16();
  Blank();
  StarLine(40);
  Comment("; Subroutines");
  StarLine(40);
  Blank();
  if (a.NeedsTableJump) WriteTableJump();
  if (AdcRoutines && props().HasAdc) AdcRoutines(*this, AdcDelayCount());
  for (const auto& e : project_.Elements()) e->GenerateSubroutines(*this);
}

// The initialisation runs in steps; which steps write anything, and what, the processor table decides.
void ProgramWriter::WriteInitialisation() {
  Blank();
  StarLine(40);
  Comment(";Initialisierung");
  StarLine(40);
  Blank();
  Label("SYS_INIT");
  SetPageState(out_.RomCounter);
  WriteCalibrationLoad();
  for (const auto& e : project_.Elements()) e->GenerateInitStart(*this);
  ForgetBank();
  WriteInterruptSources();
  WritePortValues();
  WriteOption();
  WriteDigitalPins();
  WritePortDirections();
  WriteComparatorsOff();
  Comment("; init vars");
  analysis_.WriteRamClear(*this);
  analysis_.WriteBitInitialValues(*this);
  for (const auto& e : project_.Elements()) e->GenerateInitEnd(*this);
  WriteInterruptStart();
}

void ProgramWriter::WriteCalibrationLoad() {
  const ProcessorProps& p = props();
  if (p.CalibrationForm != Calibration::RetlwAtTop) return;
  SelectBank("OSCCAL");
  Instr("CALL " + std::to_string(p.RomSize));
  Instr("MOVWF OSCCAL");
}

void ProgramWriter::WriteInterruptSources() {
  const Analysis& a = analysis_;
  if (!props().HasInterrupts) return;
  if (a.NeedsPortBChange) Instr("MOVLW B'00101000'");
  else if (a.NeedsTimerInterrupt || a.NeedsTimerHigh) Instr("MOVLW B'00100000'");
  else Instr("MOVLW B'00000000'");
  Instr("MOVWF INTCON");
}

void ProgramWriter::WritePortValues() {
  const ProcessorProps& p = props();
  Comment("; Set output before direction");
  auto value = [&](int port, const std::string& reg) {
    Instr("MOVLW B'" + portValue_[static_cast<size_t>(port)] + "'");
    Instr("MOVWF " + reg);
  };
  if (p.GpioPorts) {
    SelectBank("GPIO");
    value(0, "GPIO");
  } else {
    SelectBank("PORTA");
    for (size_t port = 0; port < kPortLetters.size(); ++port)
      if (p.HasPort(kPortLetters[port])) value(int(port), "PORT" + std::string(1, kPortLetters[port]));
  }
  Blank();
}

void ProgramWriter::WriteOption() {
  const ProcessorProps& p = props();
  // 15: prescaler 1:128 on the watchdog, timer 0 on the instruction clock. A 12-bit core's polled time
  // base takes the prescaler at 1:256 instead (7), so that one count of TMR0 is one tick.
  const int option = (PrescaledTimeBase() ? 7 : 15) + (project_.Mcu.PullUps ? 0 : (p.Core12 ? 64 : 128));
  Instr("MOVLW " + std::to_string(option));
  if (p.Core12) {
    Instr("OPTION");
  } else {
    SelectBank("OPTION_REG");
    Instr("MOVWF OPTION_REG");
  }
}

void ProgramWriter::WriteDigitalPins() {
  const ProcessorProps& p = props();
  if (p.DigitalAdcon1 == 0) return;
  SelectBank("ADCON1");
  Instr("MOVLW " + std::to_string(p.DigitalAdcon1), "; all digital");
  Instr("MOVWF ADCON1");
}

void ProgramWriter::WritePortDirections() {
  const ProcessorProps& p = props();
  Comment("; Richtung setzen");
  auto direction = [&](int port, const std::string& register12, const std::string& register14) {
    Instr("MOVLW B'" + portDirection_[static_cast<size_t>(port)] + "'");
    if (p.Core12) {
      Instr("TRIS " + register12);
    } else {
      SelectBank(register14);
      Instr("MOVWF " + register14);
    }
  };
  if (p.GpioPorts) {
    direction(0, "GPIO", "TRISIO");
  } else {
    for (size_t port = 0; port < kPortLetters.size(); ++port) {
      const std::string letter(1, kPortLetters[port]);
      if (p.HasPort(kPortLetters[port])) direction(int(port), "PORT" + letter, "TRIS" + letter);
    }
  }
  Blank();
}

void ProgramWriter::WriteComparatorsOff() {
  if (!props().HasComparators) return;
  SelectBank("CMCON");
  Instr("MOVLW 7", "; Comparators off");
  Instr("MOVWF CMCON");
}

void ProgramWriter::WriteInterruptStart() {
  const Analysis& a = analysis_;
  const bool hasInterrupts = props().HasInterrupts;
  if (a.NeedsTimerInterrupt || a.NeedsTimerHigh || a.NeedsPortBChange) {
    SelectBank("TMR0");
    Instr("CLRF TMR0");
    if (hasInterrupts) {
      Instr("BCF INTCON,T0IF");
      Instr("BSF INTCON,GIE", "; Interrupt freigeben");
    }
  } else if ((a.NeedsUartInterrupt || a.NeedsWakeInterrupt) && hasInterrupts) {
    Instr("BSF INTCON,GIE", "; Interrupt freigeben");
  }
}

void ProgramWriter::WriteMainHead() {
  StarLine(34);
  Comment(";******* Haupt-Programm ***********");
  StarLine(34);
  Blank();
  // The initialisation falls through into the main loop: its page bits must be those of MAIN.
  if (props().PagingNeeded) SelectPage(out_.RomCounter);
  Label("MAIN");
  mainAddress_ = out_.RomCounter;
  if (project_.Mcu.Watchdog) Instr("CLRWDT");
  for (int n = 0; n < 8; ++n) {
    if (!analysis_.AdcChannelUsed[static_cast<size_t>(n)]) continue;
    SelectPage(0);
    Instr("CALL READ_AN" + std::to_string(n));
    SetBankState(2);
  }
  for (const auto& e : project_.Elements()) e->GenerateMainStart(*this);
}

bool ProgramWriter::WriteMainLoop(GenerationResult& result) {
  const ProcessorProps& p = props();
  const int32_t romEnd = static_cast<int32_t>(p.PageCount) * p.PageSize;
  for (const auto& element : project_.Elements()) {
    TBauteil& e = *element;
    if (KindHas(e, kOutsideMainLoop)) continue;
    if (ProcessEvents) ProcessEvents();
    const bool fresh = p.PagingNeeded && e.CodeMark != 0;
    if (fresh) WritePagePadding();
    e.GenerateMainCode(*this);
    if (p.Core12 && (analysis_.NeedsTimerInterrupt || analysis_.NeedsTimerHigh) && KindHas(e, kWritesCode)) {
      StarLine(51);
      Blank();
      SelectPage(0);
      Instr("CALL SYS_INTERRUPT");
      SetBankState(1);
      SelectPage(out_.RomCounter);
      Blank();
    }
    if (out_.RomCounter >= pageLimit_) {
      e.CodeMark = 1;
      if (!p.PagingNeeded) return false;
      // A block that started on a fresh page and still crosses is longer than a page: no pass can place it.
      if (fresh) {
        result.OutOfRom = true;
        return false;
      }
      return pageLimit_ + p.PageSize <= romEnd;
    }
  }
  return false;
}

void ProgramWriter::WritePagePadding() {
  const int32_t size = props().PageSize;
  // Code in front of the main loop may itself have passed a boundary.
  while (pageLimit_ < out_.RomCounter) pageLimit_ += size;
  PageState probe = page_;
  const auto selectWords = static_cast<int32_t>(PageSelection(pageLimit_, probe).size());
  const int32_t room = pageLimit_ - out_.RomCounter;
  if (room >= selectWords + 1) {
    SelectPage(pageLimit_);
    Instr("GOTO " + std::to_string(pageLimit_));
    while (out_.RomCounter < pageLimit_) Instr("NOP");
  } else if (room == selectWords) {
    // The selection fills the page exactly; execution runs on into the next one.
    SelectPage(pageLimit_);
  } else {
    // Too little room even for the selection: it stands at the top of the new page.
    while (out_.RomCounter < pageLimit_) Instr("NOP");
    SelectPage(pageLimit_);
  }
  Blank();
  pageLimit_ += size;
}

void ProgramWriter::WriteTail() {
  const ProcessorProps& p = props();
  StarLine(40);
  Blank();
  SelectPage(mainAddress_);
  Instr("GOTO MAIN");
  Blank();
  for (const auto& e : project_.Elements()) e->GenerateAfterMain(*this);
  if (analysis_.NeedsEepromData) {
    Directive("ORG H'2100'");
    Blank();
    for (int i = 0; i < p.EepromSize / 16; ++i) Directive("DE 0,0,0,0,0,0,0,0,0,0,0,0,0,0,0,0");
  }
  const std::string top = "ORG " + std::to_string(p.RomSize);
  const std::string cal = "H'" + TwoHex(project_.Mcu.CalibrationValue) + "'";
  switch (p.CalibrationForm) {
    case Calibration::None: break;
    case Calibration::MovlwAtTop:
      Directive(top);
      Blank();
      Instr("MOVLW " + cal, "; OSCCAL");
      break;
    case Calibration::RetlwAtTop:
      Directive(top);
      Blank();
      Instr("RETLW " + cal, "; OSCCAL");
      break;
    case Calibration::ResetVectorAtTop:
      Directive(top);
      Blank();
      Instr("GOTO 0");
      break;
  }
}

void ProgramWriter::CheckCallDepth(GenerationResult& result) {
  const ProcessorProps& p = props();
  const int stack = p.Core12 ? 2 : 8;
  const CallChain main = DeepestCallChain(out_.Code(), out_.CodeLabels(), 0);
  int needed = main.depth;
  bool recursive = main.recursive;
  std::vector<std::string> calls = main.calls;
  if (p.HasInterrupts) {
    const CallChain irq = DeepestCallChain(out_.Code(), out_.CodeLabels(), 4);
    needed += 1 + irq.depth;
    recursive = recursive || irq.recursive;
    if (irq.depth > 0) {
      calls.push_back("(interrupt)");
      calls.insert(calls.end(), irq.calls.begin(), irq.calls.end());
    }
  }
  result.CallDepthError.clear();
  if (!recursive && needed <= stack) return;
  for (const std::string& c : calls) result.CallDepthError += (result.CallDepthError.empty() ? "" : " -> ") + c;
  project_.Messages.ShowMessage(Msg::CallsTooDeep, MessageMode::Error, result.CallDepthError,
                                "(" + std::to_string(needed) + " > " + std::to_string(stack) + ")");
}

void ProgramWriter::WriteReachErrors(GenerationResult& result) {
  if (!props().Core12) return;
  result.ReachErrors = ReachErrors(out_, props().PageSize, computedTargets_);
  const int32_t pageSize = props().PageSize;
  for (const auto& [label, words] : computedRanges_) {
    const int32_t address = out_.LabelAddress(label);
    if (address < 0 || pageSize <= 0 || address % pageSize + words <= 256) continue;
    std::string text = "Computed jump table " + label + " reaches beyond the first 256 words of its page";
    if (std::find(result.ReachErrors.begin(), result.ReachErrors.end(), text) == result.ReachErrors.end())
      result.ReachErrors.push_back(std::move(text));
  }
  for (const std::string& text : result.ReachErrors) Directive("ERROR \"" + text + "\"");
}

}  // namespace tolmek
