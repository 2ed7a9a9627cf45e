// Drawing of the pulse output: the block frame with its pins, and a pulse for the timed pulse.
#include "components/draw_helpers.h"
#include "components/pulsout.h"

namespace tolmek {

void TObjPulsOut::Draw(Canvas& canvas, int originX, int originY) {
  DrawBlockFrame(canvas, *this, originX, originY);
  // The pin labels take the corners; the hardware PWM's enable label already ends in "PWM". The pulse gets a
  // pulse with its length in the free corner beside "EN".
  if (IsPwm()) return;
  const DrawStyle& s = canvas.Style();
  const int x = DrawX + 40, y = DrawY + 20;
  canvas.SetPen(s.threeD ? colors::Black : s.objectInnerText);
  const Point pulse[] = {{x, y + 10}, {x + 6, y + 10}, {x + 6, y}, {x + 18, y}, {x + 18, y + 10}, {x + 24, y + 10}};
  for (size_t i = 0; i + 1 < std::size(pulse); ++i) canvas.Line(pulse[i].x, pulse[i].y, pulse[i + 1].x, pulse[i + 1].y);
  canvas.Line(x + 6, y + 13, x + 18, y + 13);  // the length
  canvas.Line(x + 6, y + 12, x + 6, y + 15);
  canvas.Line(x + 18, y + 12, x + 18, y + 15);
}

}  // namespace tolmek
