// Drawing of the RS flip-flop: the frame; the pin labels S, R and Y say what it is.
#include "components/draw_helpers.h"
#include "components/rsff.h"

namespace tolmek {

void TObjRsff::Draw(Canvas& canvas, int originX, int originY) { DrawBlockFrame(canvas, *this, originX, originY); }

}  // namespace tolmek
