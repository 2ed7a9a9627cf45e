// The plan canvas on a QPainter: plan units map to the painter's current transformation.
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPen>
#include <vector>

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
  struct CachedFont {
    Font key;
    QFont font;
    QFontMetricsF metrics;
  };
  const CachedFont& Lookup(const Font& font);

  QPainter& p_;
  DrawStyle style_;
  std::vector<CachedFont> fonts_;  // a plan uses a handful of fonts
  size_t lastFont_ = 0;
};

}  // namespace tolmek
