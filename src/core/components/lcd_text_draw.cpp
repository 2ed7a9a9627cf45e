// Drawing of the LCD output block: its pins, "LCD" + the module it writes to, and the format.
#include "components/draw_helpers.h"
#include "components/lcd_text.h"

namespace tolmek {

void TObjLcdText::Draw(Canvas& canvas, int originX, int originY) {
  DrawBlockFrame(canvas, *this, originX, originY);
  static constexpr const char* kFormats[] = {"Text", "Dez", "Hex", "Bin"};
  DrawInnerText(canvas, *this, DrawX + 25, DrawY + 3, "LCD->" + LcdName);
  DrawInnerText(canvas, *this, DrawX + 25, DrawY + 18, kFormats[Format <= kBinary ? Format : 0]);
}

}  // namespace tolmek
