// TObjAnschluss: a block's connection point (1, 8 or 16 bit), linked to at most one junction node.
#pragma once

#include <vector>

#include "model/element.h"

namespace tolmek {

class TObjAnschluss final : public TBauteil {
 public:
  // Pins exist only inside blocks: the owner is the block, x/y are relative to it.
  TObjAnschluss(TBauteil& owner, uint8_t pinKind, int bits, uint8_t side, int32_t x, int32_t y,
                std::string_view label);

  int Bits = 1;  // 1, 8 or 16
  bool Inverted = false;
  uint8_t Side = 0;  // 0: stub points left, 1: right
  TBauteil* Partner = nullptr;
  // While simulating, for a pin without a node: the nets of the same bit name (see TObjKnoten::Namesakes).
  const std::vector<TBauteil*>* Namesakes = nullptr;
  bool Renamable = true;
  bool InvertAllowed = true;
  std::string PinLabel;
  // The owner turns this pin into an input or an output (its direction setting); the file may hold either.
  bool EitherDirection = false;

  [[nodiscard]] bool IsInput() const { return Kind == kind::InputPin; }
  [[nodiscard]] bool IsOutput() const { return Kind == kind::OutputPin; }

  void Release() override;
  void Draw(Canvas& canvas, int originX, int originY) override;
  void SetName(std::string_view name) override;
  // Stores the name and passes it on to the net even when the pin is not renamable (label name sharing).
  void ForceName(std::string_view name);
  bool EditProperties(ElementEditor& editor) override;
  TObjAnschluss* HitPin(int x, int y) override;
  void Unlink(TBauteil* other) override;
  void Record(RecordVisitor& v) override;
  void DeclareVariables(Analysis& a) override;
  void NoteUsedNames(Analysis& a) override;
  void SetMarked(uint8_t value) override;
  [[nodiscard]] uint8_t GetMarked() const override { return Marked ^ uint8_t(Inverted); }

  // The variable an 8/16-bit pin names ("RB" -> "PORTB", "GP" -> "GPIO" on GPIO parts).
  [[nodiscard]] std::string PinVariableName() const;
  // True when the owning block works with 16-bit values (its 8/16-bit outputs also use NAME_HI).
  bool HighByteUsed = false;
};

}  // namespace tolmek
