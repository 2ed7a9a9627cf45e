// Build with an outside assembler, the error file, the build number and the MPLAB project and watch files.
#include "codegen/build.h"

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <system_error>

#include "codegen/process.h"
#include "model/file_io.h"
#include "model/project.h"
#include "settings/ini_file.h"

namespace tolmek {
namespace fs = std::filesystem;

namespace {

constexpr const char* kIncludeCaseWarning = "Found lower case match for include filename";

bool EndsWithNoCase(const std::string& s, const std::string& tail) {
  return s.size() >= tail.size() && EqualNoCase(std::string_view(s).substr(s.size() - tail.size()), tail);
}

std::optional<std::string> ReadWholeFile(const std::string& path) { return ReadFileBounded(path).bytes; }

// Removes every file beside `source` with its base name and `extension` in any case.
void RemoveSiblings(const std::string& source, const std::string& extension) {
  const fs::path src(source);
  fs::path dir = src.parent_path();
  if (dir.empty()) dir = ".";
  const std::string wanted = src.stem().string() + extension;
  std::error_code ec;
  for (const auto& entry : fs::directory_iterator(dir, ec)) {
    if (EqualNoCase(entry.path().filename().string(), wanted)) fs::remove(entry.path(), ec);
  }
}

std::string Base(const std::string& source) { return fs::path(source).stem().string(); }

std::string DirectoryWithSeparator(const std::string& source) {
  fs::path dir = fs::absolute(fs::path(source)).parent_path();
  std::string d = dir.string();
  if (d.empty() || d.back() != '/') d += '/';
  return d;
}

}  // namespace

std::string DefaultSourcePath(const std::string& projectFile) {
  const fs::path p(projectFile);
  fs::path source = p.parent_path() / (p.stem().string() + ".ASM");
  if (EqualNoCase(source.string(), p.string())) source = p.parent_path() / (p.filename().string() + ".ASM");
  return source.string();
}

std::vector<std::string> AssemblerArguments(const std::string& assembler, const std::string& source) {
  const std::string name = fs::path(assembler).filename().string();
  if (name.find("gpasm") != std::string::npos) return {assembler, "-k", "-i", source};
  return {assembler, "/C-", "/Q+", source};
}

std::string SiblingFile(const std::string& source, const std::string& extension) {
  const fs::path src(source);
  fs::path dir = src.parent_path();
  return FindFileNoCase(dir.empty() ? fs::path(".") : dir, src.stem().string() + extension).string();
}

std::string FilterErrorText(const std::string& text, int& errors, int& warnings) {
  errors = warnings = 0;
  std::string out;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (line.find(kIncludeCaseWarning) != std::string::npos && line.rfind("Warning", 0) == 0) continue;
    if (line.rfind("Error", 0) == 0) ++errors;
    else if (line.rfind("Warning", 0) == 0) ++warnings;
    out += line;
    out += '\n';
  }
  return out;
}

void IncrementBuildNumber(ProjectInfo& info) {
  ++info.BuildNumber;
  if (info.BuildNumber == 0) ++info.MinorVersion;
}

bool WriteMplabProject(const Project& project, const std::string& source) {
  const std::string base = Base(source);
  const fs::path path = fs::path(source).parent_path() / (base + ".PJT");
  const McuSettings& m = project.Mcu;
  const std::string processor(ProcessorPropertiesOf(m.ProcessorType).MplabCode);
  const std::string mode = m.IcdMode ? "4" : "2";
  const std::string frequency = std::to_string(std::llround(m.ClockHz));

  IniFile ini;
  if (fs::exists(path) && ini.Load(path)) {
    ini.WriteString("Fuses", "Frequency", frequency);
    ini.WriteString("PROJECT", "Processor", processor);
    ini.WriteString("PROJECT", "Development_Mode", mode);
    return ini.Save(path);
  }
  const std::string dir = DirectoryWithSeparator(source);
  std::string text;
  auto line = [&](const std::string& l) { text += l + "\n"; };
  line("[PROJECT]");
  line("Target=" + base + ".HEX");
  line("Development_Mode=" + mode);
  line("Processor=" + processor);
  line("ToolSuite=Microchip");
  line("");
  line("[Fuses]");
  line("WDTEnable=1");
  line("StackBreak=1");
  line("Frequency=" + frequency);
  line("");
  line("[Target Data]");
  line("Filelist=" + base + ".ASM;");
  line("BuildTool=MPASM");
  line("OptionString=/e+;/l+;/x-;/w0;/c-;/m-;");
  line("");
  line("[" + base + ".ASM]");
  line("Type=4");
  line("");
  line("[Windows]");
  line("0=0000 " + dir + base + ".ASM 0 0 500 480 9 0");
  line("1=0020 500 0 850 250 9 0");
  line("2=0002 " + dir + base + ".WAT 500 250 850 480 9 0");
  return WriteFileAtomically(path.string(), text);
}

bool WriteWatchFile(const Analysis& analysis, const std::string& source) {
  const std::string base = Base(source);
  const fs::path path = fs::path(source).parent_path() / (base + ".WAT");
  IniFile ini;
  ini.WriteString("Watch_Name", "Watch_Name", base);
  const RamTable& ram = analysis.Ram();
  auto isWatched = [&](int a) {
    const RamCell& c = ram.Cell(a);
    return c.NotRam == 0 && !c.CellName.empty() && c.CellName != kSysPlaceholder;
  };
  int k = 0;
  for (int a = 0; a < RamTable::kSize; ++a) {
    if (!isWatched(a)) continue;
    const std::string& name = ram.Cell(a).CellName;
    const std::string key = std::to_string(k);
    const bool wide = a + 1 < RamTable::kSize && isWatched(a + 1) && EndsWithNoCase(ram.Cell(a + 1).CellName, "_HI");
    ini.WriteString("Watch_Offset", key, "LOW");
    ini.WriteString("Watch_Registers", key, name);
    ini.WriteString("Watch_Format", key, EndsWithNoCase(name, "_FD") ? "BIN" : "DEC");
    ini.WriteString("Watch_Size", key, wide ? "BIT16" : "BIT8");
    ini.WriteString("Watch_Bit", key, "");
    if (wide) ++a;
    ++k;
  }
  return ini.Save(path);
}

GenerationResult SaveSource(ProgramWriter& writer, const std::string& source) {
  GenerationResult r = writer.GenerateSource(source);
  if (r.FileWritten) {
    WriteMplabProject(writer.GetProject(), source);
    WriteWatchFile(writer.GetAnalysis(), source);
  }
  return r;
}

BuildResult Build(ProgramWriter& writer, const BuildOptions& options) {
  Project& project = writer.GetProject();
  BuildResult result;
  result.SourcePath = !options.SourcePath.empty()                  ? options.SourcePath
                      : project.SourceFileName != kDefaultSourceName ? project.SourceFileName
                                                                     : DefaultSourcePath(project.ProjectFileName);
  if (EqualNoCase(fs::absolute(result.SourcePath).string(), fs::absolute(project.ProjectFileName).string()))
    return result;

  for (int run = 0; run <= kMaxBuildRepeats; ++run) {
    // Whatever an earlier build left is gone before the assembler runs, so that nothing stale is shown.
    for (const char* ext : {".ERR", ".LST", ".HEX", ".COD"}) RemoveSiblings(result.SourcePath, ext);
    const GenerationResult gen = SaveSource(writer, result.SourcePath);
    result.SourceWritten = gen.FileWritten;
    result.OutOfRom = gen.OutOfRom;
    result.Warnings = ChipWarnings(project, writer.GetAnalysis());
    if (!gen.Buildable()) return result;

    // Include files named without a folder are looked for beside the source.
    const fs::path source = fs::absolute(result.SourcePath);
    const ProcessResult p =
        RunProcess(AssemblerArguments(options.Assembler, source.string()), source.parent_path().string());
    ++result.Runs;
    result.AssemblerStarted = p.Started;
    if (!p.Started) {
      project.Messages.ShowMessage(Msg::AssemblerNotFound);
      return result;
    }
    result.ExitCode = p.ExitCode;
    result.ErrorPath = SiblingFile(result.SourcePath, ".ERR");
    result.ListingPath = SiblingFile(result.SourcePath, ".LST");
    const auto text = ReadWholeFile(result.ErrorPath);
    result.ErrorText = text ? FilterErrorText(*text, result.ErrorCount, result.WarningCount) : std::string();
    // An assembler that failed without saying why in its error file still failed.
    if (p.ExitCode != 0 && result.ErrorCount == 0 && result.ErrorText.empty()) result.ErrorText = p.Output;

    bool accepted = true;
    for (const auto& e : project.Elements()) accepted = e->AcceptBuild() && accepted;
    if (accepted) break;
  }

  const Analysis& a = writer.GetAnalysis();
  result.RomUsed = a.RomUsed;
  result.RomSize = a.RomSize();
  result.RamUsed = a.RamUsed();
  result.RamSize = a.RamSize();
  if (project.Info.AutoIncrement) {
    IncrementBuildNumber(project.Info);
    project.Saved = false;
  }
  return result;
}

}  // namespace tolmek
