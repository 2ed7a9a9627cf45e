// Drawing of labels: an arrow sized to the name, pointing away from a source's pin and towards a
// destination's; the pin writes the name inside.
#include "components/draw_helpers.h"
#include "components/spl.h"

namespace tolmek {

void TObjSpl::Draw(Canvas& canvas, int originX, int originY) {
  const DrawStyle& s = canvas.Style();
  Width = (canvas.TextWidth(Name, ObjectFont(s.objectInnerText)) + 45) / 10 * 10;
  if (!IsSource()) pin_->X = Width - 10;  // a destination's pin sits on the right edge
  UpdateDrawPosition(originX, originY);

  const int top = DrawY, mid = DrawY + Height / 2, bottom = DrawY + Height;
  Point shape[5];
  if (IsSource()) {
    const int left = DrawX + 10, right = DrawX + Width;
    shape[0] = {left, top}, shape[1] = {right - 10, top}, shape[2] = {right, mid};
    shape[3] = {right - 10, bottom}, shape[4] = {left, bottom};
  } else {
    const int left = DrawX, right = DrawX + Width - 10;
    shape[0] = {left, mid}, shape[1] = {left + 10, top}, shape[2] = {right, top};
    shape[3] = {right, bottom}, shape[4] = {left + 10, bottom};
  }
  if (s.threeD) {
    canvas.SetPen(colors::White);
    canvas.SetBrush(Marked ? colors::Maroon : colors::Silver);
  } else {
    canvas.SetPen(MarkColor(canvas, s.objectBorder, Marked != 0));
    canvas.SetBrush(s.objectFill);
  }
  canvas.Polygon(shape);
  pin_->Draw(canvas, originX, originY);
}

}  // namespace tolmek
