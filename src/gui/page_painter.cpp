// Paints one page of the plan.
#include "gui/page_painter.h"

#include <QPolygon>
#include <algorithm>

#include "gui/fonts.h"
#include "gui/qt_canvas.h"
#include "gui/zoom.h"

namespace tolmek {

namespace {

// Around the page: a neutral shade, so the page's edge shows when the window is larger than the page.
const QColor kOutsidePage(96, 96, 96);

void PaintGrid(QPainter& painter, Color color, QRect logicalArea, const PageView& view) {
  // Grid points are page points; the scroll is a multiple of 10, so window and page grids coincide.
  int left = std::max(logicalArea.left(), -view.scrollX);
  int top = std::max(logicalArea.top(), -view.scrollY);
  int right = std::min(logicalArea.right(), kPageWidth - view.scrollX);
  int bottom = std::min(logicalArea.bottom(), kPageHeight - view.scrollY);
  if (right < left || bottom < top) return;
  auto firstOnGrid = [](int v) { return v >= 0 ? (v + 9) / 10 * 10 : -(-v / 10 * 10); };
  QPolygon points;
  points.reserve(((right - left) / 10 + 1) * ((bottom - top) / 10 + 1));
  for (int y = firstOnGrid(top); y <= bottom; y += 10)
    for (int x = firstOnGrid(left); x <= right; x += 10) points.append(QPoint(x, y));
  QPen pen(ToQColor(color));
  pen.setCosmetic(true);  // one pixel at every zoom
  painter.setPen(pen);
  painter.drawPoints(points);
}

}  // namespace

void ApplyZoomMapping(QPainter& painter, int zoom) {
  double scale = double(kZoomOneToOne) / zoom;
  painter.resetTransform();
  painter.scale(scale, scale);
}

void PaintPage(QPainter& painter, Project& project, const Environment& env, const PageView& view, QRect deviceArea) {
  painter.save();
  painter.setClipRect(deviceArea);
  ApplyZoomMapping(painter, view.zoom);
  const QRect logicalArea = painter.transform().inverted().mapRect(deviceArea);
  const QRect pageArea(-view.scrollX, -view.scrollY, kPageWidth, kPageHeight);
  if (!pageArea.contains(logicalArea)) {
    painter.save();
    painter.resetTransform();
    painter.fillRect(deviceArea, kOutsidePage);
    painter.restore();
  }
  painter.fillRect(pageArea, ToQColor(env.BackColor));
  if (env.ShowGrid) PaintGrid(painter, env.GridColor, logicalArea, view);

  DrawStyle style = env.Style(project.SimActive);
  QtCanvas canvas(painter, style);
  for (const auto& e : project.Elements())
    if (e->Page == view.page) e->Draw(canvas, -view.scrollX, -view.scrollY);
  painter.restore();
}

}  // namespace tolmek
