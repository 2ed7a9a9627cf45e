// The check on the simulated chip, step by step: generate, simulate, assemble, run in gpsim, compare.
#include "verify/verify.h"

#include <chrono>
#include <filesystem>
#include <system_error>

#include "codegen/analysis.h"
#include "codegen/build.h"
#include "codegen/chip_warnings.h"
#include "codegen/processors.h"
#include "codegen/program_writer.h"
#include "components/inc.h"
#include "sim/plan_variables.h"
#include "verify/chip_bench.h"
#include "verify/gputils.h"
#include "verify/sim_bench.h"

namespace tolmek {
namespace {

using Outcome = VerifyReport::Outcome;

std::string Composed(const Project& project, Msg number, std::string_view detail1 = {}, std::string_view detail2 = {}) {
  return ComposeMessage(project.Messages.CurrentLanguage(), number, MessageMode::Error, detail1, detail2);
}

// What the chip cannot do of what the bench asks: drive an output pin or a net inside the plan.
void CheckChipSets(const Bench& bench, const std::vector<Signal>& channels, std::vector<BenchProblem>& problems) {
  for (const BenchLine& line : bench.lines) {
    if (line.kind != BenchLine::Kind::Set) continue;
    for (const Signal& s : channels)
      if (s.name == line.name && (s.kind == Signal::Kind::InnerNet || (s.kind == Signal::Kind::Pin && s.output)))
        problems.push_back({Msg::BenchSetsOutput, line.line, BenchPlace(bench, line.line), line.name});
  }
}

// gpsim's name of a port pin: "RA.0" -> "porta0", "GP.4" -> "gpio4".
std::string GpsimPin(std::string_view pin) {
  const size_t dot = pin.find('.');
  if (dot == std::string_view::npos) return {};
  const std::string bit(pin.substr(dot + 1));
  if (pin.starts_with("GP")) return "gpio" + bit;
  if (dot == 2 && pin[0] == 'R') return std::string("port") + char(pin[1] - 'A' + 'a') + bit;
  return {};
}

void PlaceVariables(const Analysis& analysis, std::vector<Signal>& channels) {
  const ProcessorProps& props = analysis.Props();
  for (Signal& s : channels) {
    if (s.kind != Signal::Kind::Variable) continue;
    s.address = analysis.Ram().CellAddress(s.name).value_or(-1);
    if (s.bits == 16) s.highAddress = analysis.Ram().CellAddress(s.name + "_HI").value_or(-1);
    // "ADC0".."ADC7": the result of that A/D channel, 8 bits or the 10-bit reading in a word.
    if (props.HasAdc && s.name.size() == 4 && s.name.starts_with("ADC") && s.name[3] >= '0' && s.name[3] <= '7') {
      s.analoguePin = GpsimPin(props.AdcPins[size_t(s.name[3] - '0')]);
      s.fullScale = s.bits == 16 ? 1023 : 255;
    }
  }
}

// The build runs the assembler in the plan's folder; the check assembles elsewhere, so the include files an
// include block names by a relative path are copied there from beside the plan.
void CopyIncludeFiles(const Project& project, const std::filesystem::path& dir) {
  namespace fs = std::filesystem;
  const fs::path planFolder = fs::path(project.ProjectFileName).parent_path();
  for (const auto& e : project.Elements()) {
    if (e->Kind != kind::Inc) continue;
    const fs::path file = static_cast<const TObjInc&>(*e).IncludeFile;
    if (file.empty() || file.is_absolute() || file.has_parent_path()) continue;
    std::error_code ignored;  // a file that is missing is reported by the assembler
    fs::copy_file(planFolder / file, dir / file, fs::copy_options::overwrite_existing, ignored);
  }
}

VerifyReport Finish(VerifyReport& r, std::chrono::steady_clock::time_point started) {
  r.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  return std::move(r);
}

}  // namespace

VerifyReport Verify(Project& project, const Bench& bench, const VerifyOptions& options) {
  const auto started = std::chrono::steady_clock::now();
  VerifyReport r;
  r.language = project.Messages.CurrentLanguage();

  SimEngine engine(project);
  AddPlanVariables(project, engine);
  Analysis analysis(project);
  analysis.VariableWindowOpen = true;  // every block announces its pins, so the chip's pins are known
  ProgramWriter writer(project, analysis);
  const GenerationResult generated = writer.GenerateText();
  r.processor = ProcessorDisplayName(project.Mcu.ProcessorType);
  // What the chip cannot do as the screen shows it is said first; it does not stop the check.
  for (const ChipWarning& w : ChipWarnings(project, analysis)) r.notes.push_back(WarningLine(w));

  BenchSignals channels = SignalsOf(bench, analysis, engine);
  r.problems = std::move(channels.problems);
  CheckChipSets(bench, channels.channels, r.problems);
  if (!r.problems.empty()) {
    r.outcome = Outcome::BadBench;
    return Finish(r, started);
  }
  PlaceVariables(analysis, channels.channels);

  SimulatedRun simulated = RunOnSimulation(engine, bench, channels.channels);
  r.simulated = std::move(simulated.trace);
  r.simulationFailures = CheckExpectations(bench, r.simulated);
  if (simulated.aborted) {
    r.outcome = Outcome::Aborted;
    r.notes.push_back(Composed(project, Msg::SimulationAborted));
    return Finish(r, started);
  }

  std::string source = writer.Text();
  if (generated.OutOfRom || !generated.ReachErrors.empty() || !generated.CallDepthError.empty()) {
    r.outcome = Outcome::NotBuilt;
    if (generated.OutOfRom) r.notes.push_back(Composed(project, Msg::OutOfRom));
    for (const auto& e : generated.ReachErrors) r.notes.push_back(e);
    if (!generated.CallDepthError.empty()) r.notes.push_back(Composed(project, Msg::CallsTooDeep, generated.CallDepthError));
    return Finish(r, started);
  }
  if (!HaveGpsim() || !HaveGpasm()) {
    r.outcome = Outcome::NotChecked;
    r.notes.push_back(HaveGpasm() ? Composed(project, Msg::GpsimMissing)
                                  : Composed(project, Msg::AssemblerNotFound, kDefaultAssembler));
    return Finish(r, started);
  }
  r.gpsimModel = GpsimProcessor(ProcessorOfSource(source));
  if (r.gpsimModel.empty()) {
    r.outcome = Outcome::NotChecked;
    r.notes.push_back(Composed(project, Msg::NotModelled, r.processor));
    return Finish(r, started);
  }

  if (options.alterSource) options.alterSource(source);
  ScratchDir dir("verify");
  CopyIncludeFiles(project, dir.path());
  const Assembly program = Assemble(source, dir.path());
  if (program.exitCode != 0 || !program.errors.empty()) {
    r.outcome = Outcome::NotBuilt;
    r.notes.push_back(program.Report());
    return Finish(r, started);
  }
  ChipRun chip = RunOnChip(program, r.gpsimModel, bench, channels.channels, project.Mcu.ClockHz, options.timeLimitSeconds);
  r.chip = std::move(chip.trace);
  if (!chip.ran) {
    r.outcome = Outcome::NotChecked;
    r.notes.push_back("gpsim: " + chip.output.substr(0, 2000));
    return Finish(r, started);
  }
  r.chipFailures = CheckExpectations(bench, r.chip);
  r.divergence = FirstDivergence(r.simulated, r.chip);
  const bool agree = !r.divergence && r.simulationFailures.empty() && r.chipFailures.empty();
  r.outcome = agree ? Outcome::Agree : Outcome::Differ;
  return Finish(r, started);
}

}  // namespace tolmek
