// Drawing of junction nodes: the wires to their links, slanted ones as labelled arrows, and the node marks.
#include <cmath>
#include <numbers>

#include "components/draw_helpers.h"
#include "model/node.h"
#include "model/pin.h"

namespace tolmek {

namespace {

// Where a wire to `link` ends: a node's centre or a pin's stub end. Computed from the model rather than
// from the link's last DrawX/DrawY, which may still belong to an earlier scroll position.
Point WireEnd(const TBauteil& link, int originX, int originY) {
  Point p = link.AbsolutePosition(originX, originY);
  if (link.IsNode()) return {p.x + 5, p.y + 5};
  const auto& pin = static_cast<const TObjAnschluss&>(link);
  return {p.x + (pin.Side == 0 ? -10 : 10), p.y};
}

void DrawArrow(Canvas& c, Point from, Point to, Color color, const std::string& name) {
  const DrawStyle& s = c.Style();
  double dx = to.x - from.x, dy = to.y - from.y;
  double a = std::atan2(dy, dx);
  constexpr double kSpread = 15.0 * std::numbers::pi / 180.0;
  auto at = [&](double radius, double angle) {
    return Point{from.x + int(std::lround(radius * std::cos(angle))), from.y + int(std::lround(radius * std::sin(angle)))};
  };
  Point tip = at(30, a);
  Point head[3] = {tip, at(20, a + kSpread), at(20, a - kSpread)};
  c.SetPen(color);
  c.Line(from.x, from.y, tip.x, tip.y);
  if (s.threeD) {
    c.SetPen(colors::White);
    c.SetBrush(colors::Silver);
  } else {
    c.SetBrush(color);
  }
  c.Polygon(head);
  if (name.empty() || name == ".") return;
  // The name goes into the quadrant away from the arrow.
  c.Text(tip.x + (dx < 0 ? -16 : 0), tip.y + (dy < 0 ? -16 : 0), name, ObjectFont(s.pinText));
}

}  // namespace

void TObjKnoten::Draw(Canvas& canvas, int originX, int originY) {
  UpdateDrawPosition(originX, originY);
  const DrawStyle& s = canvas.Style();
  const Point centre = Centre();

  for (TBauteil* link : LinkList()) {
    Point end = WireEnd(*link, originX, originY);
    bool marked = Marked || link->Marked;
    Color color = MarkColor(canvas, s.line, marked);
    bool straight = end.x == centre.x || end.y == centre.y;
    if (s.arrowWires && !straight) {
      DrawArrow(canvas, centre, end, color, Name);
    } else if (s.threeD) {
      Draw3DLine(canvas, centre.x, centre.y, end.x, end.y, marked);
    } else {
      canvas.SetPen(color);
      canvas.Line(centre.x, centre.y, end.x, end.y);
    }
  }

  const Color own = MarkColor(canvas, s.line, Marked != 0);
  if (s.showNodes) {
    if (!Name.empty() && Name != ".") canvas.Text(DrawX, DrawY - 15, Name, ObjectFont(s.pinText));
    if (LinkCount < 3) {
      canvas.SetPen(own);
      canvas.SetNoBrush();
      canvas.Rectangle(DrawX, DrawY, DrawX + Width, DrawY + Height);
    }
  }
  if (LinkCount == 1) {  // an open wire end
    canvas.SetPen(colors::Aqua);
    canvas.SetNoBrush();
    canvas.Rectangle(DrawX, DrawY, DrawX + Width, DrawY + Height);
  } else if (LinkCount >= 3) {  // a real junction
    if (s.threeD) {
      Draw3DBox(canvas, DrawX + 2, DrawY + 2, DrawX + Width - 2, DrawY + Height - 2, Marked);
    } else {
      canvas.SetPen(own);
      canvas.SetBrush(own);
      canvas.Rectangle(DrawX + 2, DrawY + 2, DrawX + Width - 2, DrawY + Height - 2);
    }
  }
}

}  // namespace tolmek
