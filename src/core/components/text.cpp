// Comments: text, font and record.
#include "components/text.h"

#include <cstdlib>

namespace tolmek {

TObjText::TObjText(int32_t x, int32_t y) : TBauteil(x, y) { Kind = kind::Text; }

Font TObjText::CommentFont() const {
  Font f;
  f.face = FontFace;
  f.height = FontHeight;
  f.color = Color::FromStored(FontColor);
  f.bold = FontStyle & 1;
  f.italic = FontStyle & 2;
  f.underline = FontStyle & 4;
  f.strikeOut = FontStyle & 8;
  return f;
}

void TObjText::SetCommentFont(const Font& f) {
  FontFace = f.face;
  FontHeight = uint16_t(std::abs(f.height));  // a negative height means the same size
  FontColor = f.color.Stored();
  FontStyle = uint8_t((f.bold ? 1 : 0) | (f.italic ? 2 : 0) | (f.underline ? 4 : 0) | (f.strikeOut ? 8 : 0));
}

void TObjText::Record(RecordVisitor& v) {
  BaseRecord(v);
  v.Text("text", CommentText, 255);
  v.Long("fontColor", FontColor);
  v.Word("fontHeight", FontHeight);
  v.Text("fontFace", FontFace, 255);
  v.Byte("fontStyle", FontStyle);
  v.Page(Page);
  v.Zeros(254);
}

}  // namespace tolmek
