// The zoom steps of a page window and the conversions between screen pixels and plan units.
#pragma once

#include <algorithm>
#include <cmath>

namespace tolmek {

// A square of Zoom x Zoom plan units covers 3000 x 3000 pixels: 3000 is 1:1, 750 four-fold, 12000 a quarter.
inline constexpr int kZoomOneToOne = 3000;
inline constexpr int kZoomStep = 750;
inline constexpr int kZoomLargestStep = 6000;
inline constexpr int kZoomOverview = 12000;

[[nodiscard]] constexpr int ZoomedIn(int zoom) { return std::clamp(zoom - kZoomStep, kZoomStep, kZoomLargestStep); }
[[nodiscard]] constexpr int ZoomedOut(int zoom) {
  int next = zoom + kZoomStep;
  return next > kZoomLargestStep ? kZoomOverview : next;
}

// Pixels to plan units and back, rounded to the nearest unit.
[[nodiscard]] inline int DeviceToLogical(int pixels, int zoom) {
  return int(std::lround(double(pixels) * zoom / kZoomOneToOne));
}
[[nodiscard]] inline int LogicalToDevice(int units, int zoom) {
  return int(std::lround(double(units) * kZoomOneToOne / zoom));
}

// The grid point nearest to v (positions on the page are multiples of 10); only used for v >= -5.
[[nodiscard]] constexpr int SnapNearest(int v) { return (v + 5) / 10 * 10; }

}  // namespace tolmek
