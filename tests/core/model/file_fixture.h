// A small plan using every kind that exists, and byte helpers, for the file, JSON and listing tests.
#pragma once

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <unistd.h>

#include "components/gatter.h"
#include "components/gnd.h"
#include "components/spl.h"
#include "components/text.h"
#include "model/project_file.h"
#include "support/test_project.h"

namespace tolmek::test {

// GND and VCC into a two-input gate, its output through two joined nodes to a source label, a destination
// label on page 2, a comment; every element kind with a record, a node-to-node link, numbers renumbered.
inline void BuildSamplePlan(TestProject& t) {
  auto& gnd = t.Add<TObjGnd>(kind::Gnd, 100, 100);
  auto& vcc = t.Add<TObjGnd>(kind::Gnd, 100, 200);
  vcc.SetSupply(TObjGnd::kVcc, true);
  auto& gate = t.Add<TObjGatter>(kind::Gatter, 300, 120);
  auto& source = t.Add<TObjSpl>(kind::Spl, 600, 140);
  t.project.CurrentPage = 1;
  auto& target = t.Add<TObjSpl>(kind::Spl, 100, 300);
  t.project.CurrentPage = 0;
  auto& comment = t.Add<TObjText>(kind::Text, 100, 40);
  comment.CommentText = "Fußnote: zwei Quellen";
  t.Wire(250, 110, gnd.Pin(), gate.Input(0));
  t.Wire(250, 210, vcc.Pin(), gate.Input(1));
  auto& a = t.Wire(450, 140, gate.Output());
  t.Wire(550, 140, a, source.Pin());
  t.project.Renumber();
  target.AttachTo(source.Name);
  t.project.Renumber();
  t.project.AutoSignalNames();
}

inline std::string ReadBytes(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

inline void WriteBytes(const std::filesystem::path& p, const std::string& bytes) {
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out << bytes;
}

// Changes every field a record walk reaches, within its allowed range, so a field the reader drops shows.
class Scrambler final : public RecordVisitor {
 public:
  [[nodiscard]] bool Reading() const override { return true; }
  void Byte(const char*, uint8_t& v) override { v = uint8_t(next_++ * 7); }
  void Choice(const char* key, uint8_t& v, uint8_t lo, uint8_t hi) override {
    if (std::string_view(key) != "kind") v = uint8_t(lo + next_++ % (hi - lo + 1));
  }
  void Flag(const char*, bool& v) override { v = next_++ % 2; }
  void Word(const char*, uint16_t& v) override { v = uint16_t(next_++ * 311); }
  void Coord(const char*, int32_t& v) override { v = int32_t(next_++ * 10); }
  void Position(const char*, int32_t& v) override { v = int32_t(next_++ * 10 % 2000); }  // stays on the page
  void Number(const char*, int16_t& v) override { v = int16_t(next_++); }
  void Long(const char*, uint32_t& v) override { v = next_++ * 0x01010101u; }
  void Text(const char*, std::string& v, size_t maxLen) override {
    uint32_t n = next_++;
    v = std::string(std::min<size_t>(maxLen, 3 + n % 40), char('A' + n % 26));
  }
  void Pin(const char*, TObjAnschluss& pin) override { pin.Record(*this); }
  void Page(uint8_t& page) override { page = uint8_t(next_++ % 10); }
  void NodePage(uint8_t& page) override { page = uint8_t(next_++ % 10); }
  void Zeros(size_t) override {}

 private:
  uint32_t next_ = 1;
};

// A fresh, empty folder for one test.
inline std::filesystem::path TempFolder(const std::string& name) {
  auto dir = std::filesystem::temp_directory_path() / ("tolmek_file_" + name + "_" + std::to_string(::getpid()));
  std::filesystem::remove_all(dir);
  std::filesystem::create_directories(dir);
  return dir;
}

// Offset of the first settings byte after the password (the automatic build increment flag).
inline size_t AfterPassword(const std::string& file) { return 1057 + size_t(uint8_t(file[1056])); }

}  // namespace tolmek::test
