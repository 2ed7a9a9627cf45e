// Drawing of comments: the text in its font; its extent becomes the element's size.
#include "components/text.h"

namespace tolmek {

void TObjText::Draw(Canvas& canvas, int originX, int originY) {
  UpdateDrawPosition(originX, originY);
  Font font = CommentFont();
  if (Marked) font.color = Color{255, 0, 0};
  canvas.Text(DrawX, DrawY, CommentText, font);
  Width = canvas.TextWidth(CommentText, font);
  Height = canvas.TextHeight(CommentText, font);
}

}  // namespace tolmek
