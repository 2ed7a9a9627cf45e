// The editing operations of a page window on the model: hit tests, wire split, moving the selection and
// building wires from junction nodes. Free of Qt so that their rules read and test on their own.
#pragma once

#include "model/node.h"
#include "model/pin.h"
#include "model/project.h"

namespace tolmek::editing {

// Where a wire attaches, in page units: a node's centre or a pin's stub end.
[[nodiscard]] Point WireEndOnPage(const TBauteil& element);

// The first element of the page in list order whose last drawn rectangle contains (x, y), window
// units, both ends included; nullptr if none.
[[nodiscard]] TBauteil* FindObject(const Project& project, int page, int x, int y);

// Splits the wire through page point (x, y), first a horizontal segment, then a vertical one: a new node
// at the point takes over the segment. Returns the new node, or nullptr when no segment passes there.
TObjKnoten* SplitWire(Project& project, int page, int x, int y);

// Moves every selected element by (dx, dy) if all of them stay within 0..2990 x 0..1990; otherwise
// nothing moves and message 40 is shown. Returns true when moved.
bool MoveSelection(Project& project, int dx, int dy);

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

// Builds the wire: links, elbow and junction nodes, and the net's name. Returns false when nothing was
// made (same node, full node, an occupied pin, a body without pin).
bool FinishWire(Project& project, const WireRequest& request);

}  // namespace tolmek::editing
