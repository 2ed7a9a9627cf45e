// Drawing of the data block: "Q=", the width, the name as its value and, while simulating, the value box.
#include <algorithm>
#include <string>

#include "components/data8.h"
#include "components/draw_helpers.h"

namespace tolmek {

void TObjData8::Draw(Canvas& canvas, int originX, int originY) {
  // The block is as wide as its name needs: text width + 25, down to a multiple of 10, at least 70.
  const int fitted = std::max(70, (canvas.TextWidth(Name, ObjectFont(colors::Black)) + 25) / 10 * 10);
  if (fitted != Width) {
    Width = fitted;
    FitPin();
  }
  UpdateDrawPosition(originX, originY);
  const DrawStyle& s = canvas.Style();
  const int left = DrawX, top = DrawY, right = DrawX + Width - 10, bottom = DrawY + Height;
  if (s.threeD) {
    Draw3DBox(canvas, left, top, right, bottom, Marked);
  } else {
    canvas.SetPen(MarkColor(canvas, s.objectBorder, Marked));
    canvas.SetBrush(s.objectFill);
    canvas.Rectangle(left, top, right, bottom);
  }
  DrawInnerText(canvas, *this, DrawX + 5, DrawY + 5, "Q=");
  const char* width = Is16Bit() ? "16" : "8";
  DrawInnerText(canvas, *this, right - 5 - canvas.TextWidth(width, ObjectFont(colors::Black)), DrawY + 5, width);
  DrawInnerText(canvas, *this, DrawX + 5, DrawY + 24, Name);
  q_->Draw(canvas, originX, originY);
  if (s.simulating && shown_ >= 0) DrawValueBox(canvas, DrawX + Width, DrawY + 25, std::to_string(shown_));
}

}  // namespace tolmek
