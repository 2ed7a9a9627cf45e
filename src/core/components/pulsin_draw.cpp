// Drawing of the pulse input: the box with the input's name, a pulse and an arrow, and the measured value
// while simulating.
#include "components/draw_helpers.h"
#include "components/pulsin.h"

namespace tolmek {

void TObjPulsIn::Draw(Canvas& canvas, int originX, int originY) {
  UpdateDrawPosition(originX, originY);
  DrawBlockBody(canvas, *this, DrawX, DrawX + Width - 10, DrawX);
  const DrawStyle& s = canvas.Style();
  const int x = DrawX, y = DrawY;
  canvas.SetPen(s.threeD ? colors::Black : s.objectInnerText);
  if (NegativeEdge) canvas.Line(x + 4, y + 18, x + 30, y + 18);
  DrawInnerText(canvas, *this, x + 4, y + 20, "RB." + std::to_string(PinNumber()));
  canvas.SetPen(s.threeD ? colors::Black : s.objectInnerText);
  const Point pulse[] = {{x + 15, y + 15}, {x + 20, y + 15}, {x + 20, y + 5}, {x + 30, y + 5}, {x + 30, y + 15},
                         {x + 40, y + 15}};
  for (size_t i = 0; i + 1 < std::size(pulse); ++i)
    canvas.Line(pulse[i].x, pulse[i].y, pulse[i + 1].x, pulse[i + 1].y);
  canvas.Line(x + 5, y + 10, x + 15, y + 10);
  canvas.Line(x + 15, y + 10, x + 10, y + 5);
  canvas.Line(x + 15, y + 10, x + 10, y + 15);
  out_->Draw(canvas, originX, originY);
  if (simulating_ && shown_ >= 0) DrawValueBox(canvas, x + Width, y + 35, std::to_string(shown_));
}

}  // namespace tolmek
