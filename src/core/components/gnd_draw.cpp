// Drawing of GND (the earth symbol under the pin) and VCC (a circle beside the pin, marked "+").
#include "components/draw_helpers.h"
#include "components/gnd.h"

namespace tolmek {

namespace {

void SymbolLine(Canvas& c, int x1, int y1, int x2, int y2, bool marked) {
  if (c.Style().threeD) {
    Draw3DLine(c, x1, y1, x2, y2, marked);
    return;
  }
  c.SetPen(MarkColor(c, c.Style().objectBorder, marked));
  c.Line(x1, y1, x2, y2);
}

}  // namespace

void TObjGnd::Draw(Canvas& canvas, int originX, int originY) {
  UpdateDrawPosition(originX, originY);
  const DrawStyle& s = canvas.Style();
  const bool marked = Marked != 0;
  if (SupplyMode == kGnd) {
    const int x = DrawX + pin_->X, y = DrawY + pin_->Y;
    SymbolLine(canvas, x, y, x, DrawY + 20, marked);
    static constexpr int kHalf[] = {8, 5, 2};  // three bars, each shorter, 4 units apart
    for (int i = 0; i < 3; ++i) SymbolLine(canvas, x - kHalf[i], DrawY + 20 + 4 * i, x + kHalf[i], DrawY + 20 + 4 * i, marked);
  } else {
    const bool right = pin_->Side == 1;
    const int left = right ? DrawX + 1 : DrawX + 10, far = right ? DrawX + 20 : DrawX + 29;
    if (s.threeD) {
      Draw3DEllipse(canvas, left, DrawY + 1, far, DrawY + 19, marked);
    } else {
      canvas.SetPen(MarkColor(canvas, s.objectBorder, marked));
      canvas.SetBrush(s.objectFill);
      canvas.Ellipse(left, DrawY + 1, far, DrawY + 19);
    }
  }
  pin_->Draw(canvas, originX, originY);
}

}  // namespace tolmek
