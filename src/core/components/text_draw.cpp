// Drawing of comments: the text in its font (the selection colour when selected); its extent becomes
// the element's size.
#include "components/draw_helpers.h"
#include "components/text.h"

namespace tolmek {

void TObjText::Draw(Canvas& canvas, int originX, int originY) {
  UpdateDrawPosition(originX, originY);
  Font font = CommentFont();
  if (Marked) font.color = canvas.Style().objectSelectedBorder;
  canvas.Text(DrawX, DrawY, CommentText, font);
  Width = canvas.TextWidth(CommentText, font);
  Height = canvas.TextHeight(CommentText, font);
}

}  // namespace tolmek
