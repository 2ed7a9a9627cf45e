// TObjText: a comment, free text in its own font.
#pragma once

#include "model/element.h"

namespace tolmek {

class TObjText final : public TBauteil {
 public:
  TObjText(int32_t x, int32_t y);

  std::string CommentText = "Kommentar";
  // The font as stored: colour 0x00BBGGRR, height, face, style bits (bold, italic, underline, strike-out).
  uint32_t FontColor = 0x00FFFF00;  // blue 255, green 255, red 0
  uint16_t FontHeight = 15;
  std::string FontFace = "ARIAL";
  uint8_t FontStyle = 0;

  [[nodiscard]] Font CommentFont() const;
  void SetCommentFont(const Font& font);

  void Draw(Canvas& canvas, int originX, int originY) override;
  void Record(RecordVisitor& v) override;
};

}  // namespace tolmek
