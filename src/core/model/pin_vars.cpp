// What pins announce to the analysis pass (bit names and RAM variables of output pins).
#include "model/pin.h"

namespace tolmek {

// Filled in with the analysis pass's registries.
void TObjAnschluss::DeclareVariables(Analysis&) {}
void TObjAnschluss::NoteUsedNames(Analysis&) {}

}  // namespace tolmek
