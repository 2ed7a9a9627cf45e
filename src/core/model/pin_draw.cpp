// Drawing of pins: the stub, the inversion wedge, the net name outside and the pin label inside the block.
#include "components/draw_helpers.h"
#include "model/pin.h"

namespace tolmek {

void TObjAnschluss::Draw(Canvas& canvas, int originX, int originY) {
  UpdateDrawPosition(originX, originY);
  const DrawStyle& s = canvas.Style();
  const int out = Side == 0 ? -1 : 1;  // the direction the stub points to, away from the body
  const int x = DrawX, y = DrawY;

  Color stub = s.threeD ? colors::Silver : s.pin;
  stub = MarkColor(canvas, stub, Marked != 0);
  canvas.SetPen(stub);
  canvas.Line(x, y, x + 10 * out, y);
  if (s.threeD) {
    canvas.SetPen(Marked ? stub : colors::Grey);
    canvas.Line(x, y + 1, x + 10 * out, y + 1);
    canvas.SetPen(stub);
  }
  if (Inverted) {
    // Three lines on each side of the stub, shorter further out: a wedge against the body.
    static constexpr int kLength[] = {6, 5, 4};
    for (int d = 1; d <= 3; ++d) {
      int len = kLength[d - 1];
      canvas.Line(x, y - d, x + len * out, y - d);
      canvas.Line(x, y + d, x + len * out, y + d);
    }
  }

  // "." and "" are the names of unnamed nets; writing them would only litter the plan.
  if (!Name.empty() && Name != ".") {
    Font font = ObjectFont(s.pinText);
    int w = canvas.TextWidth(Name, font);
    canvas.Text(Side == 0 ? x - 1 - w : x + 1, y - kObjectFontHeight - 1, Name, font);
  }
  if (!PinLabel.empty()) {
    int w = canvas.TextWidth(PinLabel, ObjectFont(s.objectInnerText));
    int inner = Side == 0 ? x + 2 : x - 2 - w;
    DrawInnerText(canvas, *this, inner, y - kObjectFontHeight / 2, PinLabel);
  }
}

}  // namespace tolmek
