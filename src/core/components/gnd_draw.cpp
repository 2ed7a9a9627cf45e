// Drawing of GND/VCC (minimal until the page-window drawing lands).
#include "components/gnd.h"

namespace tolmek {

void TObjGnd::Draw(Canvas& canvas, int originX, int originY) {
  UpdateDrawPosition(originX, originY);
  Pin().Draw(canvas, originX, originY);
}

}  // namespace tolmek
