// Drawing of the logic gate: frame, the active inputs and the output, and the operator symbol.
#include <vector>

#include "components/draw_helpers.h"
#include "components/gatter.h"

namespace tolmek {

void TObjGatter::Draw(Canvas& canvas, int originX, int originY) {
  std::vector<TObjAnschluss*> drawn{output_};
  for (int i = 0; i < ActiveInputs(); ++i) drawn.push_back(inputs_[size_t(i)]);
  DrawBlockFrame(canvas, *this, originX, originY, drawn);
  if (const char* symbol = Symbol(); *symbol) DrawInnerText(canvas, *this, DrawX + 15, DrawY + 5, symbol);
}

}  // namespace tolmek
