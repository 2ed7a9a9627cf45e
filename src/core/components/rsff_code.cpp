// The generated code of the rsff.
#include "components/rsff.h"

namespace tolmek {

void TObjRsff::GenerateMainCode(ProgramWriter&) {}

}  // namespace tolmek
