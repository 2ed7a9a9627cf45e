// Export and import of the JSON form of a plan through the same record walk the project file uses.
#include "model/plan_json.h"

#include <algorithm>
#include <cstdio>
#include <set>
#include <utility>

#include "components/registry.h"
#include "model/bytes.h"
#include "model/node.h"
#include "model/pin.h"
#include "model/project_file.h"

namespace tolmek {

namespace {

[[noreturn]] void Fail(const std::string& where, const std::string& what) { throw CorruptFile(where + ": " + what); }

// ---- writing

class JsonRecordWriter final : public RecordVisitor {
 public:
  explicit JsonRecordWriter(PlanJson& obj) : obj_(obj) {}
  [[nodiscard]] bool Reading() const override { return false; }
  void Byte(const char* key, uint8_t& v) override { Put(key, v); }
  void Choice(const char* key, uint8_t& v, uint8_t, uint8_t) override { Put(key, v); }
  void Flag(const char* key, bool& v) override { Put(key, v); }
  void Word(const char* key, uint16_t& v) override { Put(key, v); }
  // The file keeps the low 16 bits of a size and reads them unsigned; the JSON says what the file says.
  void Coord(const char* key, int32_t& v) override { Put(key, uint16_t(uint32_t(v) & 0xFFFF)); }
  void Position(const char* key, int32_t& v) override { Put(key, int16_t(uint32_t(v) & 0xFFFF)); }
  void Number(const char* key, int16_t& v) override { Put(key, v); }
  void Long(const char* key, uint32_t& v) override { Put(key, v); }
  void Text(const char* key, std::string& v, size_t maxLen) override {
    Put(key, Latin1ToUtf8(Utf8ToLatin1(v).substr(0, maxLen)));
  }
  void Pin(const char* key, TObjAnschluss& pin) override {
    PlanJson nested = PlanJson::object();
    JsonRecordWriter writer(nested);
    pin.Record(writer);
    Put(key, std::move(nested));
  }
  void Page(uint8_t& page) override { Put("page", page); }
  void NodePage(uint8_t& page) override { Put("page", page); }
  void Zeros(size_t) override {}
  void Bytes(const char* key, std::span<uint8_t> v) override {
    PlanJson list = PlanJson::array();
    for (uint8_t b : v) list.push_back(b);
    Put(key, std::move(list));
  }

 private:
  template <class T>
  void Put(const char* key, T&& value) {
    // Two fields under one key would lose one of them in the JSON form: a fault of the kind's record.
    if (obj_.contains(key)) throw std::logic_error(std::string("record key used twice: ") + key);
    obj_[key] = std::forward<T>(value);
  }
  PlanJson& obj_;
};

std::string TimeText(const DateTime& t) {
  char buf[40];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d", t.year, t.month, t.day, t.hour, t.minute);
  return buf;
}

PlanJson SettingsToJson(const Project& p) {
  PlanJson s = PlanJson::object();
  s["calibrationValue"] = p.Mcu.CalibrationValue;
  s["icdMode"] = p.Mcu.IcdMode;
  s["mclre"] = p.Mcu.Mclre;
  s["password"] = p.Info.Password;
  s["autoIncrement"] = p.Info.AutoIncrement;
  s["majorVersion"] = p.Info.MajorVersion;
  s["minorVersion"] = p.Info.MinorVersion;
  s["buildNumber"] = p.Info.BuildNumber;
  s["createdAt"] = TimeText(p.Info.CreatedAt);
  s["changedAt"] = TimeText(p.Info.ChangedAt);
  s["processorType"] = p.Mcu.ProcessorType;
  s["oscillator"] = p.Mcu.Oscillator;
  s["watchdog"] = p.Mcu.Watchdog;
  s["powerUpTimer"] = p.Mcu.PowerUpTimer;
  s["codeProtect"] = p.Mcu.CodeProtect;
  s["pullUps"] = p.Mcu.PullUps;
  s["brownOut"] = p.Mcu.BrownOut;
  s["clockHz"] = std::llround(p.Mcu.ClockHz);
  return s;
}

// ---- reading

// Values of one JSON object, checked as they are taken; remembers which keys were used.
class JsonFields {
 public:
  JsonFields(const PlanJson& obj, std::string where) : obj_(obj), where_(std::move(where)) {
    if (!obj_.is_object()) Fail(where_, "must be an object");
  }
  [[nodiscard]] const std::string& Where() const { return where_; }
  [[nodiscard]] std::string At(const char* key) const { return where_ + "." + key; }

  // The value of `key`, or null when it is absent.
  const PlanJson* Find(const char* key) {
    used_.insert(key);
    auto it = obj_.find(key);
    return it == obj_.end() ? nullptr : &*it;
  }
  bool Integer(const char* key, int64_t lo, int64_t hi, int64_t& out) {
    const PlanJson* v = Find(key);
    if (!v) return false;
    if (!v->is_number_integer()) Fail(At(key), "must be a whole number");
    int64_t n = v->is_number_unsigned() ? int64_t(std::min<uint64_t>(v->get<uint64_t>(), uint64_t(INT64_MAX)))
                                        : v->get<int64_t>();
    if (n < lo || n > hi) Fail(At(key), "must lie in " + std::to_string(lo) + ".." + std::to_string(hi));
    out = n;
    return true;
  }
  template <class T>
  void Int(const char* key, T& v, int64_t lo, int64_t hi) {
    int64_t n;
    if (Integer(key, lo, hi, n)) v = T(n);
  }
  void Bool(const char* key, bool& v) {
    const PlanJson* j = Find(key);
    if (!j) return;
    if (!j->is_boolean()) Fail(At(key), "must be true or false");
    v = j->get<bool>();
  }
  void String(const char* key, std::string& v, size_t maxLen) {
    const PlanJson* j = Find(key);
    if (!j) return;
    if (!j->is_string()) Fail(At(key), "must be a string");
    const auto& s = j->get_ref<const std::string&>();
    std::string latin = Utf8ToLatin1(s);
    if (Latin1ToUtf8(latin) != s) Fail(At(key), "holds characters the file cannot store");
    if (latin.size() > maxLen) Fail(At(key), "longer than " + std::to_string(maxLen) + " characters");
    v = s;
  }
  void RejectUnknownKeys() const {
    for (auto it = obj_.begin(); it != obj_.end(); ++it)
      if (!used_.count(it.key())) Fail(where_, "unknown key \"" + it.key() + "\"");
  }

 private:
  const PlanJson& obj_;
  std::string where_;
  std::set<std::string, std::less<>> used_;
};

class JsonRecordReader final : public RecordVisitor {
 public:
  explicit JsonRecordReader(JsonFields& fields) : f_(fields) {}
  [[nodiscard]] bool Reading() const override { return true; }
  void Byte(const char* key, uint8_t& v) override { f_.Int(key, v, 0, 255); }
  void Choice(const char* key, uint8_t& v, uint8_t lo, uint8_t hi) override { f_.Int(key, v, lo, hi); }
  void Flag(const char* key, bool& v) override { f_.Bool(key, v); }
  void Word(const char* key, uint16_t& v) override { f_.Int(key, v, 0, 65535); }
  void Coord(const char* key, int32_t& v) override { f_.Int(key, v, 0, 65535); }
  void Position(const char* key, int32_t& v) override { f_.Int(key, v, -32768, 32767); }
  void Number(const char* key, int16_t& v) override { f_.Int(key, v, -32768, 32767); }
  void Long(const char* key, uint32_t& v) override { f_.Int(key, v, 0, 4294967295LL); }
  void Text(const char* key, std::string& v, size_t maxLen) override { f_.String(key, v, maxLen); }
  void Pin(const char* key, TObjAnschluss& pin) override {
    const PlanJson* j = f_.Find(key);
    if (!j) return;
    JsonFields nested(*j, f_.At(key));
    JsonRecordReader reader(nested);
    pin.Record(reader);
    nested.RejectUnknownKeys();
  }
  void Page(uint8_t& page) override { f_.Int("page", page, 0, kPageCount - 1); }
  void NodePage(uint8_t& page) override { f_.Int("page", page, 0, kPageCount - 1); }
  void Zeros(size_t) override {}
  void Bytes(const char* key, std::span<uint8_t> v) override {
    const PlanJson* j = f_.Find(key);
    if (!j) return;
    if (!j->is_array() || j->size() != v.size())
      Fail(f_.At(key), "must be a list of " + std::to_string(v.size()) + " numbers 0..255");
    for (size_t i = 0; i < v.size(); ++i) {
      const PlanJson& item = (*j)[i];
      if (!item.is_number_integer() || item.get<int64_t>() < 0 || item.get<int64_t>() > 255)
        Fail(f_.At(key) + "[" + std::to_string(i) + "]", "must be a whole number 0..255");
      v[i] = uint8_t(item.get<int64_t>());
    }
  }

 private:
  JsonFields& f_;
};

DateTime ParseTime(const std::string& where, const std::string& text) {
  DateTime t;
  char tail = 0;
  int n = std::sscanf(text.c_str(), "%4d-%2d-%2d %2d:%2d%c", &t.year, &t.month, &t.day, &t.hour, &t.minute, &tail);
  bool valid = n == 5 && text.size() == 16 && t.year >= 1900 && t.year <= 2300 && t.month >= 1 && t.month <= 12 &&
               t.day >= 1 && t.day <= 31 && t.hour >= 0 && t.hour <= 23 && t.minute >= 0 && t.minute <= 59;
  if (!valid) Fail(where, "must be a time \"YYYY-MM-DD hh:mm\" between the years 1900 and 2300");
  return t;
}

void SettingsFromJson(Project& p, const PlanJson& json) {
  JsonFields f(json, "settings");
  McuSettings mcu;
  ProjectInfo info;
  f.Int("calibrationValue", mcu.CalibrationValue, 0, 255);
  f.Bool("icdMode", mcu.IcdMode);
  f.Int("mclre", mcu.Mclre, 0, 1);
  f.String("password", info.Password, 255);
  f.Bool("autoIncrement", info.AutoIncrement);
  f.Int("majorVersion", info.MajorVersion, 0, 255);
  f.Int("minorVersion", info.MinorVersion, 0, 255);
  f.Int("buildNumber", info.BuildNumber, 0, 255);
  std::string created, changed;
  f.String("createdAt", created, 255);
  f.String("changedAt", changed, 255);
  if (!created.empty()) info.CreatedAt = ParseTime(f.At("createdAt"), created);
  if (!changed.empty()) info.ChangedAt = ParseTime(f.At("changedAt"), changed);
  f.Int("processorType", mcu.ProcessorType, 0, 49);
  f.Int("oscillator", mcu.Oscillator, 0, 4);
  f.Bool("watchdog", mcu.Watchdog);
  f.Bool("powerUpTimer", mcu.PowerUpTimer);
  f.Bool("codeProtect", mcu.CodeProtect);
  f.Bool("pullUps", mcu.PullUps);
  f.Bool("brownOut", mcu.BrownOut);
  int64_t clock;
  if (f.Integer("clockHz", 100, 4294967295LL, clock)) mcu.ClockHz = double(clock);
  f.RejectUnknownKeys();
  p.Mcu = mcu;
  p.Info = info;
}

void ElementFromJson(Project& p, const PlanJson& json, size_t index) {
  JsonFields f(json, "elements[" + std::to_string(index) + "]");
  int64_t code;
  if (!f.Integer("kind", kind::First, kind::Last, code)) Fail(f.Where(), "has no \"kind\"");
  const KindInfo* info = FindKind(uint8_t(code));
  if (!info) Fail(f.At("kind"), "no element kind " + std::to_string(code) + " is known");
  std::string type = info->className;
  f.String("type", type, 255);
  if (type != info->className) Fail(f.At("type"), "kind " + std::to_string(code) + " is " + info->className);
  TBauteil* e = p.CreateElement(uint8_t(code), 0, 0);
  if (!e) Fail(f.Where(), "cannot be created");
  JsonRecordReader reader(f);
  e->Record(reader);
  e->AfterLoad();
  f.RejectUnknownKeys();
  try {
    CheckPosition(*e);
  } catch (const CorruptFile&) {
    Fail(f.Where(), "lies off the page (x from " + std::to_string(kMinPosition) + " to " + std::to_string(kPageWidth) +
                        ", y from " + std::to_string(kMinPosition) + " to " + std::to_string(kPageHeight) + ")");
  }
}

std::string_view LinkProblem(StoredLinks::Result r) {
  switch (r) {
    case StoredLinks::Result::NoSuchElement: return "names no junction node or pin";
    case StoredLinks::Result::NotANode: return "does not start at a junction node";
    case StoredLinks::Result::PinTaken: return "joins a pin that is already linked to another node";
    case StoredLinks::Result::NodeFull: return "would give a junction node a fifth link";
    default: return {};
  }
}

void LinksFromJson(Project& p, const PlanJson& json) {
  if (!json.is_array()) Fail("links", "must be a list of [node, element] pairs");
  StoredLinks links(p);
  for (size_t i = 0; i < json.size(); ++i) {
    std::string where = "links[" + std::to_string(i) + "]";
    const PlanJson& pair = json[i];
    if (!pair.is_array() || pair.size() != 2 || !pair[0].is_number_integer() || !pair[1].is_number_integer())
      Fail(where, "must be a pair of element numbers");
    int64_t a = pair[0].get<int64_t>(), b = pair[1].get<int64_t>();
    if (a < -32768 || a > 32767 || b < -32768 || b > 32767 || a == 0) Fail(where, "is no element number pair");
    if (auto problem = LinkProblem(links.Add(int(a), int(b))); !problem.empty()) Fail(where, std::string(problem));
  }
  // A link between two nodes may be given from one side only; the other side is made here.
  if (links.Finish().second > 0) Fail("links", "would give a junction node a fifth link");
}

// Elements created from the JSON bring their numbers; renumbering each one would be wasted and quadratic.
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

void ReadPlan(Project& p, const PlanJson& json) {
  JsonFields top(json, "plan");
  std::string format;
  top.String("format", format, 255);
  if (format != kPlanJsonFormat) Fail(top.At("format"), std::string("must be \"") + kPlanJsonFormat + "\"");
  int64_t version = 0;
  if (!top.Integer("version", 1, kPlanJsonVersion, version)) Fail(top.At("version"), "is missing");
  if (const PlanJson* s = top.Find("settings")) SettingsFromJson(p, *s);
  if (const PlanJson* elements = top.Find("elements")) {
    if (!elements->is_array()) Fail("elements", "must be a list");
    SilentCreation silent(p);
    for (size_t i = 0; i < elements->size(); ++i) ElementFromJson(p, (*elements)[i], i);
    if (!FitsInFile(p)) Fail("elements", "more elements and pins than a file can number");
  }
  if (const PlanJson* links = top.Find("links")) LinksFromJson(p, *links);
  top.RejectUnknownKeys();
  p.NumberElements();
}

// Like dump(2), except that a list of plain values stays on one line: a link reads [5, 12].
void WriteIndented(std::string& out, const PlanJson& j, int indent) {
  auto scalar = [](const PlanJson& v) { return v.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace); };
  auto newline = [&out](int n) {
    out += '\n';
    out.append(size_t(n), ' ');
  };
  if (j.is_object() && !j.empty()) {
    out += '{';
    bool first = true;
    for (auto it = j.begin(); it != j.end(); ++it) {
      if (!first) out += ',';
      first = false;
      newline(indent + 2);
      out += scalar(PlanJson(it.key()));
      out += ": ";
      WriteIndented(out, it.value(), indent + 2);
    }
    newline(indent);
    out += '}';
  } else if (j.is_array() && !j.empty()) {
    bool flat = std::none_of(j.begin(), j.end(), [](const PlanJson& v) { return v.is_structured(); });
    out += '[';
    for (size_t i = 0; i < j.size(); ++i) {
      if (i) out += flat ? ", " : ",";
      if (!flat) newline(indent + 2);
      WriteIndented(out, j[i], indent + 2);
    }
    if (!flat) newline(indent);
    out += ']';
  } else {
    out += scalar(j);
  }
}

}  // namespace

PlanJson PlanToJson(Project& project) {
  project.NumberElements();  // the links are given by number; fresh numbers resolve on import
  PlanJson plan = PlanJson::object();
  plan["format"] = kPlanJsonFormat;
  plan["version"] = kPlanJsonVersion;
  plan["settings"] = SettingsToJson(project);
  PlanJson elements = PlanJson::array();
  PlanJson links = PlanJson::array();
  for (const auto& e : project.Elements()) {
    PlanJson obj = PlanJson::object();
    if (const KindInfo* info = FindKind(e->Kind)) obj["type"] = info->className;
    JsonRecordWriter writer(obj);
    e->Record(writer);
    elements.push_back(std::move(obj));
    if (e->IsNode())
      for (TBauteil* link : static_cast<const TObjKnoten&>(*e).LinkList())
        links.push_back(PlanJson::array({e->Number, link->Number}));
  }
  plan["elements"] = std::move(elements);
  plan["links"] = std::move(links);
  return plan;
}

std::string PlanToJsonText(Project& project) {
  std::string out;
  WriteIndented(out, PlanToJson(project), 0);
  out += '\n';
  return out;
}

void PlanFromJson(Project& project, const PlanJson& json) {
  project.New();
  try {
    ReadPlan(project, json);
  } catch (...) {
    project.New();
    throw;
  }
}

void PlanFromJsonText(Project& project, std::string_view text) {
  PlanJson json;
  try {
    json = PlanJson::parse(text);
  } catch (const nlohmann::json::exception& e) {
    project.New();
    throw CorruptFile(std::string("not JSON: ") + e.what());
  }
  PlanFromJson(project, json);
}

}  // namespace tolmek
