// Drawing of the limiter: the frame with its pins, a clipped slope as its symbol and, while simulating,
// the output value in its value box.
#include <string>

#include "components/draw_helpers.h"
#include "components/limit.h"

namespace tolmek {

void TObjLimit::Draw(Canvas& canvas, int originX, int originY) {
  DrawBlockFrame(canvas, *this, originX, originY);
  const DrawStyle& s = canvas.Style();
  canvas.SetPen(s.threeD ? colors::Black : s.objectInnerText);
  // A rising line flattened at both ends.
  const int left = DrawX + 18, right = DrawX + Width - 18, top = DrawY + 18, bottom = DrawY + Height - 18;
  canvas.Line(left, bottom, left + 6, bottom);
  canvas.Line(left + 6, bottom, right - 6, top);
  canvas.Line(right - 6, top, right, top);
  DrawInnerText(canvas, *this, DrawX + Width - 26, DrawY + Height - 16, Is16Bit() ? "16" : "8");
  if (s.simulating && showing_) DrawValueBox(canvas, DrawX + Width, DrawY + 33, std::to_string(shown_));
}

}  // namespace tolmek
