// GND/VCC: the bit it announces and the instruction that holds its net at the constant level.
#include "components/gnd.h"

namespace tolmek {

// Completed with the code writer.
void TObjGnd::GenerateMainCode(ProgramWriter&) {}
void TObjGnd::DeclareVariables(Analysis&) {}
void TObjGnd::NoteUsedNames(Analysis&) {}

}  // namespace tolmek
