// Drawing of the pulse output: the block frame with a pulse, and "PWM" with the module for the hardware PWM.
#include "components/draw_helpers.h"
#include "components/pulsout.h"

namespace tolmek {

void TObjPulsOut::Draw(Canvas& canvas, int originX, int originY) {
  DrawBlockFrame(canvas, *this, originX, originY);
  const DrawStyle& s = canvas.Style();
  const int x = DrawX + 30, y = DrawY + 8;
  canvas.SetPen(s.threeD ? colors::Black : s.objectInnerText);
  if (IsPwm()) {
    DrawInnerText(canvas, *this, x, DrawY + 20, "CCP" + std::to_string(Ccp()));
    const Point wave[] = {{x, y + 8}, {x + 4, y + 8}, {x + 4, y}, {x + 8, y}, {x + 8, y + 8},
                          {x + 14, y + 8}, {x + 14, y}, {x + 22, y}, {x + 22, y + 8}, {x + 26, y + 8}};
    for (size_t i = 0; i + 1 < std::size(wave); ++i) canvas.Line(wave[i].x, wave[i].y, wave[i + 1].x, wave[i + 1].y);
  } else {
    const Point pulse[] = {{x, y + 10}, {x + 6, y + 10}, {x + 6, y}, {x + 20, y}, {x + 20, y + 10}, {x + 26, y + 10}};
    for (size_t i = 0; i + 1 < std::size(pulse); ++i)
      canvas.Line(pulse[i].x, pulse[i].y, pulse[i + 1].x, pulse[i + 1].y);
    canvas.Line(x + 6, y + 16, x + 20, y + 16);  // the length
    canvas.Line(x + 6, y + 13, x + 6, y + 19);
    canvas.Line(x + 20, y + 13, x + 20, y + 19);
  }
}

}  // namespace tolmek
