// Printing the plan: paper colours, page selection, one document per non-empty page, frame, title block
// and the plan scaled into the paper.
#pragma once

#include <QRect>
#include <QString>
#include <vector>

#include "gui/environment.h"
#include "model/project.h"

class QPainter;
class QPrinter;

namespace tolmek {

struct PrintSelection {
  enum class Range { All, Current, FromTo };
  Range range = Range::All;
  int from = 1, to = 10;  // pages 1..10; printed downwards when to < from
  int copies = 1;
};

// What the title block says besides the page number.
struct TitleInfo {
  QString fileName;   // without folder
  QString version;    // "1.0.0"
  QString processor;  // the processor summary of the status bar
  QString created, changed;
};

// The pages (1..10) a selection names, in printing order, once.
[[nodiscard]] std::vector<int> SelectedPages(const PrintSelection& selection, int currentPage);

// The environment with paper colours: without 3D look the background and grid white and every other
// colour black; with it only the background white.
[[nodiscard]] Environment PaperEnvironment(const Environment& screen);

// The rectangle of plan units a page's drawing takes: from the origin to the objects' far corner, at least
// to 900 x 900, with 20 units of margin at the top and left and 10 at the right and bottom.
[[nodiscard]] QRect PlanExtent(const Project& project, int page);

// Draws one page onto a painter whose device is `paper` pixels large at `dpi`: margins, frame, title block
// and the plan. `page` is 0..9.
void PrintPage(QPainter& painter, QRect paper, int dpi, Project& project, int page, const Environment& paperEnv,
               const TitleInfo& title);

// Prints the selection on `printer`: once per copy, every non-empty page as a document of its own titled
// with the project file name (a PDF file gets them as consecutive pages of one file). Returns the pages
// printed (1..10) in order.
std::vector<int> PrintPlan(QPrinter& printer, Project& project, const Environment& screen,
                           const PrintSelection& selection, const TitleInfo& title);

}  // namespace tolmek
