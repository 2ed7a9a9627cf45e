// Drawing of the comparator: the frame with its pins (the output labelled with the relation) and the width.
#include "components/draw_helpers.h"
#include "components/vergl.h"

namespace tolmek {

void DrawWidthMark(Canvas& canvas, const TBauteil& block, bool wide) {
  if (wide)
    DrawInnerText(canvas, block, block.DrawX + block.Width - 26, block.DrawY + block.Height - 16, "16");
  else
    DrawInnerText(canvas, block, block.DrawX + block.Width - 20, block.DrawY + block.Height - 16, "8");
}

void TObjVergl::Draw(Canvas& canvas, int originX, int originY) {
  q_->PinLabel = OpLabel(CompareOp);
  DrawBlockFrame(canvas, *this, originX, originY);
  DrawWidthMark(canvas, *this, Is16Bit());
}

}  // namespace tolmek
