// Drawing of pins (minimal until the page-window drawing lands).
#include "model/pin.h"

namespace tolmek {

void TObjAnschluss::Draw(Canvas&, int originX, int originY) { UpdateDrawPosition(originX, originY); }

}  // namespace tolmek
