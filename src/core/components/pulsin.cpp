// The pulse input: its pin, file record, the names it announces and its simulation rule. The measuring
// itself is the port-change interrupt routine of the program frame.
#include "components/pulsin.h"

#include "codegen/analysis.h"
#include "codegen/program_writer.h"
#include "components/block_support.h"
#include "model/project.h"
#include "sim/sim_context.h"

namespace tolmek {

TObjPulsIn::TObjPulsIn(int32_t x, int32_t y) : TBauteil(x, y) {
  Kind = kind::PulsIn;
  Width = 60;
  Height = 40;
  Name = "PI";
  out_ = &AddPin(kind::OutputPin, 16, 1, 50, 20, "");
  out_->Renamable = false;
  out_->HighByteUsed = true;
  out_->Name = TimeName();
}

std::string TObjPulsIn::TimeName() const { return "RB" + std::to_string(PinNumber()) + "TIME"; }

void TObjPulsIn::NameOutput() {
  if (out_->Name != TimeName()) out_->ForceName(TimeName());
}

void TObjPulsIn::ApplySettings(uint8_t input, bool negativeEdge) {
  PulseInput = input > 3 ? 3 : input;
  NegativeEdge = negativeEdge;
  NameOutput();
}

bool TObjPulsIn::Supported(const ProcessorProps& p) { return !p.Core12 && p.HasInterrupts && p.HasPort('B'); }

TObjAnschluss* TObjPulsIn::HitPin(int x, int y) { return out_->HitPin(x, y); }

void TObjPulsIn::Record(RecordVisitor& v) {
  BaseRecord(v);
  v.Pin("out", *out_);
  v.Choice("input", PulseInput, 0, 3);
  v.Flag("negativeEdge", NegativeEdge);
  v.Word("simValue", SimValue);
  v.Page(Page);
  v.Zeros(253);
}

void TObjPulsIn::AfterLoad() {
  out_->Bits = 16;
  out_->Renamable = false;
  out_->HighByteUsed = true;
}

void TObjPulsIn::DeclareVariables(Analysis& a) {
  NameOutput();
  out_->DeclareVariables(a);
  if (!Supported(a.Props())) return;
  const std::string rb = "RB" + std::to_string(PinNumber());
  for (const std::string& n : {std::string("SYS_WSAV"), std::string("SYS_SSAV"), std::string("TMR0H"),
                               std::string("RBSTATUS"), std::string("RBCHANGED"), std::string("RBTMP"),
                               std::string("RBNOW"), std::string("RBNOW_HI"), rb + "STARTTIME", rb + "STARTTIME_HI"})
    RegisterWorkBits(a, n);
  if (a.Props().PagingNeeded) RegisterWorkBits(a, "SYS_PSAV");
}

void TObjPulsIn::NoteUsedNames(Analysis& a) {
  NameOutput();
  if (Supported(a.Props())) {
    const std::string rb = "RB" + std::to_string(PinNumber());
    a.RegisterVariable("SYS_WSAV");
    a.RegisterVariable("SYS_SSAV");
    if (a.Props().PagingNeeded) a.RegisterVariable("SYS_PSAV");
    for (const std::string& n : {std::string("TMR0H"), std::string("RBSTATUS"), std::string("RBCHANGED"),
                                 std::string("RBTMP"), std::string("RBNOW"), std::string("RBNOW_HI"),
                                 rb + "STARTTIME", rb + "STARTTIME_HI"})
      a.RegisterVariable(n);
    a.NeedsPortBChange = true;
    // The measurement is TMR0H:TMR0, so the interrupt must count the high byte.
    a.NeedsTimerHigh = true;
    a.PulsePinMeasured[PulseInput] = true;
    // Two inputs on one pin share the variable; one asking for the falling edge decides.
    a.PulsePinInverted[PulseInput] = a.PulsePinInverted[PulseInput] || NegativeEdge;
  }
  out_->NoteUsedNames(a);
}

void TObjPulsIn::GenerateMainCode(ProgramWriter& w) {
  if (!Supported(w.Props())) ReportMissingPart(w, "RB." + std::to_string(PinNumber()), Name);
}

// The port-change routine compares PORTB with RBSTATUS: it must start from the levels the pins have, or
// the first edge of a pin that idles high is missed.
void TObjPulsIn::GenerateInitEnd(ProgramWriter& w) {
  if (!Supported(w.Props())) return;
  for (const auto& e : w.GetProject().Elements()) {
    if (e->Kind != kind::PulsIn) continue;
    if (e.get() != this) return;
    break;
  }
  w.InstrOn("MOVFW", "PORTB", "; levels the measuring starts from");
  w.InstrOn("MOVWF", "RBSTATUS");
  w.Instr("BCF INTCON,RBIF");
}

void TObjPulsIn::SimulationStart(SimContext& ctx) {
  variable_ = &ctx.Variables().Add(TimeName());
  variable_->Value = SimValue;
  simulating_ = true;
  shown_ = -1;
}

void TObjPulsIn::SimulationStep(SimContext&) {
  if (!variable_) return;
  const int32_t value = variable_->Value & 0xFFFF;
  if (value == shown_) return;
  shown_ = value;
  Redraw();
}

void TObjPulsIn::SimulationStop(SimContext&) {
  if (variable_) SimValue = uint16_t(variable_->Value & 0xFFFF);
  variable_ = nullptr;
  simulating_ = false;
  shown_ = -1;
  ClearLevels(*this);
}

}  // namespace tolmek
