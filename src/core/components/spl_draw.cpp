// Drawing of labels (minimal until the page-window drawing lands).
#include "components/spl.h"

namespace tolmek {

void TObjSpl::Draw(Canvas& canvas, int originX, int originY) {
  UpdateDrawPosition(originX, originY);
  Pin().Draw(canvas, originX, originY);
}

}  // namespace tolmek
