// The generated code of the strigg8.
#include "components/strigg8.h"

namespace tolmek {

void TObjStrigg8::GenerateMainCode(ProgramWriter&) {}

}  // namespace tolmek
