// Drawing of the distributor: the frame with its active pins, the direction and, while simulating, the
// byte's value.
#include <string>

#include "components/bv.h"
#include "components/draw_helpers.h"

namespace tolmek {

void TObjBv::Draw(Canvas& canvas, int originX, int originY) {
  DrawBlockFrame(canvas, *this, originX, originY, active_);
  const int mid = DrawY + Height / 2 - 7;
  DrawInnerText(canvas, *this, DrawX + 35, mid, ByteToBit() ? "B>b" : "b>B");
  if (canvas.Style().simulating && shown_ >= 0) {
    const int y = ByteToBit() ? DrawY + byte_->Y - 25 : DrawY + byte_->Y + 5;
    DrawValueBox(canvas, ByteToBit() ? DrawX - 40 : DrawX + Width, y, std::to_string(shown_));
  }
}

}  // namespace tolmek
