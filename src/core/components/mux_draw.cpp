// Drawing of the multiplexer: the frame with its active pins, "MUX" and the width, and the routed values
// while simulating.
#include <string>

#include "components/draw_helpers.h"
#include "components/mux.h"

namespace tolmek {

void TObjMux::Draw(Canvas& canvas, int originX, int originY) {
  DrawBlockFrame(canvas, *this, originX, originY, ActivePins());
  DrawInnerText(canvas, *this, DrawX + 25, DrawY + 5, Is16Bit() ? "16" : "8");
  DrawInnerText(canvas, *this, DrawX + 22, DrawY + Height / 2 - 7, "MUX");
  if (!canvas.Style().simulating) return;
  if (OneToN()) {
    for (int k = 0; k < InputCount; ++k)
      if (shown_[size_t(k)] >= 0) DrawValueBox(canvas, DrawX + Width, DrawY + 20 * k, std::to_string(shown_[size_t(k)]));
  } else if (shown_[0] >= 0) {
    DrawValueBox(canvas, DrawX + Width, DrawY + 45, std::to_string(shown_[0]));
  }
}

}  // namespace tolmek
