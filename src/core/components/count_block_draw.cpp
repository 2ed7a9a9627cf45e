// Drawing of the counting blocks: the frame with inputs and active outputs, and the value while simulating.
#include <vector>

#include "components/count_block.h"
#include "components/draw_helpers.h"

namespace tolmek {

void TCountBlock::Draw(Canvas& canvas, int originX, int originY) {
  std::vector<TObjAnschluss*> drawn = InputPins();
  for (int i = 0; i < ActiveOutputs(); ++i) drawn.push_back(outputs_[size_t(i)]);
  DrawBlockFrame(canvas, *this, originX, originY, drawn);
  if (canvas.Style().simulating && value_) {
    const Point at = ValueBoxAt();
    DrawValueBox(canvas, at.x, at.y, std::to_string(SimValue()));
  }
}

}  // namespace tolmek
