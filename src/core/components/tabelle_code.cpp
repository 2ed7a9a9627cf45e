// The table's code after the main loop: its label and one RETLW per entry (two for 16-bit entries).
#include <string>

#include "codegen/program_writer.h"
#include "components/block_code.h"
#include "components/tabelle.h"

namespace tolmek {

void TObjTabelle::GenerateAfterMain(ProgramWriter& w) {
  BlockCode c(w, *this);
  c.Header("; Table -> " + Name);
  w.Label(Name);
  w.Blank();
  const int length = UsedLength();
  for (int i = 0; i < length; ++i) {
    const uint16_t value = Values[size_t(i)];
    const std::string index = "; // INDEX " + std::to_string(i);
    w.Instr("RETLW " + std::to_string(value & 0xFF), index);
    if (Is16Bit()) w.Instr("RETLW " + std::to_string(value >> 8), index);
  }
  w.Blank();
  // A 12-bit core jumps by writing PCL, which reaches only the first 256 words of a page: every entry
  // must lie there.
  w.NoteComputedJumpRange(Name, length * (Is16Bit() ? 2 : 1));
}

}  // namespace tolmek
