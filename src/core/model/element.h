// TBauteil: the base of every element on a page, with the operations every kind shares.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "model/canvas.h"
#include "model/record.h"

namespace tolmek {

class Project;
class TObjAnschluss;
class ByteWriter;
class ByteReader;
class ProgramWriter;  // the assembler-text writer of a generation run
class Analysis;       // the analysis pass: RAM model, name registries, feature flags
class SimContext;     // one simulation pass
class ElementEditor;  // property dialogs (implemented by the GUI)
struct AutoNameCounters;

// Kind codes. 1 and 2 are pins inside blocks; the object list holds 3..32.
namespace kind {
inline constexpr uint8_t InputPin = 1;
inline constexpr uint8_t OutputPin = 2;
inline constexpr uint8_t Gatter = 3;
inline constexpr uint8_t Knoten = 4;
inline constexpr uint8_t Timer = 5;
inline constexpr uint8_t Zaehler = 6;
inline constexpr uint8_t Puls = 7;
inline constexpr uint8_t Data8 = 8;
inline constexpr uint8_t Strigg8 = 9;
inline constexpr uint8_t Sregist = 10;
inline constexpr uint8_t Text = 11;
inline constexpr uint8_t Inc = 12;
inline constexpr uint8_t Tabelle = 13;
inline constexpr uint8_t Rsff = 14;
inline constexpr uint8_t Call = 15;
inline constexpr uint8_t Mux = 16;
inline constexpr uint8_t PulsIn = 17;
inline constexpr uint8_t PulsOut = 18;
inline constexpr uint8_t Vergl = 19;
inline constexpr uint8_t Mathe = 20;
inline constexpr uint8_t Vrzaehl = 21;
inline constexpr uint8_t Gnd = 22;
inline constexpr uint8_t Bv = 23;
inline constexpr uint8_t EE = 24;
inline constexpr uint8_t Spl = 25;
inline constexpr uint8_t Limit = 26;
inline constexpr uint8_t LcdBase = 27;
inline constexpr uint8_t LcdText = 28;
inline constexpr uint8_t Sleep = 29;
inline constexpr uint8_t Shot = 30;
inline constexpr uint8_t Uart = 31;
inline constexpr uint8_t Udata = 32;
inline constexpr uint8_t First = 3;
inline constexpr uint8_t Last = 32;
}  // namespace kind

inline constexpr size_t kMaxNameLength = 32;
inline constexpr int kPageWidth = 3000;
inline constexpr int kPageHeight = 2000;
inline constexpr int kPageCount = 10;

// Rounds towards zero to a multiple of 10, as every element's position is.
[[nodiscard]] constexpr int32_t SnapToGrid(int32_t v) { return v / 10 * 10; }

class TBauteil {
 public:
  TBauteil(int32_t x, int32_t y);
  virtual ~TBauteil();
  TBauteil(const TBauteil&) = delete;
  TBauteil& operator=(const TBauteil&) = delete;

  uint8_t Kind = 0;
  int16_t Number = 0;
  int32_t DrawX = 0, DrawY = 0;  // absolute window position, recomputed by Draw
  int32_t X = 0, Y = 0;          // plan units; relative to the owner for pins
  int32_t Width = 50, Height = 50;
  std::string Name = "U";
  uint8_t Marked = 0;  // selected while editing, logic level while simulating
  TBauteil* Owner = nullptr;
  uint8_t CodeMark = 0;  // set where generated code reached a program-memory page boundary
  uint8_t Page = 0;

  // --- The operations every kind shares (the base does what is said in each comment).
  // Undoes every link with other elements; blocks release their pins. Storage is freed by the owner.
  virtual void Release();
  // Draws the element; the base only updates DrawX/DrawY.
  virtual void Draw(Canvas& canvas, int originX, int originY);
  // Upper-cases and stores at most 32 characters.
  virtual void SetName(std::string_view name);
  // Turns a pin or net name into an instruction operand ("RB.7" -> "PORTB,7"); message 1 if it has no bit.
  [[nodiscard]] std::string PinSignalName(std::string_view pinName) const;
  // Opens the kind's property dialog through the editor; returns true when something changed.
  virtual bool EditProperties(ElementEditor& editor);
  // The pin at (x, y) in window coordinates of the last Draw, or nullptr.
  virtual TObjAnschluss* HitPin(int x, int y);
  virtual void Unlink(TBauteil* other);

  virtual void GenerateMainCode(ProgramWriter&) {}
  virtual void GenerateAfterMain(ProgramWriter&) {}
  virtual void GenerateSubroutines(ProgramWriter&) {}
  virtual void GenerateInitStart(ProgramWriter&) {}
  virtual void GenerateInitEnd(ProgramWriter&) {}
  virtual void GenerateMainStart(ProgramWriter&) {}
  virtual void GenerateInterruptCode(ProgramWriter&) {}
  [[nodiscard]] virtual bool AcceptBuild() { return true; }

  // The file record: base record, own fields, pins, page and reserved zeros, as one walk over the fields.
  virtual void Record(RecordVisitor& v);
  // Called after a record was read (derived state such as pin labels and sizes).
  virtual void AfterLoad() {}
  void Save(ByteWriter& out);
  void Load(ByteReader& in);  // throws CorruptFile

  virtual void DeclareVariables(Analysis&) {}
  virtual void NoteUsedNames(Analysis&) {}
  virtual void PrepareAnalysis(Analysis&) {}
  virtual void FinishAnalysis(Analysis&) {}

  virtual void SimulationStep(SimContext&) {}
  virtual void SimulationStart(SimContext&) {}
  virtual void SimulationStop(SimContext&) {}
  virtual void SetMarked(uint8_t value);
  [[nodiscard]] virtual uint8_t GetMarked() const { return Marked; }

  // Renumbering's automatic name: kinds with a name prefix ("LG") become prefix + ordinal when their
  // name still starts with the prefix. `ordinals` counts per prefix (and per special rule).
  virtual void ApplyAutomaticName(AutoNameCounters& ordinals);
  // Told by an embedded pin after its net name changed (labels share it with their namesakes).
  virtual void PinRenamed(TObjAnschluss&) {}

  // --- Helpers shared by all kinds.
  // Embedded pins in record order (the order of numbering and of the file).
  [[nodiscard]] std::span<TObjAnschluss* const> Pins() const { return pinView_; }
  // Absolute position: origin + own X/Y + the X/Y of every owner up the chain.
  [[nodiscard]] Point AbsolutePosition(int originX, int originY) const;
  void UpdateDrawPosition(int originX, int originY);
  [[nodiscard]] bool IsPin() const { return Kind == kind::InputPin || Kind == kind::OutputPin; }
  [[nodiscard]] bool IsNode() const { return Kind == kind::Knoten; }
  // The project the element belongs to (through its owner for pins); null before it is listed.
  [[nodiscard]] Project* GetProject() const;
  void AttachProject(Project* p) { project_ = p; }
  // Tells the page windows that this element's look changed.
  void Redraw();

 protected:
  // Writes or reads the base record (kind, position, size, number, name).
  void BaseRecord(RecordVisitor& v);
  // The same for an element whose kind code may be any of kindLo..kindHi (a pin that changes direction).
  void BaseRecord(RecordVisitor& v, uint8_t kindLo, uint8_t kindHi);
  // Creates an embedded pin; pins are numbered and stored in the order they are added.
  TObjAnschluss& AddPin(uint8_t pinKind, int bits, uint8_t side, int32_t x, int32_t y, std::string_view label);

 private:
  Project* project_ = nullptr;
  std::vector<std::unique_ptr<TObjAnschluss>> pins_;
  std::vector<TObjAnschluss*> pinView_;
};

// Opens property dialogs; the GUI implements it with one dialog per kind.
class ElementEditor {
 public:
  virtual ~ElementEditor() = default;
  virtual bool Edit(TBauteil& element) = 0;
};

// Upper-cases ASCII letters (names are ASCII by the dialogs' rules; other bytes pass through).
[[nodiscard]] std::string UpperName(std::string_view name);

}  // namespace tolmek
