// Drawing of the UART data block: "UDATA" and its direction.
#include "components/draw_helpers.h"
#include "components/udata.h"

namespace tolmek {

void TObjUdata::Draw(Canvas& canvas, int originX, int originY) {
  DrawBlockFrame(canvas, *this, originX, originY);
  DrawInnerText(canvas, *this, DrawX + 15, DrawY + 3, "UDATA");
  DrawInnerText(canvas, *this, DrawX + 15, DrawY + 18, Direction == kReceive ? "F=RxD" : "F=TxD");
}

}  // namespace tolmek
