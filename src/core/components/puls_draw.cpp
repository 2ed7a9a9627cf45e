// Drawing of the mono-flop: frame, "PD=" and the length, a pulse, and "V" (delay) or "R" (retriggerable).
#include "components/draw_helpers.h"
#include "components/puls.h"

namespace tolmek {

void TObjPuls::Draw(Canvas& canvas, int originX, int originY) {
  DrawBlockFrame(canvas, *this, originX, originY);
  const DrawStyle& s = canvas.Style();
  DrawInnerText(canvas, *this, DrawX + 15, DrawY + 4, "PD=");
  DrawInnerText(canvas, *this, DrawX + 15, DrawY + 20, LengthText());
  canvas.SetPen(s.threeD ? colors::Black : s.objectInnerText);
  const int x = DrawX + 48, top = DrawY + 6, low = DrawY + 14;
  canvas.Line(x, low, x + 5, low);
  canvas.Line(x + 5, low, x + 5, top);
  canvas.Line(x + 5, top, x + 17, top);
  canvas.Line(x + 17, top, x + 17, low);
  canvas.Line(x + 17, low, x + 22, low);
  if (DelayFunction) DrawInnerText(canvas, *this, DrawX + Width - 22, DrawY + Height - 16, "V");
  else if (Retrigger) DrawInnerText(canvas, *this, DrawX + Width - 22, DrawY + Height - 16, "R");
}

}  // namespace tolmek
