// The binary record writer and reader and the readable record listing.
#include "model/record_io.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "components/registry.h"
#include "model/node.h"
#include "model/pin.h"
#include "model/project.h"

namespace tolmek {

namespace {

[[noreturn]] void OutOfRange(const char* key) { throw CorruptFile(std::string("value out of range: ") + key); }

// A junction node's page byte; 11 in it stands for page 0.
uint8_t NodePageByte(uint8_t stored) {
  if (stored == 11) return 0;
  if (stored >= kPageCount) OutOfRange("page");
  return stored;
}

}  // namespace

void TBauteil::Save(ByteWriter& out) {
  BinaryRecordWriter writer(out);
  Record(writer);
}

void TBauteil::Load(ByteReader& in) {
  BinaryRecordReader reader(in);
  Record(reader);
  AfterLoad();
}

// ---- writer

void BinaryRecordWriter::Byte(const char*, uint8_t& v) { out_.U8(v); }
void BinaryRecordWriter::Choice(const char*, uint8_t& v, uint8_t, uint8_t) { out_.U8(v); }
void BinaryRecordWriter::Flag(const char*, bool& v) { out_.U8(v ? 1 : 0); }
void BinaryRecordWriter::Word(const char*, uint16_t& v) { out_.U16(v); }
void BinaryRecordWriter::Coord(const char*, int32_t& v) { out_.U16(uint16_t(uint32_t(v) & 0xFFFF)); }
void BinaryRecordWriter::Position(const char*, int32_t& v) { out_.U16(uint16_t(uint32_t(v) & 0xFFFF)); }
void BinaryRecordWriter::Number(const char*, int16_t& v) { out_.U16(uint16_t(v)); }
void BinaryRecordWriter::Long(const char*, uint32_t& v) { out_.U32(v); }
void BinaryRecordWriter::Text(const char*, std::string& v, size_t maxLen) { out_.Str(v, maxLen); }
void BinaryRecordWriter::Pin(const char*, TObjAnschluss& pin) { pin.Record(*this); }
void BinaryRecordWriter::Page(uint8_t& page) { out_.U8(page); }
void BinaryRecordWriter::NodePage(uint8_t& page) {
  out_.U8(page);
  out_.U8(page);
}
void BinaryRecordWriter::Zeros(size_t count) { out_.Zeros(count); }

// ---- reader

void BinaryRecordReader::Byte(const char*, uint8_t& v) { v = in_.U8(); }

void BinaryRecordReader::Choice(const char* key, uint8_t& v, uint8_t lo, uint8_t hi) {
  uint8_t b = in_.U8();
  if (b < lo || b > hi) OutOfRange(key);
  v = b;
}

void BinaryRecordReader::Flag(const char*, bool& v) { v = in_.U8() == 1; }
void BinaryRecordReader::Word(const char*, uint16_t& v) { v = in_.U16(); }
void BinaryRecordReader::Coord(const char*, int32_t& v) { v = in_.U16(); }
void BinaryRecordReader::Position(const char*, int32_t& v) { v = int16_t(in_.U16()); }
void BinaryRecordReader::Number(const char*, int16_t& v) { v = int16_t(in_.U16()); }
void BinaryRecordReader::Long(const char*, uint32_t& v) { v = in_.U32(); }
void BinaryRecordReader::Text(const char*, std::string& v, size_t maxLen) { v = in_.Str(maxLen); }
void BinaryRecordReader::Pin(const char*, TObjAnschluss& pin) { pin.Record(*this); }
void BinaryRecordReader::Page(uint8_t& page) {
  uint8_t b = in_.U8();
  if (b >= kPageCount) OutOfRange("page");
  page = b;
}

void BinaryRecordReader::NodePage(uint8_t& page) {
  uint8_t first = NodePageByte(in_.U8());
  (void)NodePageByte(in_.U8());
  page = first;
}
void BinaryRecordReader::Zeros(size_t count) { in_.Skip(count); }

// ---- listing

void DumpRecordVisitor::Line(const char* key, const std::string& value) {
  out_.append(size_t(indent_), ' ');
  out_ += key;
  out_ += ": ";
  out_ += value;
  out_ += '\n';
}

void DumpRecordVisitor::Byte(const char* key, uint8_t& v) { Line(key, std::to_string(v)); }
void DumpRecordVisitor::Choice(const char* key, uint8_t& v, uint8_t, uint8_t) { Line(key, std::to_string(v)); }
void DumpRecordVisitor::Flag(const char* key, bool& v) { Line(key, v ? "yes" : "no"); }
void DumpRecordVisitor::Word(const char* key, uint16_t& v) { Line(key, std::to_string(v)); }
void DumpRecordVisitor::Coord(const char* key, int32_t& v) { Line(key, std::to_string(v)); }
void DumpRecordVisitor::Position(const char* key, int32_t& v) { Line(key, std::to_string(v)); }
void DumpRecordVisitor::Number(const char* key, int16_t& v) { Line(key, std::to_string(v)); }
void DumpRecordVisitor::Long(const char* key, uint32_t& v) { Line(key, std::to_string(v)); }
void DumpRecordVisitor::Text(const char* key, std::string& v, size_t) { Line(key, '"' + v + '"'); }

void DumpRecordVisitor::Pin(const char* key, TObjAnschluss& pin) {
  Line(key, pin.IsInput() ? "input pin" : "output pin");
  DumpRecordVisitor nested(out_, indent_ + 2);
  pin.Record(nested);
}

void DumpRecordVisitor::Page(uint8_t& page) { Line("page", std::to_string(page)); }
void DumpRecordVisitor::NodePage(uint8_t& page) { Line("page", std::to_string(page)); }
void DumpRecordVisitor::Zeros(size_t) {}

void DumpRecordVisitor::Bytes(const char* key, std::span<uint8_t> v) {
  std::string list;
  for (size_t i = 0; i < v.size(); ++i) list += (i ? " " : "") + std::to_string(v[i]);
  Line(key, list);
}

// ---- the whole plan

namespace {

std::string YesNo(bool b) { return b ? "yes" : "no"; }

std::string Stamp(const DateTime& t) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d", t.year, t.month, t.day, t.hour, t.minute);
  return buf;
}

}  // namespace

std::string PlanListing(Project& p) {
  static constexpr const char* kOscillators[] = {"RC (ext.)", "LP", "XT", "HS", "RC (int.)"};
  const McuSettings& m = p.Mcu;
  const ProjectInfo& i = p.Info;
  std::string out = "settings\n";
  auto line = [&out](const std::string& key, const std::string& value) { out += "  " + key + ": " + value + "\n"; };
  line("calibration value", std::to_string(m.CalibrationValue));
  line("MPLAB-ICD", YesNo(m.IcdMode));
  line("MCLRE", m.Mclre ? "1 (I/O pin)" : "0 (MCLR)");
  line("password", i.Password.empty() ? "none" : "set");
  line("automatic build increment", YesNo(i.AutoIncrement));
  line("version", std::to_string(i.MajorVersion) + "." + std::to_string(i.MinorVersion) + " build " +
                      std::to_string(i.BuildNumber));
  line("created", Stamp(i.CreatedAt));
  line("changed", Stamp(i.ChangedAt));
  line("processor index", std::to_string(m.ProcessorType));
  bool knownOsc = m.Oscillator >= 0 && m.Oscillator < 5;
  line("oscillator", std::to_string(m.Oscillator) + (knownOsc ? std::string(" (") + kOscillators[m.Oscillator] + ")" : ""));
  line("watch-dog timer", YesNo(m.Watchdog));
  line("power-on timer", YesNo(m.PowerUpTimer));
  line("code protected", YesNo(m.CodeProtect));
  line("PORTB pull-up", YesNo(m.PullUps));
  line("brown-out detect", YesNo(m.BrownOut));
  line("clock", std::to_string(std::llround(m.ClockHz)) + " Hz");

  out += "elements: " + std::to_string(p.Elements().size()) + "\n";
  std::string links;
  size_t linkCount = 0;
  for (const auto& e : p.Elements()) {
    const KindInfo* info = FindKind(e->Kind);
    out += "  " + std::string(info ? info->className : "kind " + std::to_string(e->Kind)) + " \"" + e->Name + "\"\n";
    DumpRecordVisitor dump(out, 4);
    e->Record(dump);
    if (!e->IsNode()) continue;
    for (TBauteil* l : static_cast<const TObjKnoten&>(*e).LinkList()) {
      links += "  " + std::to_string(e->Number) + " -> " + std::to_string(l->Number) + "\n";
      ++linkCount;
    }
  }
  out += "links: " + std::to_string(linkCount) + "\n" + links;
  return out;
}

}  // namespace tolmek
