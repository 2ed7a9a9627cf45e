// Plan fonts on screen: the plan's face names mapped to installed fonts, heights in plan units.
#pragma once

#include <QColor>
#include <QFont>

#include "model/canvas.h"

namespace tolmek {

// The plan names "ARIAL"; a metric-compatible free face serves it.
inline constexpr const char* kArialSubstitute = "Liberation Sans";

// Tells Qt which installed face stands in for the plan's faces. Call once after the application exists.
void InstallFontSubstitutes();

// A plan font as a Qt font whose pixel size is in plan units. A positive height is the cell height
// (ascent + descent), as the plan file means it.
[[nodiscard]] QFont ToQFont(const Font& font);
// The plan font for a Qt font (the inverse of ToQFont for the faces and sizes it produces).
[[nodiscard]] Font FromQFont(const QFont& font, Color color);

[[nodiscard]] inline QColor ToQColor(Color c) { return QColor(c.r, c.g, c.b); }
[[nodiscard]] inline Color FromQColor(const QColor& c) { return {uint8_t(c.red()), uint8_t(c.green()), uint8_t(c.blue())}; }

}  // namespace tolmek
