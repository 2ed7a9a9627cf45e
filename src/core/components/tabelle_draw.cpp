// Drawing of the table: its name above, the length and width, and a small grid.
#include <string>

#include "components/draw_helpers.h"
#include "components/tabelle.h"

namespace tolmek {

void TObjTabelle::Draw(Canvas& canvas, int originX, int originY) {
  UpdateDrawPosition(originX, originY);
  const DrawStyle& s = canvas.Style();
  const int left = DrawX, top = DrawY, right = DrawX + Width, bottom = DrawY + Height;
  if (s.threeD) {
    Draw3DBox(canvas, left, top, right, bottom, Marked);
  } else {
    canvas.SetPen(MarkColor(canvas, s.objectBorder, Marked));
    canvas.SetBrush(s.objectFill);
    canvas.Rectangle(left, top, right, bottom);
  }
  canvas.Text(DrawX, DrawY - 16, Name, ObjectFont(s.objectText));
  Font small = ObjectFont(s.threeD ? colors::Black : s.objectInnerText);
  small.height = 10;
  canvas.Text(DrawX + 3, DrawY + 3, std::to_string(Length) + (Is16Bit() ? ",16" : ",8"), small);
  // The grid: three rows of two cells below the text.
  canvas.SetPen(MarkColor(canvas, s.threeD ? colors::Grey : s.objectBorder, Marked));
  const int gridTop = DrawY + 16, gridBottom = DrawY + Height - 4, gridLeft = DrawX + 4, gridRight = DrawX + Width - 4;
  for (int k = 0; k <= 3; ++k) {
    const int y = gridTop + k * (gridBottom - gridTop) / 3;
    canvas.Line(gridLeft, y, gridRight, y);
  }
  for (int k = 0; k <= 2; ++k) {
    const int x = gridLeft + k * (gridRight - gridLeft) / 2;
    canvas.Line(x, gridTop, x, gridBottom);
  }
}

}  // namespace tolmek
