// Drawing of the Schmitt trigger: the frame with its pins and the hysteresis loop in the upper right.
#include "components/draw_helpers.h"
#include "components/strigg8.h"

namespace tolmek {

void TObjStrigg8::Draw(Canvas& canvas, int originX, int originY) {
  DrawBlockFrame(canvas, *this, originX, originY);
  const DrawStyle& s = canvas.Style();
  canvas.SetPen(s.threeD ? colors::Black : s.objectInnerText);
  const int x0 = DrawX + Width - 30, x1 = x0 + 4, x2 = x0 + 10, x3 = x0 + 14;
  const int top = DrawY + 8, bottom = DrawY + 20;
  canvas.Line(x0, bottom, x2, bottom);
  canvas.Line(x2, bottom, x2, top);
  canvas.Line(x1, top, x3, top);
  canvas.Line(x1, top, x1, bottom);
}

}  // namespace tolmek
