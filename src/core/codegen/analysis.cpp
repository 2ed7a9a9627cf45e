// The analysis pass over the plan, the variable equates and the initial values of bit variables.
#include "codegen/analysis.h"

#include <unordered_map>

#include "codegen/asm_writer.h"
#include "codegen/program_writer.h"
#include "components/registry.h"
#include "model/project.h"

namespace tolmek {

void Analysis::DefineAndClear() {
  registries_.Clear();
  DefineProcessor(project_.Mcu.ProcessorType, project_.Mcu.IcdMode, ram_, props_);
  static_cast<FeatureFlags&>(*this) = FeatureFlags{};
}

void Analysis::RunAnalysis(bool registerNames) {
  if (project_.SimActive) return;
  ++generation_;
  registeringNames_ = registerNames || VariableWindowOpen;
  DefineAndClear();

  const auto& list = project_.Elements();
  for (const auto& e : list) e->PrepareAnalysis(*this);
  for (const auto& e : list) {
    e->NoteUsedNames(*this);
    if (registeringNames_) e->DeclareVariables(*this);
    if (KindHas(*e, kMeasuresPulses)) NeedsPortBChange = true;
  }
  for (const auto& e : list) e->FinishAnalysis(*this);
  for (const auto& e : list) {
    if (!KindHas(*e, kCountsTicks)) continue;
    e->NoteUsedNames(*this);
    if (registeringNames_) e->DeclareVariables(*this);
  }

  if (AfterDeclarations) AfterDeclarations(*this);
  const AdcUsage& adc = registries_.Adc();
  UsesAdc = UsesAdc || adc.UsesAdc;
  for (size_t n = 0; n < 8; ++n) {
    AdcChannelUsed[n] = AdcChannelUsed[n] || adc.ChannelUsed[n];
    AdcResult16Bit[n] = AdcResult16Bit[n] || adc.Result16Bit[n];
  }
  ram_.AllocateCell("RAM");
  registeringNames_ = false;
}

void Analysis::RegisterVariable(std::string_view name) { registries_.RegisterVariable(name, props_, ram_); }

void Analysis::RegisterBit(std::string_view name, int kind, int initial) {
  registries_.RegisterBit(name, kind, initial);
}

void Analysis::WriteVariableEquates(AsmWriter& out) const {
  const std::string& sep = out.Separator;
  for (int a = 0; a < RamTable::kSize; ++a) {
    const RamCell& c = ram_.Cell(a);
    if (c.NotRam != 0 || c.CellName.empty() || c.CellName == kSysPlaceholder) continue;
    std::string line = c.CellName + sep + "= " + std::to_string(a) + sep + "; located in Bank ";
    bool first = true;
    for (int b = 0; b < 4; ++b) {
      if (!(c.BankMask & (1u << b))) continue;
      if (!first) line += ", ";
      line += std::to_string(b);
      first = false;
    }
    out.Line(line);
  }
}

void Analysis::WriteBitInitialValues(ProgramWriter& w) const {
  std::unordered_map<std::string_view, uint8_t> high;
  for (const BitRecord& r : registries_.Bits())
    if (r.Bit < 8 && r.Initial) high[r.ByteName] |= static_cast<uint8_t>(1u << r.Bit);
  if (high.empty()) return;
  for (const std::string& name : registries_.Variables()) {
    const auto it = high.find(name);
    if (it == high.end() || it->second == 0) continue;
    std::string bits = "00000000";
    for (int b = 0; b < 8; ++b)
      if (it->second & (1u << b)) bits[static_cast<size_t>(7 - b)] = '1';
    w.Instr("MOVLW B'" + bits + "'");
    w.SelectBank(name);
    w.Instr("MOVWF " + name);
  }
}

}  // namespace tolmek
