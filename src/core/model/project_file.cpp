// Writing and reading project files, their settings block, element records and links.
#include "model/project_file.h"

#include <charconv>
#include <cstdio>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>

#include "codegen/processors.h"
#include "components/registry.h"
#include "model/node.h"
#include "model/pin.h"

namespace tolmek {

namespace {

constexpr char kIdentification[] = "\x08Tolmek function plan file, format version 1.00\x03";
static_assert(sizeof(kIdentification) - 1 == 48, "the identification is 48 bytes");

constexpr int kOscillatorCount = 5;
constexpr double kMinClockHz = 100;
constexpr double kMaxClockHz = 4294967295.0;

void WriteTime(ByteWriter& out, const DateTime& t) {
  out.U8(uint8_t(t.day));
  out.U8(uint8_t(t.month));
  out.U16(uint16_t(t.year));
  out.U8(uint8_t(t.hour));
  out.U8(uint8_t(t.minute));
}

// A stamp that is no date at all is replaced rather than refused: it says nothing about the plan.
DateTime ReadTime(ByteReader& in) {
  DateTime t;
  t.day = in.U8();
  t.month = in.U8();
  t.year = in.U16();
  t.hour = in.U8();
  t.minute = in.U8();
  bool valid = t.year >= 1900 && t.year <= 2300 && t.month >= 1 && t.month <= 12 && t.day >= 1 && t.day <= 31 &&
               t.hour <= 23 && t.minute <= 59;
  return valid ? t : DateTime::Now();
}

void WritePassword(ByteWriter& out, const std::string& password) {
  std::string latin = Utf8ToLatin1(password).substr(0, 255);
  out.U8(uint8_t(latin.size()));
  for (char c : latin) out.U8(uint8_t(~uint8_t(c)));
}

std::string ReadPassword(ByteReader& in) {
  size_t n = in.U8();
  std::string latin;
  latin.reserve(n);
  for (size_t i = 0; i < n; ++i) latin.push_back(char(~in.U8()));
  return Latin1ToUtf8(latin);
}

std::string ClockText(double hz) { return std::to_string(std::llround(hz)); }

double ParseClock(const std::string& text) {
  uint64_t value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size() || value < kMinClockHz ||
      double(value) > kMaxClockHz)
    throw CorruptFile("clock frequency");
  return double(value);
}

uint8_t ReadChoice(ByteReader& in, int count, const char* what) {
  uint8_t v = in.U8();
  if (v >= count) throw CorruptFile(std::string("value out of range: ") + what);
  return v;
}

void WriteSettings(ByteWriter& out, const Project& p) {
  out.U8(48);
  out.Raw(FileIdentification());
  out.Zeros(kReservedHeaderBytes);
  out.U16(kReservedWord);
  out.U8(uint8_t(p.Mcu.CalibrationValue));
  out.U8(p.Mcu.IcdMode ? 1 : 0);
  out.U8(uint8_t(p.Mcu.Mclre));
  WritePassword(out, p.Info.Password);
  out.U8(p.Info.AutoIncrement ? 1 : 0);
  out.U8(p.Info.MajorVersion);
  out.U8(p.Info.MinorVersion);
  out.U8(p.Info.BuildNumber);
  WriteTime(out, p.Info.CreatedAt);
  WriteTime(out, p.Info.ChangedAt);
  out.U8(uint8_t(p.Mcu.ProcessorType));
  out.U8(uint8_t(p.Mcu.Oscillator));
  out.U8(p.Mcu.Watchdog ? 1 : 0);
  out.U8(p.Mcu.PowerUpTimer ? 1 : 0);
  out.U8(p.Mcu.CodeProtect ? 1 : 0);
  out.U8(p.Mcu.PullUps ? 1 : 0);
  out.U8(p.Mcu.BrownOut ? 1 : 0);
  out.Str(ClockText(p.Mcu.ClockHz));
}

void ReadLinksFrom(Project& project, ByteReader& in, size_t firstElement) {
  StoredLinks links(project, firstElement);
  while (!in.AtEnd()) {
    int first = int16_t(in.U16());
    if (first == 0) break;
    int second = int16_t(in.U16());
    (void)links.Add(first, second);
  }
}

// Elements being read must not be renumbered one by one: they bring their numbers, and a renumbering
// per element would make reading a large plan quadratic. Creation skips it while a paste is in progress.
class SilentCreation {
 public:
  explicit SilentCreation(Project& p) : project_(p), was_(p.Pasting) { p.Pasting = true; }
  ~SilentCreation() { project_.Pasting = was_; }
  SilentCreation(const SilentCreation&) = delete;
  SilentCreation& operator=(const SilentCreation&) = delete;

 private:
  Project& project_;
  bool was_;
};

std::optional<std::string> ReadWholeFile(const std::string& path, bool& tooBig) {
  std::error_code ec;
  tooBig = false;
  if (!std::filesystem::is_regular_file(path, ec)) return std::nullopt;
  auto size = std::filesystem::file_size(path, ec);
  if (ec) return std::nullopt;
  if (size > kMaxProjectFileSize) {
    tooBig = true;
    return std::nullopt;
  }
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string data(size_t(size), '\0');
  in.read(data.data(), std::streamsize(size));
  data.resize(size_t(in.gcount()));
  if (in.bad()) return std::nullopt;
  return data;
}

}  // namespace

std::string_view FileIdentification() { return {kIdentification, 48}; }

bool WriteFileReplacing(const std::string& path, std::string_view bytes) {
  namespace fs = std::filesystem;
  std::random_device rd;
  char suffix[32];
  std::snprintf(suffix, sizeof suffix, ".%08x.tmp", unsigned(rd()));
  fs::path target(path);
  fs::path temp = target;
  temp += suffix;
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out) return false;
    out.write(bytes.data(), std::streamsize(bytes.size()));
    out.flush();
    if (!out) {
      out.close();
      std::error_code ignored;
      fs::remove(temp, ignored);
      return false;
    }
  }
  std::error_code ec;
  if (auto st = fs::status(target, ec); !ec && fs::is_regular_file(st))
    fs::permissions(temp, st.permissions(), ec);
  ec.clear();
  fs::rename(temp, target, ec);
  if (ec) {
    std::error_code ignored;
    fs::remove(temp, ignored);
    return false;
  }
  return true;
}

// Nodes by their own number, pins by theirs; the first in list order wins, as a search from the front would.
StoredLinks::StoredLinks(Project& project, size_t firstElement) {
  const auto& list = project.Elements();
  for (size_t i = firstElement; i < list.size(); ++i) {
    TBauteil& e = *list[i];
    if (e.IsNode()) byNumber_.emplace(e.Number, &e);
    for (TObjAnschluss* pin : e.Pins()) byNumber_.emplace(pin->Number, pin);
  }
}

// Anything but a fresh link is left out, so a damaged file can neither steal a pin from its node nor give
// a node a one-sided neighbour.
StoredLinks::Result StoredLinks::Add(int first, int second) {
  auto find = [this](int n) -> TBauteil* {
    auto it = byNumber_.find(n);
    return it == byNumber_.end() ? nullptr : it->second;
  };
  TBauteil* a = find(first);
  TBauteil* b = find(second);
  if (!a || !b) return Result::NoSuchElement;
  if (!a->IsNode()) return Result::NotANode;
  if (a == b) return Result::AlreadyLinked;
  auto& node = static_cast<TObjKnoten&>(*a);
  if (b->IsPin()) {
    auto& pin = static_cast<TObjAnschluss&>(*b);
    if (pin.Partner) return pin.Partner == &node ? Result::AlreadyLinked : Result::PinTaken;
    return node.Connect(&pin) ? Result::Made : Result::NodeFull;
  }
  auto& other = static_cast<TObjKnoten&>(*b);
  if (node.IsLinkedTo(&other) || other.IsLinkedTo(&node)) return Result::AlreadyLinked;
  if (node.LinkCount >= TObjKnoten::kMaxLinks || other.LinkCount >= TObjKnoten::kMaxLinks) return Result::NodeFull;
  node.Connect(&other);
  other.Connect(&node);
  return Result::Made;
}

void ShiftPasted(TBauteil& e) {
  e.X = e.X + 50 > kPageWidth ? e.X - 50 : e.X + 50;
  e.Y = e.Y + 50 > kPageHeight ? e.Y - 50 : e.Y + 50;
}

void ReadElements(Project& project, ByteReader& in) {
  bool pasting = project.Pasting;
  SilentCreation silent(project);
  for (;;) {
    uint8_t code = in.U8();
    if (code == 0) return;
    if (!FindKind(code)) throw CorruptFile("unknown element kind " + std::to_string(code));
    TBauteil* e = project.CreateElement(code, 0, 0);
    if (!e) throw CorruptFile("element kind " + std::to_string(code) + " cannot be created");
    e->Load(in);
    if (pasting) {
      e->Marked = 1;
      ShiftPasted(*e);
      e->Page = uint8_t(project.CurrentPage);
    }
  }
}

void ReadLinks(Project& project, ByteReader& in) { ReadLinksFrom(project, in, 0); }

void WriteElements(Project& project, ByteWriter& out, const std::function<bool(const TBauteil&)>& chosen) {
  for (const auto& e : project.Elements()) {
    if (!chosen(*e)) continue;
    out.U8(e->Kind);
    e->Save(out);
  }
  out.U8(0);
  for (const auto& e : project.Elements()) {
    if (!e->IsNode() || !chosen(*e)) continue;
    for (TBauteil* link : static_cast<const TObjKnoten&>(*e).LinkList()) {
      bool inside = link->IsNode() ? chosen(*link) : (link->Owner && chosen(*link->Owner));
      if (!inside) continue;
      out.U16(uint16_t(e->Number));
      out.U16(uint16_t(link->Number));
    }
  }
  out.U16(0);
}

bool PasteElements(Project& project, std::string_view bytes) {
  size_t before = project.Elements().size();
  project.ClearMarks();
  project.Pasting = true;
  try {
    ByteReader in(bytes);
    ReadElements(project, in);
    ReadLinksFrom(project, in, before);
    project.Pasting = false;
    return true;
  } catch (const CorruptFile&) {
    project.Pasting = false;
    const auto& list = project.Elements();
    for (size_t i = before; i < list.size(); ++i) list[i]->Marked = 1;
    project.DeleteMarked();
    return false;
  }
}

std::string ProjectToBytes(Project& project) {
  ByteWriter out;
  WriteSettings(out, project);
  WriteElements(project, out, [](const TBauteil&) { return true; });
  return out.Data();
}

namespace {

bool ReadProject(Project& project, std::string_view bytes, PasswordPrompt& prompt) {
  ByteReader in(bytes);
  if (in.U8() != 48) throw CorruptFile("identification");
  std::string id;
  for (int i = 0; i < 48; ++i) id.push_back(char(in.U8()));
  if (id != FileIdentification()) throw CorruptFile("identification");
  in.Skip(kReservedHeaderBytes);
  (void)in.U16();

  McuSettings mcu = project.Mcu;
  ProjectInfo info;
  mcu.CalibrationValue = in.U8();
  mcu.IcdMode = in.U8() == 1;
  mcu.Mclre = ReadChoice(in, 2, "MCLRE");
  info.Password = ReadPassword(in);
  if (!info.Password.empty()) {
    std::optional<std::string> typed = prompt.AskPassword();
    if (!typed || *typed != info.Password) return false;
  }
  info.AutoIncrement = in.U8() == 1;
  info.MajorVersion = in.U8();
  info.MinorVersion = in.U8();
  info.BuildNumber = in.U8();
  info.CreatedAt = ReadTime(in);
  info.ChangedAt = ReadTime(in);
  mcu.ProcessorType = ReadChoice(in, ProcessorCount, "processor");
  mcu.Oscillator = ReadChoice(in, kOscillatorCount, "oscillator");
  mcu.Watchdog = in.U8() == 1;
  mcu.PowerUpTimer = in.U8() == 1;
  mcu.CodeProtect = in.U8() == 1;
  mcu.PullUps = in.U8() == 1;
  mcu.BrownOut = in.U8() == 1;
  mcu.ClockHz = ParseClock(in.Str());

  ReadElements(project, in);
  ReadLinksFrom(project, in, 0);
  project.Mcu = mcu;
  project.Info = info;
  return true;
}

}  // namespace

bool ProjectFromBytes(Project& project, std::string_view bytes, PasswordPrompt& prompt) {
  try {
    return ReadProject(project, bytes, prompt);
  } catch (...) {
    project.New();
    throw;
  }
}

bool SaveProject(Project& project, const std::string& path) {
  DateTime before = project.Info.ChangedAt;
  project.Info.ChangedAt = DateTime::Now();
  if (!WriteFileReplacing(path, ProjectToBytes(project))) {
    project.Info.ChangedAt = before;
    project.Messages.ShowMessage(Msg::CannotSave);
    return false;
  }
  project.Saved = true;
  return true;
}

bool OpenProject(Project& project, const std::string& path, PasswordPrompt& prompt) {
  project.New();
  auto fail = [&project](Msg message) {
    project.New();
    project.Messages.ShowMessage(message);
    return false;
  };
  bool tooBig = false;
  std::optional<std::string> bytes = ReadWholeFile(path, tooBig);
  if (!bytes) return fail(tooBig ? Msg::NotAProjectFile : Msg::FileMissing);
  try {
    if (!ProjectFromBytes(project, *bytes, prompt)) return fail(Msg::WrongPassword);
  } catch (const std::exception&) {
    // CorruptFile in every case the reader foresees; anything else from a kind's record is no better.
    return fail(Msg::NotAProjectFile);
  }
  project.ProjectFileName = path;
  project.Saved = true;
  return true;
}

}  // namespace tolmek
