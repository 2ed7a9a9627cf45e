// Drawing of the LCD module: a body with "LCD" and its size.
#include <string>

#include "components/draw_helpers.h"
#include "components/lcd_base.h"

namespace tolmek {

void TObjLcdBase::Draw(Canvas& canvas, int originX, int originY) {
  DrawBlockFrame(canvas, *this, originX, originY, {});
  DrawInnerText(canvas, *this, DrawX + 15, DrawY + 3, "LCD");
  DrawInnerText(canvas, *this, DrawX + 15, DrawY + 18, std::to_string(UsedColumns()) + "x" + std::to_string(UsedRows()));
}

}  // namespace tolmek
