// Drawing conventions every kind's Draw shares: 3D shapes, texts, the block frame and its pins.
#pragma once

#include <span>
#include <string_view>

#include "model/canvas.h"
#include "model/element.h"

namespace tolmek {

namespace colors {
inline constexpr Color Black{0, 0, 0};
inline constexpr Color White{255, 255, 255};
inline constexpr Color Silver{192, 192, 192};
inline constexpr Color Grey{128, 128, 128};
inline constexpr Color Maroon{128, 0, 0};
inline constexpr Color Red{255, 0, 0};
inline constexpr Color Navy{0, 0, 128};
inline constexpr Color Blue{0, 0, 255};
inline constexpr Color Yellow{255, 255, 0};
inline constexpr Color Aqua{0, 255, 255};
}  // namespace colors

// Names, pin names and pin labels: "ARIAL", 14 units.
inline constexpr int kObjectFontHeight = 14;
[[nodiscard]] Font ObjectFont(Color color);

// A raised box: white frame, silver face (maroon when marked), grey shadow along the right and bottom.
void Draw3DBox(Canvas& c, int left, int top, int right, int bottom, bool marked);
void Draw3DEllipse(Canvas& c, int left, int top, int right, int bottom, bool marked);
// Black (maroon when marked) text with a grey shadow one unit right and down.
void DrawShadowText(Canvas& c, int x, int y, bool marked, std::string_view text);
// A line with a darker twin one unit below (mostly horizontal) or to the right (mostly vertical).
void Draw3DLine(Canvas& c, int x1, int y1, int x2, int y2, bool high);
// The value of a byte or word while simulating: yellow digits in a sunken blue box.
void DrawValueBox(Canvas& c, int x, int y, std::string_view text);

// The colour of an outline or wire: the selected (high) colour when marked.
[[nodiscard]] Color MarkColor(const Canvas& c, Color normal, bool marked);

// Text inside a block body: the inner text colour, or shadowed black on the 3D face.
void DrawInnerText(Canvas& c, const TBauteil& e, int x, int y, std::string_view text);

// The common look of a block: body rectangle (or 3D box) between the pin margins, its name above,
// then the given pins. DrawX/DrawY are updated first. The kind adds its symbol afterwards.
void DrawBlockFrame(Canvas& c, TBauteil& e, int originX, int originY, std::span<TObjAnschluss* const> pins);
// Only the body between `left` and `right` (window units, full height) and the name above it at `nameX`.
void DrawBlockBody(Canvas& c, const TBauteil& e, int left, int right, int nameX);
// The same with every embedded pin.
void DrawBlockFrame(Canvas& c, TBauteil& e, int originX, int originY);

}  // namespace tolmek
