// Drawing of the include block: a box with its place in the program and the file name.
#include <algorithm>

#include "components/draw_helpers.h"
#include "components/inc.h"

namespace tolmek {

void TObjInc::Draw(Canvas& canvas, int originX, int originY) {
  UpdateDrawPosition(originX, originY);
  const DrawStyle& s = canvas.Style();
  const bool marked = Marked != 0;
  const Font font = ObjectFont(s.objectInnerText);
  const int textHeight = canvas.TextHeight(IncludeFile, font);
  // The place may be the longer text ("Subroutine" over "A.INC"); the box holds both lines.
  const int textWidth = std::max(canvas.TextWidth(IncludeFile, font), canvas.TextWidth(PositionText(), font));
  Width = textWidth + 8;
  Height = 2 * textHeight + 16;
  if (s.threeD) {
    Draw3DBox(canvas, DrawX, DrawY, DrawX + Width, DrawY + Height, marked);
  } else {
    canvas.SetPen(MarkColor(canvas, s.objectBorder, marked));
    canvas.SetBrush(s.objectFill);
    canvas.Rectangle(DrawX, DrawY, DrawX + Width, DrawY + Height);
  }
  DrawInnerText(canvas, *this, DrawX + 4, DrawY + 4, PositionText());
  DrawInnerText(canvas, *this, DrawX + 4, DrawY + textHeight + 12, IncludeFile);
}

}  // namespace tolmek
