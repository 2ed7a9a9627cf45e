// The editing rules of a plan: hit tests, wire split, moving and wiring.
#include "model/plan_edit.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <string>

namespace tolmek::editing {

namespace {

TObjKnoten* AsNode(TBauteil* e) { return e && e->IsNode() ? static_cast<TObjKnoten*>(e) : nullptr; }

bool HasFreeLink(const TObjKnoten* n) { return n && n->LinkCount < TObjKnoten::kMaxLinks; }

// "." and "" name no net yet.
bool Unnamed(const std::string& name) { return name.empty() || name == "."; }

// A name the automatic pass hands out and takes back; user names never begin with "S" in its sense.
bool UserName(const std::string& name) { return !name.empty() && name[0] != 'S'; }

// Null when the plan has no number left for another node (the project has said so).
TObjKnoten* NewNode(Project& project, int page, Point at) {
  auto* node = static_cast<TObjKnoten*>(project.CreateElement(kind::Knoten, at.x, at.y));
  if (node) node->Page = uint8_t(page);
  return node;
}

struct Segment {
  TObjKnoten* node = nullptr;
  TBauteil* other = nullptr;
};

// The shortest wire segment on the line through (x, y) that passes strictly through that point.
Segment FindSegment(const Project& project, int page, int x, int y, bool horizontal) {
  Segment best;
  int bestLength = INT_MAX;
  for (const auto& e : project.Elements()) {
    TObjKnoten* node = AsNode(e.get());
    if (!node || node->Page != page) continue;
    Point c = WireEndOnPage(*node);
    if (horizontal ? c.y != y : c.x != x) continue;
    for (TBauteil* link : node->LinkList()) {
      Point end = WireEndOnPage(*link);
      if (horizontal ? end.y != y : end.x != x) continue;
      int a = horizontal ? c.x : c.y, b = horizontal ? end.x : end.y, at = horizontal ? x : y;
      if (std::min(a, b) < at && at < std::max(a, b) && std::abs(b - a) < bestLength) {
        bestLength = std::abs(b - a);
        best = {node, link};
      }
    }
  }
  return best;
}

TObjKnoten* Split(Project& project, int page, Point at, const Segment& s, bool horizontal) {
  // The new node is named after the right-hand (lower) end when that is a node.
  Point a = WireEndOnPage(*s.node), b = WireEndOnPage(*s.other);
  bool otherFurther = horizontal ? b.x > a.x : b.y > a.y;
  TBauteil* named = otherFurther && s.other->IsNode() ? s.other : s.node;
  std::string name = named->Name;
  TObjKnoten* fresh = NewNode(project, page, at);
  if (!fresh) return nullptr;
  s.node->Unlink(s.other);
  s.other->Unlink(s.node);
  Connect(*fresh, *s.node);
  Connect(*fresh, *s.other);
  fresh->Name = name;
  return fresh;
}

// Links start and end, through a new elbow node when the wire must turn. Start and end are node or pin.
void Link(Project& project, const WireRequest& r, TBauteil& start, TBauteil& end, Point from, Point to,
          bool turn) {
  if (!turn) {
    Connect(start, end);
    return;
  }
  Point elbow = r.elbowVertical ? Point{from.x, to.y} : Point{to.x, from.y};
  TObjKnoten* corner = NewNode(project, r.page, elbow);
  Connect(start, *corner);
  Connect(*corner, end);
}

bool Aligned(Point a, Point b) { return a.x == b.x || a.y == b.y; }

}  // namespace

Point WireEndOnPage(const TBauteil& element) {
  Point p = element.AbsolutePosition(0, 0);
  if (element.IsNode()) return {p.x + 5, p.y + 5};
  const auto& pin = static_cast<const TObjAnschluss&>(element);
  return {p.x + (pin.Side == 0 ? -10 : 10), p.y};
}

TBauteil* FindObject(const Project& project, int page, int x, int y) {
  for (const auto& e : project.Elements()) {
    if (e->Page != page) continue;
    if (e->DrawX <= x && x <= e->DrawX + e->Width && e->DrawY <= y && y <= e->DrawY + e->Height) return e.get();
  }
  return nullptr;
}

Grab GrabAt(TBauteil& hit, int x, int y, bool moveNode) {
  if (TObjKnoten* node = AsNode(&hit)) {
    if (moveNode) return {Grip::Move};
    if (HasFreeLink(node)) return {Grip::Wire, nullptr, node};
    return {};
  }
  if (TObjAnschluss* pin = hit.HitPin(x, y)) {
    if (pin->Partner) return {};
    return {Grip::Wire, pin, nullptr};
  }
  return {Grip::Move};
}

TObjKnoten* SplitWire(Project& project, int page, int x, int y) {
  for (bool horizontal : {true, false}) {
    Segment s = FindSegment(project, page, x, y, horizontal);
    if (s.node) return Split(project, page, {x, y}, s, horizontal);
  }
  return nullptr;
}

bool MoveSelection(Project& project, int dx, int dy) {
  for (const auto& e : project.Elements()) {
    if (!e->Marked) continue;
    int x = e->X + dx, y = e->Y + dy;
    if (x < 0 || x > kPageWidth - 10 || y < 0 || y > kPageHeight - 10) {
      project.Messages.ShowMessage(Msg::LeavesPage);
      return false;
    }
  }
  for (const auto& e : project.Elements()) {
    if (!e->Marked) continue;
    e->X += dx;
    e->Y += dy;
  }
  return true;
}

bool MoveElement(Project& project, TBauteil& grabbed, Point to) {
  if (to.x <= 0 || to.x >= kPageWidth || to.y <= 0 || to.y >= kPageHeight) return false;
  if (grabbed.Marked) return MoveSelection(project, to.x - grabbed.X, to.y - grabbed.Y);
  grabbed.X = to.x;
  grabbed.Y = to.y;
  return true;
}

void SelectInRectangle(Project& project, int page, Point a, Point b) {
  if (a == b) {
    project.ClearMarks();
    return;
  }
  int left = std::min(a.x, b.x), right = std::max(a.x, b.x);
  int top = std::min(a.y, b.y), bottom = std::max(a.y, b.y);
  for (const auto& e : project.Elements())
    if (e->Page == page && left <= e->X && e->X < right && top <= e->Y && e->Y < bottom) e->Marked = 1;
}

void AimWire(Project& project, WireRequest& r, Point drawn) {
  r.target = FindObject(project, r.page, drawn.x, drawn.y);
  if (!r.target) r.target = SplitWire(project, r.page, r.release.x, r.release.y);
  r.targetPin = r.target && !r.target->IsNode() ? r.target->HitPin(drawn.x, drawn.y) : nullptr;
}

bool FinishWire(Project& project, const WireRequest& r) {
  TObjKnoten* targetNode = AsNode(r.target);
  const bool fromNode = r.startNode != nullptr;
  // A wire takes at most two new nodes (an elbow and an end); one that cannot be finished is not begun.
  if (!project.HasNumbersFor(2)) {
    project.Messages.ShowMessage(Msg::PlanTooLarge);
    return false;
  }
  TBauteil& start = fromNode ? static_cast<TBauteil&>(*r.startNode) : *r.startPin;
  const Point from = WireEndOnPage(start);

  if (fromNode && !HasFreeLink(r.startNode)) return false;
  if (!fromNode && r.startPin->Partner) return false;

  // Node to node.
  if (fromNode && targetNode) {
    if (targetNode == r.startNode || !HasFreeLink(targetNode) || r.startNode->IsLinkedTo(targetNode)) return false;
    Point to = WireEndOnPage(*targetNode);
    Link(project, r, *r.startNode, *targetNode, from, to, r.rightAngle && !Aligned(from, to));
    if (UserName(r.startNode->Name)) targetNode->SetName(r.startNode->Name);
    if (UserName(targetNode->Name)) r.startNode->SetName(targetNode->Name);
    return true;
  }

  // Node to a free pin of a component.
  if (fromNode && r.targetPin) {
    if (r.targetPin->Partner) return false;
    Point to = WireEndOnPage(*r.targetPin);
    Link(project, r, *r.startNode, *r.targetPin, from, to, r.rightAngle && !Aligned(from, to));
    r.startNode->SetName(r.startNode->Name);  // floods the node's name over the elbow into the pin
    return true;
  }

  // Pin to a node.
  if (!fromNode && targetNode) {
    if (!HasFreeLink(targetNode)) return false;
    Point to = WireEndOnPage(*targetNode);
    Link(project, r, *r.startPin, *targetNode, from, to, r.rightAngle && !Aligned(from, to));
    // An unnamed pin joins the node's net rather than wiping the net's name.
    if (Unnamed(r.startPin->Name) && !Unnamed(targetNode->Name))
      r.startPin->SetName(targetNode->Name);
    else
      targetNode->SetName(r.startPin->Name);
    return true;
  }

  // Pin to a pin of another component: one node between them.
  if (!fromNode && r.targetPin) {
    if (r.targetPin->Partner || r.targetPin->Owner == r.startPin->Owner) return false;
    Point a = r.startPin->AbsolutePosition(0, 0), b = r.targetPin->AbsolutePosition(0, 0);
    // With right-angle wiring the node is the elbow the rubber wire showed; else it lies half-way.
    const Point to = WireEndOnPage(*r.targetPin);
    const bool turn = r.rightAngle && !Aligned(from, to);
    const Point elbow = r.elbowVertical ? Point{from.x, to.y} : Point{to.x, from.y};
    TObjKnoten* middle = NewNode(project, r.page, turn ? elbow : Point{(a.x + b.x) / 2, (a.y + b.y) / 2});
    Connect(*middle, *r.startPin);
    Connect(*middle, *r.targetPin);
    bool takeTarget = Unnamed(r.startPin->Name) && !Unnamed(r.targetPin->Name);
    middle->SetName(takeTarget ? r.targetPin->Name : r.startPin->Name);
    return true;
  }

  // Into empty space: a new open end, with an elbow when the wire must turn.
  if (r.target) return false;  // a body without a pin
  TObjKnoten* end = NewNode(project, r.page, r.release);
  Point to = WireEndOnPage(*end);
  Link(project, r, start, *end, from, to, r.rightAngle && !Aligned(from, to));
  end->SetName(start.Name);
  return true;
}

}  // namespace tolmek::editing
