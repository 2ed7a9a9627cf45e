// Visitors that carry element records to and from the file bytes, and one that lists them for people.
#pragma once

#include <string>

#include "model/bytes.h"
#include "model/record.h"

namespace tolmek {

class Project;

// Writes a record into the file's byte form. Names and texts longer than their limit are clipped.
class BinaryRecordWriter final : public RecordVisitor {
 public:
  explicit BinaryRecordWriter(ByteWriter& out) : out_(out) {}
  [[nodiscard]] bool Reading() const override { return false; }
  void Byte(const char* key, uint8_t& v) override;
  void Choice(const char* key, uint8_t& v, uint8_t lo, uint8_t hi) override;
  void Flag(const char* key, bool& v) override;
  void Word(const char* key, uint16_t& v) override;
  void Coord(const char* key, int32_t& v) override;
  void Position(const char* key, int32_t& v) override;
  void Number(const char* key, int16_t& v) override;
  void Long(const char* key, uint32_t& v) override;
  void Text(const char* key, std::string& v, size_t maxLen) override;
  void Pin(const char* key, TObjAnschluss& pin) override;
  void Page(uint8_t& page) override;
  void NodePage(uint8_t& page) override;
  void Zeros(size_t count) override;

 private:
  ByteWriter& out_;
};

// Reads a record from the file's byte form. Every value is checked against the range its field allows;
// a value outside it, like a read past the end, throws CorruptFile.
class BinaryRecordReader final : public RecordVisitor {
 public:
  explicit BinaryRecordReader(ByteReader& in) : in_(in) {}
  [[nodiscard]] bool Reading() const override { return true; }
  void Byte(const char* key, uint8_t& v) override;
  void Choice(const char* key, uint8_t& v, uint8_t lo, uint8_t hi) override;
  void Flag(const char* key, bool& v) override;
  void Word(const char* key, uint16_t& v) override;
  void Coord(const char* key, int32_t& v) override;
  void Position(const char* key, int32_t& v) override;
  void Number(const char* key, int16_t& v) override;
  void Long(const char* key, uint32_t& v) override;
  void Text(const char* key, std::string& v, size_t maxLen) override;
  void Pin(const char* key, TObjAnschluss& pin) override;
  void Page(uint8_t& page) override;
  void NodePage(uint8_t& page) override;
  void Zeros(size_t count) override;

 private:
  ByteReader& in_;
};

// Lists a record as indented "key: value" lines; nested pins are indented one step further.
class DumpRecordVisitor final : public RecordVisitor {
 public:
  explicit DumpRecordVisitor(std::string& out, int indent = 0) : out_(out), indent_(indent) {}
  [[nodiscard]] bool Reading() const override { return false; }
  void Byte(const char* key, uint8_t& v) override;
  void Choice(const char* key, uint8_t& v, uint8_t lo, uint8_t hi) override;
  void Flag(const char* key, bool& v) override;
  void Word(const char* key, uint16_t& v) override;
  void Coord(const char* key, int32_t& v) override;
  void Position(const char* key, int32_t& v) override;
  void Number(const char* key, int16_t& v) override;
  void Long(const char* key, uint32_t& v) override;
  void Text(const char* key, std::string& v, size_t maxLen) override;
  void Pin(const char* key, TObjAnschluss& pin) override;
  void Page(uint8_t& page) override;
  void NodePage(uint8_t& page) override;
  void Zeros(size_t count) override;
  void Bytes(const char* key, std::span<uint8_t> v) override;

 private:
  void Line(const char* key, const std::string& value);
  std::string& out_;
  int indent_;
};


// A readable listing of a whole plan: settings, every element with its fields and pins, the links.
[[nodiscard]] std::string PlanListing(Project& project);

}  // namespace tolmek
