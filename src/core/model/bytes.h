// Byte streams of the project file: little-endian integers and Latin-1 strings with a length byte.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace tolmek {

// Thrown by readers on a truncated or malformed file; caught where the file is read, never beyond.
struct CorruptFile : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Names inside the program are UTF-8; the file holds Latin-1. Characters outside Latin-1 become "?".
[[nodiscard]] std::string Utf8ToLatin1(std::string_view utf8);
[[nodiscard]] std::string Latin1ToUtf8(std::string_view latin1);

class ByteWriter {
 public:
  void U8(uint8_t v) { buf_.push_back(char(v)); }
  void U16(uint16_t v) {
    U8(uint8_t(v & 0xFF));
    U8(uint8_t(v >> 8));
  }
  void U32(uint32_t v) {
    U16(uint16_t(v & 0xFFFF));
    U16(uint16_t(v >> 16));
  }
  // Writes a length byte and at most maxLen characters of the Latin-1 form of `utf8`.
  void Str(std::string_view utf8, size_t maxLen = 255);
  void Raw(std::string_view bytes) { buf_.append(bytes); }
  void Zeros(size_t n) { buf_.append(n, '\0'); }
  [[nodiscard]] const std::string& Data() const { return buf_; }
  [[nodiscard]] size_t Size() const { return buf_.size(); }

 private:
  std::string buf_;
};

class ByteReader {
 public:
  explicit ByteReader(std::string_view data) : data_(data) {}
  [[nodiscard]] uint8_t U8() {
    if (pos_ >= data_.size()) throw CorruptFile("read past the end");
    return uint8_t(data_[pos_++]);
  }
  [[nodiscard]] uint16_t U16() {
    uint16_t lo = U8();
    return uint16_t(lo | (U8() << 8));
  }
  [[nodiscard]] uint32_t U32() {
    uint32_t lo = U16();
    return lo | (uint32_t(U16()) << 16);
  }
  // Reads a length byte and the characters; keeps the first maxLen, consumes them all. Returns UTF-8.
  [[nodiscard]] std::string Str(size_t maxLen = 255);
  void Skip(size_t n) {
    if (data_.size() - pos_ < n) throw CorruptFile("skip past the end");
    pos_ += n;
  }
  [[nodiscard]] bool AtEnd() const { return pos_ >= data_.size(); }
  [[nodiscard]] size_t Position() const { return pos_; }
  [[nodiscard]] size_t Remaining() const { return data_.size() - pos_; }

 private:
  std::string_view data_;
  size_t pos_ = 0;
};

}  // namespace tolmek
