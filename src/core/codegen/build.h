// The build: generate the source, run the assembler on it, read its error file; MPLAB project and watch files.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "codegen/chip_warnings.h"
#include "codegen/program_writer.h"

namespace tolmek {

class Project;
struct ProjectInfo;

inline constexpr const char* kDefaultAssembler = "gpasm";
// Builds repeated because a block did not accept the last one, at most.
inline constexpr int kMaxBuildRepeats = 4;

struct BuildOptions {
  std::string Assembler = kDefaultAssembler;  // settings Tools/Assembler
  // Empty: the project's SourceFileName, or when that is still "NONAME.ASM", derived from the project file.
  std::string SourcePath;
};

struct BuildResult {
  // The source was generated and written; without it nothing was assembled (a stale file is never built).
  bool SourceWritten = false;
  bool OutOfRom = false;          // generation ended with message 39
  bool AssemblerStarted = false;  // false: message 2 was shown
  int ExitCode = -1;
  // The error file as the window shows it (the assembler's harmless include-name warning removed).
  std::string ErrorText;
  int ErrorCount = 0;
  int WarningCount = 0;
  int Runs = 0;  // assembler runs (more than one when a block asked for another build)
  std::string SourcePath, ErrorPath, ListingPath;
  // What the chip will do otherwise than the simulation shows; listed with the result, never a failure.
  std::vector<ChipWarning> Warnings;
  int32_t RomUsed = 0;
  int RomSize = 0;
  int RamUsed = 0;
  int RamSize = 0;
  // The assembler ran and reported no error.
  [[nodiscard]] bool Succeeded() const { return AssemblerStarted && ExitCode == 0 && ErrorCount == 0; }
};

// The source beside the project file with the project's whole base name: "A.V1.pic" gives "A.V1.ASM". Never
// the project file itself ("X.ASM" as a project gives "X.ASM.ASM").
[[nodiscard]] std::string DefaultSourcePath(const std::string& projectFile);
// The argument list for the assembler: gpasm (any program whose name contains "gpasm") with the error file
// and listing beside the source, any other program with the classic "/C- /Q+" command line.
[[nodiscard]] std::vector<std::string> AssemblerArguments(const std::string& assembler, const std::string& source);
// A file beside `source` with its extension replaced by `extension` in whatever case it exists
// ("A.ERR" or "A.err"); the upper-case name when none exists.
[[nodiscard]] std::string SiblingFile(const std::string& source, const std::string& extension);
// The error file's text without the include-name case warning; counts errors and warnings.
[[nodiscard]] std::string FilterErrorText(const std::string& text, int& errors, int& warnings);
// Counts the build number up; 255 wraps to 0 and counts the minor version up (1.0.255 -> 1.1.0).
void IncrementBuildNumber(ProjectInfo& info);

// The MPLAB project file (base + ".PJT") and watch file (base + ".WAT") beside the source.
bool WriteMplabProject(const Project& project, const std::string& source);
bool WriteWatchFile(const Analysis& analysis, const std::string& source);
// Saves the source as the "save source" command does: generation, then the MPLAB files.
GenerationResult SaveSource(ProgramWriter& writer, const std::string& source);

// Generates, assembles and reads the error file, repeating while a block does not accept the build; then
// counts the build number up when the project asks for it.
[[nodiscard]] BuildResult Build(ProgramWriter& writer, const BuildOptions& options);

}  // namespace tolmek
