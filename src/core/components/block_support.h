// Small helpers the function blocks share: driving output levels and announcing work registers.
#pragma once

#include <string_view>

#include "model/element.h"
#include "model/pin.h"

namespace tolmek {
class ProgramWriter;
}

namespace tolmek {

// Sets an output pin to a logical level; the pin applies its inversion. Nothing is redrawn when the pin
// and its net already carry that level, so steady outputs cost nothing per tick.
void DriveLevel(TObjAnschluss& output, bool level);
// Clears the simulated levels of the element's pins.
void ClearLevels(TBauteil& element);
// Enters the eight bit names of a work register ("SYS_TMP1.0" .. "SYS_TMP1.7") into the bit list.
void RegisterWorkBits(Analysis& a, std::string_view registerName);

// Tells that the chosen part lacks what a block needs (message 37 naming the missing pin or unit and the
// block); never in the preview. The block then writes no code.
void ReportMissingPart(ProgramWriter& w, std::string_view what, std::string_view block);
// True while the preview (status refresh) is written: operands and parts are not complained about.
[[nodiscard]] bool PreviewRun(const ProgramWriter& w);

}  // namespace tolmek
