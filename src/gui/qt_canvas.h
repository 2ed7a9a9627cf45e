// The plan canvas on a QPainter: plan units map to the painter's current transformation.
#pragma once

#include <QPainter>
#include <optional>

#include "model/canvas.h"

namespace tolmek {

class QtCanvas final : public Canvas {
 public:
  QtCanvas(QPainter& painter, const DrawStyle& style);

  [[nodiscard]] const DrawStyle& Style() const override { return style_; }
  void SetPen(Color c, int width = 1) override;
  void SetBrush(Color c) override;
  void SetNoBrush() override;
  void SetXorMode(bool on) override;
  void Line(int x1, int y1, int x2, int y2) override;
  void Rectangle(int x1, int y1, int x2, int y2) override;
  void Ellipse(int x1, int y1, int x2, int y2) override;
  void Polygon(std::span<const Point> points) override;
  void Text(int x, int y, std::string_view text, const Font& font) override;
  [[nodiscard]] int TextWidth(std::string_view text, const Font& font) override;
  [[nodiscard]] int TextHeight(std::string_view text, const Font& font) override;

 private:
  // The index of the font in the run's font cache.
  int FontSlot(const tolmek::Font& font);

  QPainter& p_;
  DrawStyle style_;
  // What the painter holds already: the plan sets the same pen many times in a row.
  std::optional<std::pair<Color, int>> pen_;
  std::optional<Color> textPen_;  // the pen is a text's colour
  std::optional<Color> brush_;
  bool noBrush_ = false;
  int font_ = -1;
  bool sprites_ = false;
};

}  // namespace tolmek
