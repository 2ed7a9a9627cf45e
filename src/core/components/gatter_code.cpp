// The generated code of the gatter.
#include "components/gatter.h"

namespace tolmek {

void TObjGatter::GenerateMainCode(ProgramWriter&) {}

}  // namespace tolmek
