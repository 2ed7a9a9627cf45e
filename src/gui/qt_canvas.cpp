// The plan canvas on a QPainter.
#include "gui/qt_canvas.h"

#include <QPolygon>

#include "gui/fonts.h"

namespace tolmek {

namespace {

QString ToQString(std::string_view s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }

// Rectangles and ellipses cover x1..x2-1 like the plan's drawing convention (right and bottom excluded).
QRectF Box(int x1, int y1, int x2, int y2) {
  if (x2 < x1) std::swap(x1, x2);
  if (y2 < y1) std::swap(y1, y2);
  return QRectF(x1, y1, std::max(0, x2 - x1 - 1), std::max(0, y2 - y1 - 1));
}

}  // namespace

QtCanvas::QtCanvas(QPainter& painter, const DrawStyle& style) : p_(painter), style_(style) {
  p_.setRenderHint(QPainter::Antialiasing, false);
  p_.setRenderHint(QPainter::TextAntialiasing, true);
  p_.setBackgroundMode(Qt::TransparentMode);
}

void QtCanvas::SetPen(Color c, int width) {
  QPen pen(ToQColor(c));
  pen.setWidth(std::max(1, width));
  pen.setCapStyle(Qt::SquareCap);
  pen.setJoinStyle(Qt::MiterJoin);
  p_.setPen(pen);
}

void QtCanvas::SetBrush(Color c) { p_.setBrush(ToQColor(c)); }

void QtCanvas::SetNoBrush() { p_.setBrush(Qt::NoBrush); }

void QtCanvas::SetXorMode(bool on) {
  p_.setCompositionMode(on ? QPainter::RasterOp_SourceXorDestination : QPainter::CompositionMode_SourceOver);
}

void QtCanvas::Line(int x1, int y1, int x2, int y2) { p_.drawLine(x1, y1, x2, y2); }

void QtCanvas::Rectangle(int x1, int y1, int x2, int y2) { p_.drawRect(Box(x1, y1, x2, y2)); }

void QtCanvas::Ellipse(int x1, int y1, int x2, int y2) { p_.drawEllipse(Box(x1, y1, x2, y2)); }

void QtCanvas::Polygon(std::span<const Point> points) {
  QPolygon poly;
  poly.reserve(qsizetype(points.size()));
  for (const Point& pt : points) poly.append(QPoint(pt.x, pt.y));
  p_.drawPolygon(poly);
}

const QtCanvas::CachedFont& QtCanvas::Lookup(const Font& font) {
  if (lastFont_ < fonts_.size() && fonts_[lastFont_].key == font) return fonts_[lastFont_];
  for (size_t i = 0; i < fonts_.size(); ++i)
    if (fonts_[i].key == font) return fonts_[lastFont_ = i];
  QFont q = ToQFont(font);
  fonts_.push_back({font, q, QFontMetricsF(q)});
  lastFont_ = fonts_.size() - 1;
  return fonts_.back();
}

void QtCanvas::Text(int x, int y, std::string_view text, const Font& font) {
  if (text.empty()) return;
  const CachedFont& f = Lookup(font);
  QPen keep = p_.pen();
  p_.setPen(ToQColor(font.color));
  p_.setFont(f.font);
  p_.drawText(QPointF(x, y + f.metrics.ascent()), ToQString(text));
  p_.setPen(keep);
}

int QtCanvas::TextWidth(std::string_view text, const Font& font) {
  return int(std::ceil(Lookup(font).metrics.horizontalAdvance(ToQString(text))));
}

int QtCanvas::TextHeight(std::string_view, const Font& font) {
  return int(std::ceil(Lookup(font).metrics.height()));
}

}  // namespace tolmek
