// Drawing of the timer: a body without an input margin, "PD=" and the period, and a square wave.
#include "components/draw_helpers.h"
#include "components/timer.h"

namespace tolmek {

void TObjTimer::Draw(Canvas& canvas, int originX, int originY) {
  UpdateDrawPosition(originX, originY);
  const DrawStyle& s = canvas.Style();
  const int right = DrawX + Width - 10, bottom = DrawY + Height;
  if (s.threeD) {
    Draw3DBox(canvas, DrawX, DrawY, right, bottom, Marked);
  } else {
    canvas.SetPen(MarkColor(canvas, s.objectBorder, Marked));
    canvas.SetBrush(s.objectFill);
    canvas.Rectangle(DrawX, DrawY, right, bottom);
  }
  canvas.Text(DrawX + 10, DrawY - 16, Name, ObjectFont(s.objectText));
  DrawInnerText(canvas, *this, DrawX + 5, DrawY + 4, "PD=");
  DrawInnerText(canvas, *this, DrawX + 5, DrawY + 20, PeriodText());
  canvas.SetPen(s.threeD ? colors::Black : s.objectInnerText);
  const int x = DrawX + 35, top = DrawY + 6, low = DrawY + 14;
  canvas.Line(x, low, x + 5, low);
  canvas.Line(x + 5, low, x + 5, top);
  canvas.Line(x + 5, top, x + 10, top);
  canvas.Line(x + 10, top, x + 10, low);
  canvas.Line(x + 10, low, x + 15, low);
  canvas.Line(x + 15, low, x + 15, top);
  canvas.Line(x + 15, top, x + 20, top);
  out_->Draw(canvas, originX, originY);
}

}  // namespace tolmek
