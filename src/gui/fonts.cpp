// Plan fonts on screen.
#include "gui/fonts.h"

#include <QFontMetricsF>
#include <cmath>
#include <cstdlib>

namespace tolmek {

namespace {

// Cell height over em size of the faces the plan uses (Liberation Sans: (1854 + 434) / 2048).
constexpr double kCellPerEm = 2288.0 / 2048.0;

QString Family(const std::string& face) {
  QString f = QString::fromStdString(face);
  if (f.compare("ARIAL", Qt::CaseInsensitive) == 0) return kArialSubstitute;
  return f;
}

}  // namespace

void InstallFontSubstitutes() {
  QFont::insertSubstitution("Arial", kArialSubstitute);
  QFont::insertSubstitution("ARIAL", kArialSubstitute);
}

QFont ToQFont(const Font& font) {
  QFont q(Family(font.face));
  int cell = std::max(1, std::abs(font.height));
  q.setPixelSize(std::max(1, int(std::lround(cell / kCellPerEm))));
  q.setBold(font.bold);
  q.setItalic(font.italic);
  q.setUnderline(font.underline);
  q.setStrikeOut(font.strikeOut);
  q.setStyleStrategy(QFont::NoAntialias);
  q.setHintingPreference(QFont::PreferFullHinting);  // whole-pixel advances keep aliased text evenly spaced
  return q;
}

Font FromQFont(const QFont& q, Color color) {
  Font f;
  QString family = q.family();
  f.face = family.compare(kArialSubstitute, Qt::CaseInsensitive) == 0 ? std::string("ARIAL") : family.toStdString();
  double em = q.pixelSize() > 0 ? q.pixelSize() : q.pointSizeF() * 96.0 / 72.0;
  f.height = std::max(1, int(std::lround(em * kCellPerEm)));
  f.color = color;
  f.bold = q.bold();
  f.italic = q.italic();
  f.underline = q.underline();
  f.strikeOut = q.strikeOut();
  return f;
}

}  // namespace tolmek
