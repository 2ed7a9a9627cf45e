// Junction nodes: links, name flooding through the net, level propagation.
#include "model/node.h"

#include "model/pin.h"
#include "model/project.h"

namespace tolmek {

TObjKnoten::TObjKnoten(int32_t x, int32_t y) : TBauteil(x, y) {
  Kind = kind::Knoten;
  X -= 5;  // the node's square is centred on the snapped point
  Y -= 5;
  Width = Height = 11;
  Name = ".";
}

bool TObjKnoten::IsLinkedTo(const TBauteil* e) const {
  for (auto* l : LinkList())
    if (l == e) return true;
  return false;
}

bool TObjKnoten::Connect(TBauteil* element) {
  if (LinkCount >= kMaxLinks) return false;
  Links[LinkCount++] = element;
  if (element->IsPin()) static_cast<TObjAnschluss*>(element)->Partner = this;
  return true;
}

void TObjKnoten::Release() {
  // Copy first: a linked node's Unlink does not touch our slots, but keep the walk independent of it.
  auto links = Links;
  uint8_t count = LinkCount;
  for (uint8_t i = 0; i < count; ++i) links[i]->Unlink(this);
  Links.fill(nullptr);
  LinkCount = 0;
}

void TObjKnoten::SetName(std::string_view name) {
  Name = UpperName(name.substr(0, kMaxNameLength));
  for (uint8_t i = 0; i < LinkCount; ++i)
    if (Links[i]->Name != Name) Links[i]->SetName(Name);
}

bool TObjKnoten::EditProperties(ElementEditor& editor) { return editor.Edit(*this); }

void TObjKnoten::Unlink(TBauteil* other) {
  uint8_t kept = 0;
  for (uint8_t i = 0; i < LinkCount; ++i)
    if (Links[i] != other) Links[kept++] = Links[i];
  for (uint8_t i = kept; i < LinkCount; ++i) Links[i] = nullptr;
  LinkCount = kept;
}

void TObjKnoten::Record(RecordVisitor& v) {
  v.Choice("kind", Kind, Kind, Kind);
  v.Position("x", X);
  v.Position("y", Y);
  v.NodePage(Page);
  v.Coord("height", Height);
  v.Number("number", Number);
  v.Text("name", Name, kMaxNameLength);
}

void TObjKnoten::SetMarked(uint8_t value) {
  if (value == Marked) return;  // equal levels end the propagation, also around rings
  Marked = value;
  for (uint8_t i = 0; i < LinkCount; ++i) {
    TBauteil* l = Links[i];
    if (l->Kind != kind::OutputPin) l->SetMarked(value);
  }
  Redraw();
  if (Namesakes) SpreadToNamesakes(*Namesakes, *this, value);
}

void SpreadToNamesakes(const std::vector<TBauteil*>& namesakes, const TBauteil& from, uint8_t level) {
  for (TBauteil* carrier : namesakes) {
    if (carrier == &from) continue;
    if (carrier->IsNode()) {
      carrier->SetMarked(level);  // returns at once for a net already at the level
    } else if (carrier->Marked != level) {
      carrier->Marked = level;
      carrier->Redraw();
    }
  }
}

bool Connect(TBauteil& a, TBauteil& b) {
  if (&a == &b) return false;
  auto* na = a.IsNode() ? static_cast<TObjKnoten*>(&a) : nullptr;
  auto* nb = b.IsNode() ? static_cast<TObjKnoten*>(&b) : nullptr;
  if (na && nb) {
    if (na->IsLinkedTo(nb)) return false;
    if (na->LinkCount >= TObjKnoten::kMaxLinks || nb->LinkCount >= TObjKnoten::kMaxLinks) return false;
    na->Connect(nb);
    nb->Connect(na);
    return true;
  }
  TObjKnoten* node = na ? na : nb;
  TBauteil* other = na ? &b : &a;
  if (!node || !other->IsPin()) return false;
  auto* pin = static_cast<TObjAnschluss*>(other);
  if (pin->Partner || node->IsLinkedTo(pin)) return false;  // a pin holds one link only
  return node->Connect(pin);
}

}  // namespace tolmek
