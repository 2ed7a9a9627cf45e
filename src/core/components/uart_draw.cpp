// Drawing of the UART module: a body with "UART", its speed and the checksum option.
#include <string>

#include "components/draw_helpers.h"
#include "components/uart.h"

namespace tolmek {

void TObjUart::Draw(Canvas& canvas, int originX, int originY) {
  DrawBlockFrame(canvas, *this, originX, originY, {});
  DrawInnerText(canvas, *this, DrawX + 15, DrawY + 3, UartType == 0 ? "UART" : "UART SW");
  const std::string speed = CustomRate ? "SPBRG=" + std::to_string(Spbrg)
                                       : std::to_string(kPresetBauds[RateIndex <= 3 ? RateIndex : 0]);
  DrawInnerText(canvas, *this, DrawX + 15, DrawY + 18, speed + (WithChecksum ? " +CS" : ""));
}

}  // namespace tolmek
