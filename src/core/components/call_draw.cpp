// Drawing of the table call: "CALL" above, the table's name inside, the width and the value looked up.
#include <string>

#include "components/call.h"
#include "components/draw_helpers.h"

namespace tolmek {

void TObjCall::Draw(Canvas& canvas, int originX, int originY) {
  UpdateDrawPosition(originX, originY);
  const DrawStyle& s = canvas.Style();
  const int left = DrawX + 10, top = DrawY, right = DrawX + Width - 10, bottom = DrawY + Height;
  if (s.threeD) {
    Draw3DBox(canvas, left, top, right, bottom, Marked);
  } else {
    canvas.SetPen(MarkColor(canvas, s.objectBorder, Marked));
    canvas.SetBrush(s.objectFill);
    canvas.Rectangle(left, top, right, bottom);
  }
  canvas.Text(DrawX + 10, DrawY - 16, "CALL", ObjectFont(s.objectText));
  DrawInnerText(canvas, *this, DrawX + 15, DrawY + 2, Name);
  const char* width = Is16Bit() ? "16" : "8";
  DrawInnerText(canvas, *this, right - 4 - canvas.TextWidth(width, ObjectFont(colors::Black)), bottom - 17, width);
  in_->Draw(canvas, originX, originY);
  out_->Draw(canvas, originX, originY);
  if (s.simulating && shown_ >= 0) DrawValueBox(canvas, DrawX + Width, DrawY + 35, std::to_string(shown_));
}

}  // namespace tolmek
