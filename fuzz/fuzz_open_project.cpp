// Fuzz target for the project file reader: any bytes may come in; nothing may crash, leak or hang, and a
// plan that was accepted must survive writing, re-reading and the JSON form unchanged.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "model/bytes.h"
#include "model/messages.h"
#include "model/plan_json.h"
#include "model/project.h"
#include "model/project_file.h"

namespace {

using namespace tolmek;

// The seed corpus protects its plans with this password.
constexpr const char* kPassword = "PW";

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
  FixedPassword password{std::string(kPassword)};
  std::string_view bytes(reinterpret_cast<const char*>(data), size);

  // The clipboard path reads the same records after no header.
  Project pasted(messenger);
  bool pasteOk = PasteElements(pasted, bytes);
  Require(pasteOk || pasted.Elements().empty(), "a failed paste left elements behind");

  try {
    if (!ProjectFromBytes(project, bytes, password)) {
      Require(project.Elements().empty(), "a refused password left elements behind");
      return 0;
    }
  } catch (const CorruptFile&) {
    Require(project.Elements().empty(), "a damaged file left elements behind");
    return 0;
  }

  std::string written = ProjectToBytes(project);
  Project again(messenger);
  bool reread = false;
  try {
    reread = ProjectFromBytes(again, written, password);
  } catch (const CorruptFile&) {
  }
  Require(reread, "a written plan could not be read back");
  Require(ProjectToBytes(again) == written, "writing a re-read plan changed it");

  Project imported(messenger);
  try {
    PlanFromJson(imported, PlanToJson(project));
  } catch (const CorruptFile& e) {
    std::fprintf(stderr, "%s\n", e.what());
    Require(false, "the JSON form of an accepted plan was refused");
  }
  Require(ProjectToBytes(imported) == written, "the JSON form changed the plan");
  return 0;
}
