// TObjKnoten: a junction node; nodes join pins into nets and are the places wires are drawn from.
#pragma once

#include <array>
#include <vector>

#include "model/element.h"

namespace tolmek {

class TObjKnoten final : public TBauteil {
 public:
  static constexpr int kMaxLinks = 4;
  TObjKnoten(int32_t x, int32_t y);

  uint8_t LinkCount = 0;
  std::array<TBauteil*, kMaxLinks> Links{};
  // While simulating: one element of every net that carries the same bit name, this one's included. On the
  // chip those nets are one bit, so a level reaching this net reaches them all at once.
  const std::vector<TBauteil*>* Namesakes = nullptr;

  [[nodiscard]] std::span<TBauteil* const> LinkList() const { return {Links.data(), LinkCount}; }
  [[nodiscard]] bool IsLinkedTo(const TBauteil* e) const;
  // Adds a link; a pin's Partner becomes this node. A fifth link is dropped (returns false).
  bool Connect(TBauteil* element);

  void Release() override;
  void Draw(Canvas& canvas, int originX, int originY) override;
  void SetName(std::string_view name) override;
  bool EditProperties(ElementEditor& editor) override;
  void Unlink(TBauteil* other) override;
  void Record(RecordVisitor& v) override;
  void SetMarked(uint8_t value) override;
  [[nodiscard]] Point Centre() const { return {DrawX + 5, DrawY + 5}; }
};

// Gives every net of `namesakes` but the one `from` belongs to the level `level`: a junction node floods
// its net; a pin without a node takes the level as its own.
void SpreadToNamesakes(const std::vector<TBauteil*>& namesakes, const TBauteil& from, uint8_t level);

// Links two elements of a wire; at least one is a node. Pin-to-node sets the pin's partner;
// node-to-node is made on both sides or not at all. Returns false when nothing was linked.
bool Connect(TBauteil& a, TBauteil& b);

}  // namespace tolmek
