// The UART module: file record, baud rate, analysis (buffer lengths from its data blocks, RAM).
#include "components/uart.h"

#include <cmath>

#include "codegen/analysis.h"
#include "components/block_support.h"
#include "model/project.h"

namespace tolmek {

TObjUart::TObjUart(int32_t x, int32_t y) : TBauteil(x, y) {
  Kind = kind::Uart;
  Width = 70;
  Height = 50;
  Name = "UA";
}

void TObjUart::Record(RecordVisitor& v) {
  BaseRecord(v);
  v.Page(Page);
  v.Choice("uartType", UartType, 0, 1);
  v.Byte("customRate", CustomRate);
  v.Choice("rateIndex", RateIndex, 0, 3);
  v.Byte("brgh", Brgh);
  v.Byte("spbrg", Spbrg);
  v.Byte("halfDuplex", HalfDuplex);
  v.Text("txPin", TxPin, kMaxNameLength);
  v.Text("rxPin", RxPin, kMaxNameLength);
  v.Text("dirPin", DirPin, kMaxNameLength);
  // Stored inverted: 1 means the checksum is off.
  uint8_t off = WithChecksum ? 0 : 1;
  v.Byte("checksumOff", off);
  if (v.Reading()) WithChecksum = off == 1 ? 0 : 1;
  v.Zeros(255);
}

TObjUart::BaudSetting TObjUart::PresetBaud(int baud, double clockHz) {
  BaudSetting s;
  // The high-speed generator divides by 16, the low-speed one by 64; take the first that fits a byte.
  for (bool brgh : {true, false}) {
    const double divisor = brgh ? 16.0 : 64.0;
    const long n = std::lround(clockHz / (divisor * baud)) - 1;
    if (n < 0 || n > 255) continue;
    s.spbrg = int(n);
    s.brgh = brgh;
    s.baud = clockHz / (divisor * double(n + 1));
    s.error = std::abs(s.baud - baud) / baud;
    s.reachable = s.error <= 0.02;
    return s;
  }
  s.spbrg = clockHz / (64.0 * baud) > 128 ? 255 : 0;
  s.brgh = s.spbrg == 0;
  s.baud = clockHz / ((s.brgh ? 16.0 : 64.0) * (s.spbrg + 1));
  s.error = std::abs(s.baud - baud) / baud;
  s.reachable = false;
  return s;
}

TObjUart::BaudSetting TObjUart::Baud(double clockHz) const {
  if (CustomRate) {
    BaudSetting s;
    s.spbrg = Spbrg;
    s.brgh = Brgh != 0;
    s.baud = clockHz / ((s.brgh ? 16.0 : 64.0) * (Spbrg + 1));
    return s;
  }
  return PresetBaud(kPresetBauds[RateIndex <= 3 ? RateIndex : 0], clockHz);
}

void TObjUart::PrepareAnalysis(Analysis& a) {
  RxLength = TxLength = 0;
  UseFlags = 0;
  const bool usart = a.Props().HasUsart;
  if (usart && UartType == 0) a.NeedsUartInterrupt = true;
  if (!usart && a.RegisteringNames()) a.GetProject().Messages.ShowMessage(Msg::NoUart, MessageMode::Error, Name);
}

void TObjUart::NoteUsedNames(Analysis& a) {
  a.RegisterVariable("SYS_WSAV");
  a.RegisterVariable("SYS_SSAV");
  if (a.Props().PagingNeeded) a.RegisterVariable("SYS_PSAV");
  a.RegisterVariable(Name + "RSFLAG");
}

void TObjUart::DeclareVariables(Analysis& a) {
  const ProcessorProps& p = a.Props();
  const std::string tx = TxPin.empty() ? p.UartTxPin : TxPin;
  // The line idles high: a low TX pin before the USART takes it over would be a start bit.
  if (!tx.empty()) a.RegisterBit(tx, kind::OutputPin, 1);
  if (HalfDuplex && !DirPin.empty()) a.RegisterBit(DirPin, kind::OutputPin, 0);
  RegisterWorkBits(a, Name + "RSFLAG");
  for (const char* save : {"SYS_WSAV", "SYS_SSAV"}) RegisterWorkBits(a, save);
  if (p.PagingNeeded) RegisterWorkBits(a, "SYS_PSAV");
}

void TObjUart::FinishAnalysis(Analysis& a) {
  if (!a.Props().HasUsart) return;
  auto buffer = [&](const std::string& base, int cells) {
    a.AllocateBlock(base, cells);
    a.RegisterVariable(base);
    for (int i = 1; i < cells; ++i) a.RegisterVariable(base + std::to_string(i));
    if (!a.RegisteringNames()) return;
    RegisterWorkBits(a, base);
    for (int i = 1; i < cells; ++i) RegisterWorkBits(a, base + std::to_string(i));
  };
  if (UseFlags & 1) buffer(Name + "OUTBUF", OutCells());
  if (UseFlags & 2) buffer(Name + "INBUF", InCells());
}

TObjUart* FindUartModule(const Project& project, std::string_view name) {
  for (const auto& e : project.Elements())
    if (e->Kind == kind::Uart && e->Name == name) return static_cast<TObjUart*>(e.get());
  return nullptr;
}

}  // namespace tolmek
