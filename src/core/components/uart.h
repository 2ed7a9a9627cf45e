// TObjUart: the hardware USART of the PIC, its receive and transmit buffers and its interrupt part.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "model/element.h"

namespace tolmek {

class TObjUart final : public TBauteil {
 public:
  static constexpr int kPresetBauds[] = {1200, 2400, 9600, 19200};

  TObjUart(int32_t x, int32_t y);

  uint8_t UartType = 0;  // 0 hardware, 1 software (refused: it has no code)
  uint8_t CustomRate = 0;
  uint8_t RateIndex = 0;  // 1200, 2400, 9600, 19200 baud
  uint8_t Brgh = 0;       // custom rate: high-speed baud generator
  uint8_t Spbrg = 0;      // custom rate: generator value
  uint8_t HalfDuplex = 0;
  uint8_t WithChecksum = 1;
  std::string TxPin, RxPin, DirPin;  // empty Tx/Rx: the part's own pins

  // Set by the analysis: bit 0 some data block transmits, bit 1 some data block receives; longest lists.
  uint8_t UseFlags = 0;
  uint16_t RxLength = 0, TxLength = 0;

  // The generator setting for the chosen speed at `clockHz`: presets are computed from the clock.
  struct BaudSetting {
    int spbrg = 0;
    bool brgh = true;
    double baud = 0;      // what the setting gives
    double error = 0;     // relative to the preset (0 for a custom rate)
    bool reachable = true;  // within 2 % (always for a custom rate)
  };
  [[nodiscard]] BaudSetting Baud(double clockHz) const;
  [[nodiscard]] static BaudSetting PresetBaud(int baud, double clockHz);
  // Transmit/receive buffer: cells, and the offset of the first data byte.
  [[nodiscard]] int OutCells() const { return TxLength + (WithChecksum ? 3 : 2); }
  [[nodiscard]] int InCells() const { return RxLength + (WithChecksum ? 4 : 2); }

  void Draw(Canvas& canvas, int originX, int originY) override;
  void Record(RecordVisitor& v) override;
  void GenerateInitEnd(ProgramWriter& w) override;
  void GenerateInterruptCode(ProgramWriter& w) override;
  void PrepareAnalysis(Analysis& a) override;
  void DeclareVariables(Analysis& a) override;
  void NoteUsedNames(Analysis& a) override;
  void FinishAnalysis(Analysis& a) override;

 private:
  // Writes code only on a part with a USART and for the hardware type.
  [[nodiscard]] bool WritesCode(const ProgramWriter& w) const;
  void ReceivePart(ProgramWriter& w);
  void TransmitPart(ProgramWriter& w);
  // Selects the indirect bank of the buffer on parts with more than two banks.
  void IndirectBank(ProgramWriter& w, const std::string& buffer);
};

// The UART module of the plan called `name`, or nullptr.
[[nodiscard]] TObjUart* FindUartModule(const Project& project, std::string_view name);

}  // namespace tolmek
