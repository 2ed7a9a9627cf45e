// GND/VCC: the bit it announces and the instruction that holds its net at the constant level.
#include "codegen/analysis.h"
#include "codegen/program_writer.h"
#include "components/gnd.h"

namespace tolmek {

void TObjGnd::GenerateMainCode(ProgramWriter& w) {
  const bool vcc = SupplyMode == kVcc;
  w.StarLine(51);
  w.Comment(vcc ? "; VCC" : "; GND");
  w.StarLine(51);
  w.Blank();
  const std::string operand = PinSignalName(Pin().Name);
  w.SelectBank(operand);
  if (vcc) w.Instr("BSF " + operand, "; immer High");
  else w.Instr("BCF " + operand, "; immer Low");
  w.Blank();
}

void TObjGnd::DeclareVariables(Analysis& a) { a.RegisterBit(Pin().Name, kind::OutputPin, SupplyMode); }

void TObjGnd::NoteUsedNames(Analysis& a) { Pin().NoteUsedNames(a); }

}  // namespace tolmek
