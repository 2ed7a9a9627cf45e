// Drawing conventions every kind's Draw shares.
#include "components/draw_helpers.h"

#include <cstdlib>

#include "model/pin.h"

namespace tolmek {

Font ObjectFont(Color color) {
  Font f;
  f.face = "ARIAL";
  f.height = kObjectFontHeight;
  f.color = color;
  return f;
}

Color MarkColor(const Canvas& c, Color normal, bool marked) {
  return marked ? c.Style().objectSelectedBorder : normal;
}

void Draw3DBox(Canvas& c, int left, int top, int right, int bottom, bool marked) {
  c.SetPen(colors::White);
  c.SetBrush(marked ? colors::Maroon : colors::Silver);
  c.Rectangle(left, top, right, bottom);
  c.SetNoBrush();  // the face is filled already; the inner frame only doubles the light edge
  c.Rectangle(left + 1, top + 1, right - 1, bottom - 1);
  c.SetPen(colors::Grey);
  for (int d = 1; d <= 2; ++d) {
    c.Line(right - d, top + d, right - d, bottom - 1);
    c.Line(left + d, bottom - d, right - 1, bottom - d);
  }
}

void Draw3DEllipse(Canvas& c, int left, int top, int right, int bottom, bool marked) {
  c.SetPen(colors::Grey, 2);
  c.SetBrush(marked ? colors::Maroon : colors::Silver);
  c.Ellipse(left, top, right, bottom);
  c.SetPen(colors::Grey, 1);
}

void DrawShadowText(Canvas& c, int x, int y, bool marked, std::string_view text) {
  c.Text(x + 1, y + 1, text, ObjectFont(colors::Grey));
  c.Text(x, y, text, ObjectFont(marked ? colors::Maroon : colors::Black));
}

void Draw3DLine(Canvas& c, int x1, int y1, int x2, int y2, bool high) {
  const DrawStyle& s = c.Style();
  Color face = s.simulating ? (high ? s.objectSelectedBorder : s.line) : (high ? colors::Red : colors::Silver);
  Color shade = s.simulating ? s.line : (high ? colors::Navy : colors::Grey);
  c.SetPen(face);
  c.Line(x1, y1, x2, y2);
  bool flat = std::abs(x2 - x1) > std::abs(y2 - y1);
  int dx = flat ? 0 : 1, dy = flat ? 1 : 0;
  c.SetPen(shade);
  c.Line(x1 + dx, y1 + dy, x2 + dx, y2 + dy);
}

void DrawValueBox(Canvas& c, int x, int y, std::string_view text) {
  Font font = ObjectFont(colors::Yellow);
  font.height = 10;
  int w = c.TextWidth("AAAAA", font);
  int h = c.TextHeight(text, font) + 2;
  c.SetPen(colors::Grey);
  c.SetBrush(colors::Blue);
  c.Rectangle(x, y, x + w, y + h);
  c.SetPen(colors::White);
  c.Line(x + w - 2, y + 1, x + w - 2, y + h - 2);
  c.Line(x + 1, y + h - 2, x + w - 2, y + h - 2);
  c.Text(x + 5, y + 1, text, font);
}

void DrawInnerText(Canvas& c, const TBauteil& e, int x, int y, std::string_view text) {
  const TBauteil& block = e.Owner ? *e.Owner : e;
  if (c.Style().threeD)
    DrawShadowText(c, x, y, block.Marked && !c.Style().simulating, text);
  else
    c.Text(x, y, text, ObjectFont(c.Style().objectInnerText));
}

void DrawBlockFrame(Canvas& c, TBauteil& e, int originX, int originY, std::span<TObjAnschluss* const> pins) {
  e.UpdateDrawPosition(originX, originY);
  const DrawStyle& s = c.Style();
  int left = e.DrawX + 10, top = e.DrawY, right = e.DrawX + e.Width - 10, bottom = e.DrawY + e.Height;
  if (s.threeD) {
    Draw3DBox(c, left, top, right, bottom, e.Marked);
  } else {
    c.SetPen(MarkColor(c, s.objectBorder, e.Marked));
    c.SetBrush(s.objectFill);
    c.Rectangle(left, top, right, bottom);
  }
  c.Text(e.DrawX + 10, e.DrawY - 16, e.Name, ObjectFont(s.objectText));
  for (TObjAnschluss* pin : pins) pin->Draw(c, originX, originY);
}

void DrawBlockBody(Canvas& c, const TBauteil& e, int left, int right, int nameX) {
  const DrawStyle& s = c.Style();
  if (s.threeD) {
    Draw3DBox(c, left, e.DrawY, right, e.DrawY + e.Height, e.Marked);
  } else {
    c.SetPen(MarkColor(c, s.objectBorder, e.Marked));
    c.SetBrush(s.objectFill);
    c.Rectangle(left, e.DrawY, right, e.DrawY + e.Height);
  }
  c.Text(nameX, e.DrawY - 16, e.Name, ObjectFont(s.objectText));
}

void DrawBlockFrame(Canvas& c, TBauteil& e, int originX, int originY) {
  DrawBlockFrame(c, e, originX, originY, e.Pins());
}

}  // namespace tolmek
