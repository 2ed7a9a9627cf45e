// What pins announce to the analysis pass (bit names and RAM variables of output pins).
#include "codegen/analysis.h"
#include "model/pin.h"

namespace tolmek {

void TObjAnschluss::DeclareVariables(Analysis& a) {
  if (!IsOutput()) return;
  if (Bits == 1) {
    a.RegisterBit(Name, Kind, Inverted ? 1 : 0);
    return;
  }
  for (int b = 0; b < 8; ++b) a.RegisterBit(Name + "." + std::to_string(b), Kind, 0);
  if (Bits == 16)
    for (int b = 0; b < 8; ++b) a.RegisterBit(Name + "_HI." + std::to_string(b), Kind, 0);
}

void TObjAnschluss::NoteUsedNames(Analysis& a) {
  if (!IsOutput()) return;
  a.RegisterVariable(Name);
  if (Bits > 1 && HighByteUsed && !Name.empty()) a.RegisterVariable(Name + "_HI");
}

}  // namespace tolmek
