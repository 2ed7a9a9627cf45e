// Paints one page of the plan (background, grid, every element of the page) as a page window shows it.
#pragma once

#include <QPainter>
#include <QRect>

#include "gui/environment.h"
#include "model/project.h"

namespace tolmek {

struct PageView {
  int page = 0;
  int zoom = 3000;
  int scrollX = 0, scrollY = 0;  // plan units, multiples of 10
};

// Sets the painter to the zoom mapping of `view` (plan units of the window, origin at the top left).
void ApplyZoomMapping(QPainter& painter, int zoom);

// Paints `deviceArea` (pixels of the target) with the page as seen through `view`. Every element of the
// page is drawn, in list order, so that later ones lie on top and all positions of the last paint are
// up to date for hit tests.
void PaintPage(QPainter& painter, Project& project, const Environment& env, const PageView& view, QRect deviceArea);

}  // namespace tolmek
