// A small model of an HD44780 character display in 4-bit mode, fed with the port writes a program made
// (as gpsim logs them): it latches a nibble when E falls, and keeps display RAM, address counter and entry mode.
#pragma once

#include <array>
#include <string>
#include <utility>
#include <vector>

namespace tolmek::test {

class Hd44780 {
 public:
  // Data on bits 0..3 and RS on bit 4 of `dataReg`; E is bit `enableBit` of `enableReg`.
  Hd44780(std::string dataReg, std::string enableReg, int enableBit)
      : dataReg_(std::move(dataReg)), enableReg_(std::move(enableReg)), enableBit_(enableBit) {
    ram_.fill(' ');
  }

  void Feed(const std::vector<std::pair<std::string, int>>& writes) {
    for (const auto& [reg, value] : writes) {
      if (reg == dataReg_) data_ = value;
      if (reg != enableReg_) continue;
      const bool e = (value >> enableBit_) & 1;
      if (enable_ && !e) Latch(data_ & 0x0F, (data_ >> 4) & 1);
      enable_ = e;
    }
  }

  // What a module of `rows` x `columns` shows in `row` (one row: two halves, the second from H'40').
  [[nodiscard]] std::string Row(int row, int rows, int columns) const {
    std::string out;
    for (int c = 0; c < columns; ++c) {
      int address = 0;
      if (rows == 1) address = c < columns / 2 ? c : 0x40 + c - columns / 2;
      else address = (row & 1 ? 0x40 : 0) + (row & 2 ? columns : 0) + c;
      out += ram_[size_t(address & 0x7F)];
    }
    return out;
  }
  [[nodiscard]] int Commands() const { return commands_; }
  [[nodiscard]] bool FourBit() const { return fourBit_; }

 private:
  void Latch(int nibble, int rs) {
    if (!fourBit_) {
      // 8-bit mode during the start: each pulse is a whole command with the nibble as its upper half.
      if (!rs && (nibble & 0x2) && !(nibble & 0x1)) fourBit_ = true;
      return;
    }
    if (!low_) {
      high_ = nibble;
      low_ = true;
      return;
    }
    low_ = false;
    const int byte = (high_ << 4) | nibble;
    if (rs) Write(byte);
    else Command(byte);
  }
  void Command(int c) {
    ++commands_;
    if (c & 0x80) {
      address_ = c & 0x7F;
    } else if (c & 0x40) {
      // character generator RAM: not modelled
    } else if (c & 0x20) {
      // function set
    } else if (c & 0x04 && !(c & 0xF8)) {
      increment_ = (c & 0x02) != 0;
    } else if (c == 0x01) {
      ram_.fill(' ');
      address_ = 0;
      increment_ = true;
    } else if ((c & 0xFE) == 0x02) {
      address_ = 0;
    }
  }
  void Write(int byte) {
    ram_[size_t(address_)] = char(byte);
    // Two lines of 40: 0x00..0x27 and 0x40..0x67, the address running on from one to the other.
    if (increment_) address_ = address_ == 0x27 ? 0x40 : address_ == 0x67 ? 0x00 : address_ + 1;
    else address_ = address_ == 0x40 ? 0x27 : address_ == 0x00 ? 0x67 : address_ - 1;
  }

  std::string dataReg_, enableReg_;
  int enableBit_;
  int data_ = 0;
  bool enable_ = false;
  bool fourBit_ = false;
  bool low_ = false;
  int high_ = 0;
  int address_ = 0;
  bool increment_ = true;
  int commands_ = 0;
  std::array<char, 128> ram_{};
};

}  // namespace tolmek::test
