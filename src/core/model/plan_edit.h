// The editing rules of a plan: hit tests, what a press on an element begins, wire split, moving the
// selection and building wires from junction nodes. A page window only turns mouse gestures into these
// calls; they need no window, so tests and the command line use them as they are.
//
// Two frames meet here. Page units are positions on the page (X/Y of the top-level elements). Hit tests
// use the positions of the last Draw (DrawX/DrawY), which a window draws scrolled; drawn at origin (0, 0)
// the two frames are the same.
#pragma once

#include "model/node.h"
#include "model/pin.h"
#include "model/project.h"

namespace tolmek::editing {

// Where a wire attaches, in page units: a node's centre or a pin's stub end.
[[nodiscard]] Point WireEndOnPage(const TBauteil& element);

// The first element of the page in list order whose last drawn rectangle contains (x, y), frame of the
// last Draw, both ends included; nullptr if none.
[[nodiscard]] TBauteil* FindObject(const Project& project, int page, int x, int y);

// What pressing the button on an element begins.
enum class Grip { None, Move, Wire };
struct Grab {
  Grip grip = Grip::None;
  TObjAnschluss* pin = nullptr;  // the wire's start, when it starts at a pin
  TObjKnoten* node = nullptr;    // the wire's start, when it starts at a node
};
// A press on `hit` at (x, y), frame of the last Draw: a node starts a wire while it has a free link, or
// moves when `moveNode` (Ctrl held); a free pin starts a wire, an occupied one nothing; any other spot of
// a block moves the block.
[[nodiscard]] Grab GrabAt(TBauteil& hit, int x, int y, bool moveNode);

// Splits the wire through page point (x, y), first a horizontal segment, then a vertical one: a new node
// at the point takes over the segment. Returns the new node, or nullptr when no segment passes there.
TObjKnoten* SplitWire(Project& project, int page, int x, int y);

// Moves every selected element by (dx, dy) if all of them stay within 0..2990 x 0..1990; otherwise
// nothing moves and Msg::LeavesPage (40) is shown. Returns true when moved.
bool MoveSelection(Project& project, int dx, int dy);

// The end of dragging `grabbed` to page position `to`: a selected element takes the whole selection
// along (see MoveSelection), an unselected one moves alone. A position on or beyond the page's edge
// moves nothing and says nothing. Returns true when something moved.
bool MoveElement(Project& project, TBauteil& grabbed, Point to);

// Marks every element of the page whose position lies in [left, right) x [top, bottom) (page units,
// corners in any order); a rectangle of no size unmarks everything instead.
void SelectInRectangle(Project& project, int page, Point a, Point b);

// A wire gesture from its start to where the button was released.
struct WireRequest {
  TObjAnschluss* startPin = nullptr;  // exactly one of startPin and startNode is set
  TObjKnoten* startNode = nullptr;
  TBauteil* target = nullptr;         // element under the release point (after a wire split), or nullptr
  TObjAnschluss* targetPin = nullptr; // the pin of `target` under the release point
  Point release;                      // snapped release point, page units
  bool rightAngle = true;
  bool elbowVertical = false;         // the first leg of a right-angle wire runs vertically
  int page = 0;
};

// Fills in the request's target from the release point: the element under `drawn` (frame of the last
// Draw, not snapped) and its pin there; over no element, a wire passing through the release point is
// split and its new node is the target.
void AimWire(Project& project, WireRequest& request, Point drawn);

// Builds the wire: links, elbow and junction nodes, and the net's name. Returns false when nothing was
// made (same node, full node, an occupied pin, a body without pin).
bool FinishWire(Project& project, const WireRequest& request);

}  // namespace tolmek::editing
