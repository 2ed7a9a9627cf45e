// Drawing of junction nodes and their wires (minimal until the page-window drawing lands).
#include "model/node.h"

namespace tolmek {

void TObjKnoten::Draw(Canvas&, int originX, int originY) { UpdateDrawPosition(originX, originY); }

}  // namespace tolmek
