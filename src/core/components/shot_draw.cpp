// Drawing of the one-shot: the frame with IN and OUT and a single short pulse.
#include "components/draw_helpers.h"
#include "components/shot.h"

namespace tolmek {

void TObjShot::Draw(Canvas& canvas, int originX, int originY) {
  DrawBlockFrame(canvas, *this, originX, originY);
  const DrawStyle& s = canvas.Style();
  canvas.SetPen(s.threeD ? colors::Black : s.objectInnerText);
  const int x = DrawX + 25, top = DrawY + 6, bottom = DrawY + 16;
  canvas.Line(x, bottom, x + 6, bottom);
  canvas.Line(x + 6, bottom, x + 6, top);
  canvas.Line(x + 6, top, x + 9, top);
  canvas.Line(x + 9, top, x + 9, bottom);
  canvas.Line(x + 9, bottom, x + 20, bottom);
}

}  // namespace tolmek
