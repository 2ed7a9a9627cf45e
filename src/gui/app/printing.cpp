// Printing the plan.
#include "gui/app/printing.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPrinter>
#include <algorithm>

#include "gui/app/app_settings.h"
#include "gui/qt_canvas.h"

namespace tolmek {

namespace {

constexpr int kMinExtent = 900;
constexpr int kLeadMargin = 20;
constexpr int kTrailMargin = 10;
constexpr int kTitlePen = 5;
constexpr int kTitleTextInset = 10;

bool PageHasObjects(const Project& project, int page) {
  return std::any_of(project.Elements().begin(), project.Elements().end(),
                     [page](const auto& e) { return e->Page == page; });
}

// Pixels per centimetre from the printer's resolution: dpi x 100 / 254.
int Centimetre(int dpi) { return dpi * 100 / 254; }

}  // namespace

std::vector<int> SelectedPages(const PrintSelection& s, int currentPage) {
  std::vector<int> pages;
  switch (s.range) {
    case PrintSelection::Range::All:
      for (int p = 1; p <= kPageCount; ++p) pages.push_back(p);
      break;
    case PrintSelection::Range::Current:
      pages.push_back(std::clamp(currentPage + 1, 1, kPageCount));
      break;
    case PrintSelection::Range::FromTo: {
      const int from = std::clamp(s.from, 1, kPageCount), to = std::clamp(s.to, 1, kPageCount);
      const int step = to < from ? -1 : 1;
      for (int p = from;; p += step) {
        pages.push_back(p);
        if (p == to) break;
      }
      break;
    }
  }
  return pages;
}

Environment PaperEnvironment(const Environment& screen) {
  Environment paper = screen;
  const Color white{255, 255, 255}, black{0, 0, 0};
  if (screen.Show3D) {
    paper.BackColor = white;
    return paper;
  }
  for (auto field : EditorColorFields()) paper.*field = black;
  paper.BackColor = white;
  paper.GridColor = white;
  return paper;
}

QRect PlanExtent(const Project& project, int page) {
  int right = kMinExtent, bottom = kMinExtent;
  for (const auto& e : project.Elements()) {
    if (e->Page != page) continue;
    right = std::max(right, int(e->X + e->Width));
    bottom = std::max(bottom, int(e->Y + e->Height));
  }
  return QRect(QPoint(-kLeadMargin, -kLeadMargin), QPoint(right + kTrailMargin, bottom + kTrailMargin));
}

void PrintPage(QPainter& painter, QRect paper, int dpi, Project& project, int page, const Environment& paperEnv,
               const TitleInfo& title) {
  painter.save();
  const int cm = Centimetre(dpi);
  const bool landscape = paper.width() > paper.height();
  const int left = landscape ? cm : 2 * cm, top = landscape ? 2 * cm : cm;
  const QRect frame(QPoint(paper.left() + left, paper.top() + top), QPoint(paper.right() - cm, paper.bottom() - cm));
  painter.setPen(QPen(Qt::black, 1));
  painter.setBrush(Qt::NoBrush);
  painter.drawRect(frame);

  // The title block in the lower right corner.
  QFont font("Arial");
  font.setPointSize(10);
  painter.setFont(font);
  const QFontMetrics metrics(font, painter.device());
  const QString lines[5] = {
      "Projekt: " + title.fileName,
      "Version: " + title.version + "  -  Proz.: " + title.processor,
      "angelegt am: " + title.created,
      QString::fromUtf8("letzte Änderung: ") + title.changed,
      "Seite " + QString::number(page + 1),
  };
  int widest = 0;
  for (const QString& l : lines) widest = std::max(widest, metrics.horizontalAdvance(l));
  const int blockW = widest + 50, blockH = 6 * metrics.height();
  const QRect block(frame.right() - blockW, frame.bottom() - blockH, blockW, blockH);
  painter.setPen(QPen(Qt::black, kTitlePen));
  painter.drawRect(block);
  const double row = double(blockH) / 5;
  for (int i = 1; i < 5; ++i) {
    const int y = block.top() + int(row * i);
    painter.drawLine(block.left(), y, block.right(), y);
  }
  painter.setPen(Qt::black);
  for (int i = 0; i < 5; ++i) {
    const int y = block.top() + int(row * i + (row - metrics.height()) / 2) + metrics.ascent();
    painter.drawText(block.left() + kTitleTextInset, y, lines[i]);
  }

  // The plan, isotropically into the frame; shortened where its corner would fall into the title block.
  const QRect extent = PlanExtent(project, page);
  const QRect area = frame.adjusted(kTitlePen, kTitlePen, -kTitlePen, -kTitlePen);
  auto scaleFor = [&](int w, int h) { return std::min(double(w) / extent.width(), double(h) / extent.height()); };
  double scale = scaleFor(area.width(), area.height());
  const QPoint corner(area.left() + int(extent.width() * scale), area.top() + int(extent.height() * scale));
  if (block.contains(corner)) {
    const double shorter = scaleFor(area.width(), block.top() - area.top());
    const double narrower = scaleFor(block.left() - area.left(), area.height());
    scale = std::max(shorter, narrower);
  }
  painter.setClipRect(area);
  painter.translate(area.left(), area.top());
  painter.scale(scale, scale);
  painter.translate(-extent.left(), -extent.top());
  DrawStyle style = paperEnv.Style(false);
  QtCanvas canvas(painter, style);
  for (const auto& e : project.Elements())
    if (e->Page == page) e->Draw(canvas, 0, 0);
  painter.restore();
}

std::vector<int> PrintPlan(QPrinter& printer, Project& project, const Environment& screen,
                           const PrintSelection& selection, const TitleInfo& title) {
  std::vector<int> printed;
  const Environment paper = PaperEnvironment(screen);
  const std::vector<int> pages = SelectedPages(selection, project.CurrentPage);
  const int copies = std::max(1, selection.copies);
  printer.setFullPage(true);
  printer.setDocName(title.fileName);
  const bool oneFile = printer.outputFormat() == QPrinter::PdfFormat;
  QPainter painter;
  for (int copy = 0; copy < copies; ++copy) {
    for (int page : pages) {
      if (!PageHasObjects(project, page - 1)) continue;
      if (oneFile && painter.isActive()) {
        printer.newPage();
      } else if (!painter.begin(&printer)) {
        return printed;
      }
      const int dpi = printer.resolution();
      PrintPage(painter, printer.pageLayout().fullRectPixels(dpi), dpi, project, page - 1, paper, title);
      if (!oneFile) painter.end();
      printed.push_back(page);
    }
  }
  if (painter.isActive()) painter.end();
  return printed;
}

}  // namespace tolmek
