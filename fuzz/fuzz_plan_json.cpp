// Fuzz target for the JSON importer: any text may come in. A refused text leaves an empty project; an
// accepted plan must save, reopen and export to the same plan.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "model/messages.h"
#include "model/plan_json.h"
#include "model/project.h"
#include "model/project_file.h"

namespace {

using namespace tolmek;

void Require(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "invariant broken: %s\n", what);
  std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  RecordingSink sink;
  Messenger messenger(&sink);
  Project project(messenger);
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  try {
    PlanFromJsonText(project, text);
  } catch (const CorruptFile&) {
    Require(project.Elements().empty(), "a refused plan left elements behind");
    return 0;
  }
  Require(FitsInFile(project), "an imported plan does not fit in a file");

  const std::string written = ProjectToBytes(project);
  Project again(messenger);
  FixedPassword password{project.Info.Password};
  bool reread = false;
  int repaired = -1;
  try {
    reread = ProjectFromBytes(again, written, password, &repaired);
  } catch (const CorruptFile& e) {
    std::fprintf(stderr, "%s\n", e.what());
  }
  Require(reread, "an imported plan could not be read back from its file");
  Require(repaired == 0, "the file of an imported plan had links to repair");
  Require(ProjectToBytes(again) == written, "the file of an imported plan changed on re-reading");

  Project exported(messenger);
  try {
    PlanFromJsonText(exported, PlanToJsonText(project));
  } catch (const CorruptFile& e) {
    std::fprintf(stderr, "%s\n", e.what());
    Require(false, "the export of an imported plan was refused");
  }
  Require(ProjectToBytes(exported) == written, "export and import changed the plan");
  return 0;
}
