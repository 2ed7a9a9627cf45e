// Helpers shared by the function blocks.
#include "components/block_support.h"

#include <string>

#include "codegen/analysis.h"
#include "codegen/program_writer.h"
#include "model/project.h"

namespace tolmek {

void DriveLevel(TObjAnschluss& output, bool level) {
  const uint8_t stored = uint8_t(level) ^ uint8_t(output.Inverted);
  if (output.Marked == stored && (!output.Partner || output.Partner->Marked == stored)) return;
  output.SetMarked(uint8_t(level));
}

void ClearLevels(TBauteil& element) {
  for (auto* pin : element.Pins()) pin->Marked = 0;
}

void RegisterWorkBits(Analysis& a, std::string_view registerName) {
  for (int bit = 0; bit < 8; ++bit) a.RegisterBit(std::string(registerName) + "." + std::to_string(bit), 0, 0);
}

bool PreviewRun(const ProgramWriter& w) {
  const std::string& file = w.GetProject().GeneratingFile;
  const std::string_view preview = kPreviewSourceName;
  return file.size() >= preview.size() && file.compare(file.size() - preview.size(), preview.size(), preview) == 0;
}

void ReportMissingPart(ProgramWriter& w, std::string_view what, std::string_view block) {
  if (!PreviewRun(w)) w.GetProject().Messages.ShowMessage(Msg::PinMissing, MessageMode::Error, what, block);
}

}  // namespace tolmek
