// A kind's file record declared once as a walk over its fields; save, load, dump and JSON are visitors of it.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "model/canvas.h"

namespace tolmek {

class TObjAnschluss;

// Every field of a record in file order. Keys name the field in dumps and in the JSON form of a plan;
// they are part of that documented format and must stay stable.
class RecordVisitor {
 public:
  virtual ~RecordVisitor() = default;
  [[nodiscard]] virtual bool Reading() const = 0;
  virtual void Byte(const char* key, uint8_t& v) = 0;
  // A byte that must lie in [lo, hi]; a reader treats anything else as a corrupt file.
  virtual void Choice(const char* key, uint8_t& v, uint8_t lo, uint8_t hi) = 0;
  virtual void Flag(const char* key, bool& v) = 0;
  virtual void Word(const char* key, uint16_t& v) = 0;              // two bytes, little-endian
  virtual void Coord(const char* key, int32_t& v) = 0;              // a size: low 16 bits, read unsigned
  // A position: 16 bits, read signed (a junction node on the page's edge lies half a grid step outside).
  // Visitors that only look at values may treat it as any other coordinate.
  virtual void Position(const char* key, int32_t& v) { Coord(key, v); }
  virtual void Number(const char* key, int16_t& v) = 0;             // element number
  virtual void Long(const char* key, uint32_t& v) = 0;              // four bytes, little-endian
  virtual void Text(const char* key, std::string& v, size_t maxLen) = 0;  // length byte + Latin-1
  virtual void Pin(const char* key, TObjAnschluss& pin) = 0;        // a nested pin record
  virtual void Page(uint8_t& page) = 0;                             // the element's page byte, 0..9
  // A junction node keeps its page in the width field: the page byte twice; a stored 11 reads as 0.
  virtual void NodePage(uint8_t& page) = 0;
  virtual void Zeros(size_t count) = 0;                             // reserved bytes
  // A run of bytes under one key (a table's values); the file stores them one after the other.
  virtual void Bytes(const char* key, std::span<uint8_t> v) {
    for (uint8_t& b : v) Byte(key, b);
  }
};

}  // namespace tolmek
