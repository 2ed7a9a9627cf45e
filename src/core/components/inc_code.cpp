// The include block's text at its place in the program, and the length check after each build.
#include <fstream>
#include <sstream>

#include "codegen/build.h"
#include "codegen/program_writer.h"
#include "components/inc.h"
#include "model/file_io.h"
#include "model/project.h"

namespace tolmek {

void TObjInc::WriteInclude(ProgramWriter& w, Position where) {
  if (IncludePosition != where) return;
  const std::string& sep = w.Separator();
  w.FallThroughLabel(BeginLabel());
  w.Directive("ERRORLEVEL +306", "; enable warning (Pageswitching)");
  w.Directive("ERRORLEVEL +302", "; enable warning (Bankswitching)");
  w.Blank();
  // The assembler counts the file's words itself; the program counts the length the block carries.
  w.Out().Verbatim(sep + "INCLUDE " + IncludeFile + "\n", IncludeLength);
  w.Blank();
  w.Directive("ERRORLEVEL -302", "; disable warning (Bankswitching)");
  w.Directive("ERRORLEVEL -306", "; disable warning (Pageswitching)");
  w.FallThroughLabel(EndLabel());
  w.Blank();
  // The included code may leave any bank selected.
  w.ForgetBank();
}

void TObjInc::GenerateInitStart(ProgramWriter& w) { WriteInclude(w, InitStart); }
void TObjInc::GenerateInitEnd(ProgramWriter& w) { WriteInclude(w, InitEnd); }
void TObjInc::GenerateInterruptCode(ProgramWriter& w) { WriteInclude(w, Interrupt); }
void TObjInc::GenerateMainStart(ProgramWriter& w) { WriteInclude(w, MainStart); }
void TObjInc::GenerateSubroutines(ProgramWriter& w) { WriteInclude(w, Subroutines); }

bool TObjInc::AcceptBuild() {
  const Project* project = GetProject();
  if (!project) return true;
  // The source the build wrote: the one named, or the one derived from the project file.
  const std::string source = project->SourceFileName == kDefaultSourceName
                                 ? DefaultSourcePath(project->ProjectFileName)
                                 : project->SourceFileName;
  const std::optional<std::string> listing = ReadFileBounded(SiblingFile(source, ".LST")).bytes;
  if (!listing) return true;
  // Without both labels there is nothing to measure: the entered length stands.
  std::optional<int> measured = MeasureListing(*listing, Number);
  if (!measured) return true;
  const bool agreed = *measured == IncludeLength;
  IncludeLength = uint16_t(*measured);
  return agreed;
}

}  // namespace tolmek
