// The plan canvas on a QPainter.
#include "gui/qt_canvas.h"

#include <QFontMetricsF>
#include <QPaintEngine>
#include <QPolygon>
#include <QStaticText>
#include <string>
#include <unordered_map>
#include <vector>

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

// Fonts with their metrics and laid-out texts, kept for the whole run: a plan shows the same few fonts
// and mostly the same names on every paint, and laying out text is the dearest part of a paint.
struct StringHash {
  using is_transparent = void;
  size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
};
struct LaidText {
  QStaticText text;
  int width = 0;
  // The text drawn once per colour, for painting at 1:1 onto pictures: a blit instead of glyph lookups.
  std::vector<std::pair<Color, QPixmap>> sprites;
};
struct FontEntry {
  Font key;
  QFont font;
  QFontMetricsF metrics;
  std::unordered_map<std::string, LaidText, StringHash, std::equal_to<>> texts;
};
constexpr size_t kMaxCachedTexts = 50000;

std::vector<FontEntry>& Fonts() {
  static std::vector<FontEntry> fonts;
  return fonts;
}

int FontIndex(const Font& font) {
  auto& fonts = Fonts();
  for (size_t i = 0; i < fonts.size(); ++i)
    if (fonts[i].key == font) return int(i);
  QFont q = ToQFont(font);
  fonts.push_back({font, q, QFontMetricsF(q), {}});
  return int(fonts.size() - 1);
}

LaidText& LaidOut(FontEntry& f, std::string_view text) {
  auto it = f.texts.find(text);
  if (it != f.texts.end()) return it->second;
  if (f.texts.size() > kMaxCachedTexts) f.texts.clear();
  QString s = ToQString(text);
  LaidText laid{QStaticText(s), int(std::ceil(f.metrics.horizontalAdvance(s)))};
  laid.text.setTextFormat(Qt::PlainText);
  laid.text.setPerformanceHint(QStaticText::AggressiveCaching);
  laid.text.prepare(QTransform(), f.font);
  return f.texts.emplace(std::string(text), std::move(laid)).first->second;
}

// Glyphs may reach a pixel left of the pen position; the sprite keeps a margin for them.
constexpr int kSpriteMargin = 1;

const QPixmap& Sprite(const FontEntry& f, LaidText& laid, Color color) {
  for (const auto& [c, pixmap] : laid.sprites)
    if (c == color) return pixmap;
  QImage image(laid.width + 3 * kSpriteMargin, int(std::ceil(f.metrics.height())) + kSpriteMargin,
               QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setFont(f.font);
  p.setPen(ToQColor(color));
  p.drawStaticText(QPointF(kSpriteMargin, 0), laid.text);
  p.end();
  laid.sprites.emplace_back(color, QPixmap::fromImage(std::move(image)));
  return laid.sprites.back().second;
}

}  // namespace

QtCanvas::QtCanvas(QPainter& painter, const DrawStyle& style) : p_(painter), style_(style) {
  p_.setRenderHint(QPainter::Antialiasing, false);
  p_.setRenderHint(QPainter::TextAntialiasing, true);
  p_.setBackgroundMode(Qt::TransparentMode);
  // Text sprites serve raster pictures drawn at 1:1 (the page window at that zoom, PNG export); other
  // scales and vector devices such as PDF get real text.
  const QTransform& t = p_.worldTransform();
  sprites_ = p_.paintEngine() && p_.paintEngine()->type() == QPaintEngine::Raster &&
             t.type() <= QTransform::TxTranslate;
}

void QtCanvas::SetPen(Color c, int width) {
  if (pen_ && pen_->first == c && pen_->second == width) return;
  pen_ = {c, width};
  textPen_.reset();
  QPen pen(ToQColor(c));
  pen.setWidth(std::max(1, width));
  pen.setCapStyle(Qt::SquareCap);
  pen.setJoinStyle(Qt::MiterJoin);
  p_.setPen(pen);
}

void QtCanvas::SetBrush(Color c) {
  if (!noBrush_ && brush_ == c) return;
  brush_ = c;
  noBrush_ = false;
  p_.setBrush(ToQColor(c));
}

void QtCanvas::SetNoBrush() {
  if (noBrush_) return;
  noBrush_ = true;
  p_.setBrush(Qt::NoBrush);
}

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

int QtCanvas::FontSlot(const tolmek::Font& font) {
  if (font_ >= 0 && Fonts()[size_t(font_)].key == font) return font_;
  return FontIndex(font);
}

void QtCanvas::Text(int x, int y, std::string_view text, const tolmek::Font& font) {
  if (text.empty()) return;
  int index = FontSlot(font);
  FontEntry& f = Fonts()[size_t(index)];
  LaidText& laid = LaidOut(f, text);
  if (sprites_) {
    const QTransform& t = p_.worldTransform();
    p_.drawPixmap(QPointF(x + t.dx() - kSpriteMargin, y + t.dy()), Sprite(f, laid, font.color));
    return;
  }
  if (index != font_) {
    p_.setFont(f.font);
    font_ = index;
  }
  if (!textPen_ || *textPen_ != font.color) {
    p_.setPen(ToQColor(font.color));
    textPen_ = font.color;
    pen_.reset();
  }
  p_.drawStaticText(QPointF(x, y), laid.text);
}

int QtCanvas::TextWidth(std::string_view text, const tolmek::Font& font) {
  return LaidOut(Fonts()[size_t(FontSlot(font))], text).width;
}

int QtCanvas::TextHeight(std::string_view, const tolmek::Font& font) {
  return int(std::lround(Fonts()[size_t(FontSlot(font))].metrics.height()));
}

}  // namespace tolmek
