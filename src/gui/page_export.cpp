// A page of the plan as a picture file or document.
#include "gui/page_export.h"

#include <QFileInfo>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "gui/page_painter.h"

namespace tolmek {

bool ExportPage(Project& project, int page, const Environment& env, const QString& path) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  const PageView view{page, 3000, 0, 0};
  const QRect area(0, 0, kPageWidth, kPageHeight);
  if (suffix == "png") {
    QImage image(area.size(), QImage::Format_RGB32);
    QPainter painter(&image);
    PaintPage(painter, project, env, view, area);
    painter.end();
    return image.save(path, "PNG");
  }
  if (suffix == "pdf") {
    // One plan unit is one point: the page is 3000 x 2000 points.
    QPdfWriter pdf(path);
    pdf.setResolution(72);
    pdf.setPageSize(QPageSize(QSizeF(kPageWidth, kPageHeight), QPageSize::Point));
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter;
    if (!painter.begin(&pdf)) return false;
    PaintPage(painter, project, env, view, area);
    return painter.end();
  }
  return false;
}

}  // namespace tolmek
