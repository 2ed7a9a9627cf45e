// TObjEE: the EEPROM module. It keeps a list of RAM variables in the internal data EEPROM or in a serial
// EEPROM on two pins: written on an edge of its input, read back at every start, optionally with a checksum
// byte and a read-back check after writing.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/element.h"
#include "model/pin.h"

namespace tolmek {

struct ProcessorProps;

class TObjEE final : public TBauteil {
 public:
  static constexpr int kMaxSizeDigits = 5;
  static constexpr int kMaxBusAddressDigits = 2;

  TObjEE(int32_t x, int32_t y);

  bool EeExternal = false;
  bool EeChecksum = false;
  bool EeVerify = false;
  std::vector<std::string> EeVariables;  // kept in this order in the EEPROM
  std::string EeSdaPin;
  std::string EeSclPin;
  uint8_t EeBusAddress = 0;  // 0..7, the address pins of the serial EEPROM
  uint16_t EeSize = 0;       // bytes of the serial EEPROM

  [[nodiscard]] TObjAnschluss& Input() const { return *in_; }
  // EEPROM bytes the module takes: its variables and the checksum byte.
  [[nodiscard]] int BytesUsed() const { return int(EeVariables.size()) + (EeChecksum ? 1 : 0); }
  // The first EEPROM address of the module: after every earlier module on the same EEPROM.
  [[nodiscard]] int StartAddress() const;
  // Bytes of the EEPROM the module works with: the part's data EEPROM, or EeSize.
  [[nodiscard]] int EepromBytes(const ProcessorProps& p) const;
  // Bytes of that EEPROM other modules of the plan leave.
  [[nodiscard]] int FreeForThis(const ProcessorProps& p) const;
  // True when both modules keep their data in the same EEPROM.
  [[nodiscard]] bool SharesEepromWith(const TObjEE& other) const;
  // 12-bit parts set directions with the TRIS instruction: the RAM copies the bus lines keep for it.
  [[nodiscard]] std::vector<std::string> DirectionCopies(const ProcessorProps& p) const;

  void Draw(Canvas& canvas, int originX, int originY) override;
  TObjAnschluss* HitPin(int x, int y) override;
  void Record(RecordVisitor& v) override;
  void GenerateMainCode(ProgramWriter& w) override;
  void GenerateSubroutines(ProgramWriter& w) override;
  void GenerateInitEnd(ProgramWriter& w) override;
  void DeclareVariables(Analysis& a) override;
  void NoteUsedNames(Analysis& a) override;

 private:
  // The module can work on the chosen part (reports what is missing otherwise).
  [[nodiscard]] bool Usable(ProgramWriter& w) const;
  [[nodiscard]] bool FirstOfItsKind(ProgramWriter& w) const;
  [[nodiscard]] int WorkRegisters() const;
  void WriteInternalRoutines(ProgramWriter& w) const;
  void WriteInternalModule(ProgramWriter& w) const;
  void WriteExternalRoutines(ProgramWriter& w) const;
  void WriteExternalEntries(ProgramWriter& w) const;
  [[nodiscard]] static std::string EntryLabel(const ProgramWriter& w, const std::string& label);
  void WriteExternalModule(ProgramWriter& w) const;
  void CallRoutine(ProgramWriter& w, const std::string& label) const;

  TObjAnschluss* in_ = nullptr;
};

}  // namespace tolmek
