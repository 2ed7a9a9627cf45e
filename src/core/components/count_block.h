// TCountBlock: what the counter, the up/down counter and the shift register share — a state variable named
// after the block, a clock edge read once per pass, a reset level, and outputs Q0.. showing its bits.
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "components/time_base.h"
#include "model/element.h"
#include "model/pin.h"

namespace tolmek {

struct SimVariable;
class BlockCode;

class TCountBlock : public TBauteil {
 public:
  // Only the first OutputCount outputs are active (drawn, hit, generated, simulated); all are stored.
  uint8_t OutputCount = 1;

  [[nodiscard]] TObjAnschluss& Output(int i) const { return *outputs_[size_t(i)]; }
  [[nodiscard]] TObjAnschluss& Clock() const { return *clk_; }
  [[nodiscard]] TObjAnschluss& ResetInput() const { return *res_; }
  [[nodiscard]] int ActiveOutputs() const;
  [[nodiscard]] virtual int MaxOutputs() const = 0;
  [[nodiscard]] virtual int MinOutputs() const { return 1; }
  // The state is a word (Name and Name_HI).
  [[nodiscard]] virtual bool Wide() const { return false; }
  // What the dialog's OK does: the count of outputs and the height that follows it.
  void SetOutputCount(int count);
  // The state's value in the simulation (0 when not simulating).
  [[nodiscard]] int32_t SimValue() const;

  void Draw(Canvas& canvas, int originX, int originY) override;
  TObjAnschluss* HitPin(int x, int y) override;
  void GenerateMainCode(ProgramWriter& w) override;
  void DeclareVariables(Analysis& a) override;
  void NoteUsedNames(Analysis& a) override;
  void SimulationStart(SimContext& ctx) override;
  void SimulationStep(SimContext& ctx) override;
  void SimulationStop(SimContext& ctx) override;

 protected:
  TCountBlock(int32_t x, int32_t y) : TBauteil(x, y) {}
  [[nodiscard]] virtual int HeightFor(int count) const { return std::max(60, 20 * count + 10); }
  // Where the value is shown while simulating.
  [[nodiscard]] virtual Point ValueBoxAt() const { return {DrawX + 10, DrawY + Height + 5}; }
  [[nodiscard]] virtual std::string Title() const = 0;
  // The code run on a counted edge (the state's new value); it may jump to "_SETOUT".
  virtual void WriteEdgeAction(BlockCode& c) = 0;
  // The state after a counted edge.
  [[nodiscard]] virtual uint32_t NextValue(uint32_t value) const = 0;
  // Pins drawn besides the active outputs, and hit before them.
  [[nodiscard]] virtual std::vector<TObjAnschluss*> InputPins() const = 0;
  void AddOutputs(int count, int x, int firstY);
  // The operand of output bit i: Name,i or Name_HI,(i-8).
  [[nodiscard]] std::string StateBit(int i) const;
  [[nodiscard]] std::string MemoryName() const { return Name + "_FD"; }

  std::vector<TObjAnschluss*> outputs_;
  TObjAnschluss* clk_ = nullptr;
  TObjAnschluss* res_ = nullptr;

 private:
  void WriteOutputs(BlockCode& c);

  SimVariable* value_ = nullptr;
  EdgeMemory edge_;
  int32_t shown_ = -1;
};

}  // namespace tolmek
