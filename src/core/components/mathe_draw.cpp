// Drawing of the arithmetic block: the frame with its pins (the result labelled with the operation), the
// width and, while simulating, the result in its value box.
#include <string>

#include "components/draw_helpers.h"
#include "components/mathe.h"

namespace tolmek {

void TObjMathe::Draw(Canvas& canvas, int originX, int originY) {
  r_->PinLabel = OpLabel(Operation);
  DrawBlockFrame(canvas, *this, originX, originY);
  DrawWidthMark(canvas, *this, Is16Bit());
  if (canvas.Style().simulating && showing_) DrawValueBox(canvas, DrawX + Width, DrawY + 35, std::to_string(shown_));
}

}  // namespace tolmek
