// The drawing surface elements draw on: implemented with QPainter in the GUI, by recorders in tests.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace tolmek {

struct Color {
  uint8_t r = 0, g = 0, b = 0;
  friend bool operator==(const Color&, const Color&) = default;
  // The settings file stores colours as 0x00BBGGRR integers.
  [[nodiscard]] static constexpr Color FromStored(uint32_t v) {
    return {uint8_t(v & 0xFF), uint8_t((v >> 8) & 0xFF), uint8_t((v >> 16) & 0xFF)};
  }
  [[nodiscard]] constexpr uint32_t Stored() const { return uint32_t(r) | (uint32_t(g) << 8) | (uint32_t(b) << 16); }
};

struct Point {
  int x = 0, y = 0;
  friend bool operator==(const Point&, const Point&) = default;
};

struct Font {
  std::string face = "ARIAL";
  int height = 14;  // plan units
  Color color{};
  bool bold = false, italic = false, underline = false, strikeOut = false;
  friend bool operator==(const Font&, const Font&) = default;
};

// Colours and switches the plan is drawn with; the GUI fills them from the settings file.
struct DrawStyle {
  Color background{255, 255, 255};
  Color line{0, 0, 0};                     // wires (the low-level colour while simulating)
  Color objectBorder{0, 0, 0};
  Color objectSelectedBorder{255, 0, 0};   // selection (the high-level colour while simulating)
  Color objectFill{255, 255, 224};
  Color objectText{0, 0, 0};
  Color objectInnerText{0, 0, 128};
  Color pin{0, 0, 0};
  Color pinText{0, 128, 0};
  Color grid{192, 192, 192};
  bool threeD = false;
  bool showNodes = true;   // Umgebung/Nodes
  bool arrowWires = true;  // Umgebung/Verbindungen: slanted wires are drawn as two labelled arrows
  bool simulating = false;
};

// Coordinates are plan units in the window frame (origin already applied by the caller).
class Canvas {
 public:
  virtual ~Canvas() = default;
  [[nodiscard]] virtual const DrawStyle& Style() const = 0;
  virtual void SetPen(Color c, int width = 1) = 0;
  virtual void SetBrush(Color c) = 0;
  virtual void SetNoBrush() = 0;
  // Outline mode draws by inverting what is below (gesture feedback); off draws normally.
  virtual void SetXorMode(bool on) = 0;
  virtual void Line(int x1, int y1, int x2, int y2) = 0;
  virtual void Rectangle(int x1, int y1, int x2, int y2) = 0;  // filled with the brush, outlined with the pen
  virtual void Ellipse(int x1, int y1, int x2, int y2) = 0;
  virtual void Polygon(std::span<const Point> points) = 0;
  virtual void Text(int x, int y, std::string_view text, const Font& font) = 0;  // (x, y) is the top left
  [[nodiscard]] virtual int TextWidth(std::string_view text, const Font& font) = 0;
  [[nodiscard]] virtual int TextHeight(std::string_view text, const Font& font) = 0;
};

// A canvas that draws nothing; text is measured with a rough fixed-pitch rule. For headless runs.
class NullCanvas final : public Canvas {
 public:
  [[nodiscard]] const DrawStyle& Style() const override { return style; }
  void SetPen(Color, int) override {}
  void SetBrush(Color) override {}
  void SetNoBrush() override {}
  void SetXorMode(bool) override {}
  void Line(int, int, int, int) override {}
  void Rectangle(int, int, int, int) override {}
  void Ellipse(int, int, int, int) override {}
  void Polygon(std::span<const Point>) override {}
  void Text(int, int, std::string_view, const Font&) override {}
  [[nodiscard]] int TextWidth(std::string_view text, const Font& font) override {
    return int(text.size()) * font.height * 6 / 10;
  }
  [[nodiscard]] int TextHeight(std::string_view, const Font& font) override { return font.height; }
  DrawStyle style;
};

}  // namespace tolmek
