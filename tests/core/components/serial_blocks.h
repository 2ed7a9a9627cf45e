// Plans with LCD and UART blocks for the tests: modules, output blocks and values set by GND/VCC blocks.
#pragma once

#include <string>

#include "block_code_fixture.h"
#include "components/lcd_base.h"
#include "components/lcd_text.h"
#include "components/uart.h"
#include "components/udata.h"

namespace tolmek::test {

inline TObjLcdBase& AddLcd(TestProject& tp, const std::string& port, const std::string& enable, int rows,
                           int columns) {
  auto& m = tp.Add<TObjLcdBase>(kind::LcdBase);
  m.LcdPort = port;
  m.EnablePin = enable;
  m.Rows = uint8_t(rows);
  m.Columns = uint8_t(columns);
  return m;
}

// An output block on module LB1, started by net `start`, at a constant position.
inline TObjLcdText& AddLcdOut(TestProject& tp, const std::string& start, uint8_t format, int x, int y,
                              const std::string& value = {}) {
  auto& b = tp.Add<TObjLcdText>(kind::LcdText);
  b.Format = format;
  b.PosX = uint8_t(x);
  b.PosY = uint8_t(y);
  b.In().SetName(start);
  if (!value.empty()) b.Value().SetName(value);
  return b;
}

// GND/VCC blocks that give the variable `name` the value (and a _HI byte for a 16-bit value).
inline void AddValue(TestProject& tp, const std::string& name, int value, bool wide) {
  for (int byte = 0; byte < (wide ? 2 : 1); ++byte) {
    const std::string reg = byte ? name + "_HI" : name;
    const int v = (value >> (8 * byte)) & 0xFF;
    if (v == 0) AddSupply(tp, false, reg + ".0");
    for (int bit = 0; bit < 8; ++bit)
      if ((v >> bit) & 1) AddSupply(tp, true, reg + "." + std::to_string(bit));
  }
}

inline TObjUart& AddUart(TestProject& tp, int rateIndex, bool checksum) {
  auto& u = tp.Add<TObjUart>(kind::Uart);
  u.RateIndex = uint8_t(rateIndex);
  u.WithChecksum = checksum ? 1 : 0;
  return u;
}

inline TObjUdata& AddUdata(TestProject& tp, uint8_t direction, const std::vector<std::string>& items,
                           const std::string& start, const std::string& active) {
  auto& d = tp.Add<TObjUdata>(kind::Udata);
  d.Direction = direction;
  d.Items = items;
  d.In().SetName(start);
  d.Out().SetName(active);
  return d;
}

}  // namespace tolmek::test
