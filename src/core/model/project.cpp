// The object list and the passes that keep numbers and signal names consistent.
#include "model/project.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <regex>

#include "components/registry.h"
#include "model/node.h"
#include "model/pin.h"

namespace tolmek {

DateTime DateTime::Now() {
  std::time_t t = std::time(nullptr);
  std::tm tm{};
  localtime_r(&t, &tm);
  return {tm.tm_mday, tm.tm_mon + 1, tm.tm_year + 1900, tm.tm_hour, tm.tm_min};
}

Project::Project(Messenger& messages) : Messages(messages) {}

Project::~Project() { FreeAll(); }

TBauteil* Project::CreateElement(uint8_t kindCode, int32_t x, int32_t y) {
  const KindInfo* info = FindKind(kindCode);
  if (!info) return nullptr;
  std::unique_ptr<TBauteil> element = info->create(x, y);
  element->AttachProject(this);
  if (!Pasting && !HasNumbersFor(1 + int(element->Pins().size()))) {
    Messages.ShowMessage(Msg::PlanTooLarge);
    return nullptr;
  }
  element->Page = uint8_t(CurrentPage);
  // A new node carries a name the automatic signal pass recognises as its own.
  if (element->IsNode()) element->Name = Options.AutoSignals ? "S0.0" : ".";
  TBauteil* raw = element.get();
  list_.push_back(std::move(element));
  if (!Pasting) Renumber();
  return raw;
}

void TBauteil::ApplyAutomaticName(AutoNameCounters& ordinals) {
  const KindInfo* info = FindKind(Kind);
  if (!info || !*info->namePrefix) return;
  std::string_view prefix = info->namePrefix;
  int ordinal = ordinals.Next(prefix);
  if (Name.compare(0, prefix.size(), prefix) == 0) SetName(std::string(prefix) + std::to_string(ordinal));
}

void Project::Renumber() {
  NumberElements();
  AutoNameCounters ordinals;
  for (auto& e : list_) {
    if (e->Kind < kind::First || e->Kind > kind::Last) continue;
    if (Pasting && !e->Marked) continue;
    e->ApplyAutomaticName(ordinals);
  }
}

void Project::NumberElements() {
  int counter = Pasting ? kPasteNumberBase : 1;
  for (auto& e : list_) {
    if (e->Kind < kind::First || e->Kind > kind::Last) continue;
    if (Pasting && !e->Marked) continue;
    e->Number = int16_t(counter++);
    for (auto* pin : e->Pins()) pin->Number = int16_t(counter++);
  }
}

int Project::NumbersInUse() const {
  int used = 0;
  for (const auto& e : list_)
    if (e->Kind >= kind::First && e->Kind <= kind::Last) used += 1 + int(e->Pins().size());
  return used;
}

namespace {

// "S" + digits, optionally "." + digits: the names the automatic pass hands out.
bool IsAutomaticSignalName(const std::string& name) {
  static const std::regex pattern(R"(S[0-9]+(\.[0-9]+)?)");
  return std::regex_match(name, pattern);
}

}  // namespace

void Project::AutoSignalNames() {
  if (!Options.AutoSignals) return;
  for (auto& e : list_) {
    if (e->IsNode() && !e->Name.empty() && e->Name[0] == 'S')
      e->Name = e->Name.find('.') != std::string::npos ? "." : "";
    // A pin that lost its node would otherwise keep a name that joins it to another net in the code.
    for (auto* pin : e->Pins())
      if (!pin->Partner && IsAutomaticSignalName(pin->Name))
        pin->Name = pin->Name.find('.') != std::string::npos ? "." : "";
  }
  int byteNo = 0;
  for (auto& e : list_)
    if (e->IsNode() && e->Name.empty()) e->SetName("S" + std::to_string(byteNo++));
  int bitNo = 0;
  for (auto& e : list_) {
    if (!e->IsNode() || e->Name != ".") continue;
    e->SetName("S" + std::to_string(byteNo) + "." + std::to_string(bitNo));
    if (bitNo == 7) {
      ++byteNo;
      bitNo = 0;
    } else {
      ++bitNo;
    }
  }
}

void Project::RemoveLooseNodes() {
  // Removing a node without links changes no other node's links, so one sweep finds them all.
  auto loose = [](const std::unique_ptr<TBauteil>& e) {
    return e->IsNode() && static_cast<const TObjKnoten&>(*e).LinkCount == 0;
  };
  auto before = list_.size();
  list_.erase(std::remove_if(list_.begin(), list_.end(), loose), list_.end());
  if (list_.size() != before) Renumber();
}

void Project::DeleteElement(TBauteil* element) {
  auto it = std::find_if(list_.begin(), list_.end(), [&](const auto& e) { return e.get() == element; });
  if (it == list_.end()) return;
  (*it)->Release();
  list_.erase(it);
  Renumber();
}

void Project::DeleteMarked() {
  for (auto& e : list_)
    if (e->Marked) e->Release();
  list_.erase(std::remove_if(list_.begin(), list_.end(), [](const auto& e) { return e->Marked != 0; }),
              list_.end());
  Renumber();
}

void Project::ClearMarks() {
  for (auto& e : list_) e->Marked = 0;
}

void Project::FreeAll() {
  for (auto& e : list_) e->Release();
  list_.clear();
}

void Project::MoveElement(size_t from, size_t to) {
  if (from >= list_.size() || to >= list_.size() || from == to) return;
  auto moved = std::move(list_[from]);
  list_.erase(list_.begin() + std::ptrdiff_t(from));
  list_.insert(list_.begin() + std::ptrdiff_t(to), std::move(moved));
  Renumber();
}

void Project::New() {
  FreeAll();
  ProjectFileName = kDefaultProjectName;
  SourceFileName = kDefaultSourceName;
  Saved = true;
  Info.MajorVersion = 1;
  Info.MinorVersion = 0;
  Info.BuildNumber = 0;
  Info.CreatedAt = Info.ChangedAt = DateTime::Now();
  Info.Password.clear();
  CurrentPage = 0;
}

TBauteil* Project::FindByNumber(int number) const {
  for (auto& e : list_) {
    if (e->IsNode()) {
      if (e->Number == number) return e.get();
      continue;
    }
    for (auto* pin : e->Pins())
      if (pin->Number == number) return pin;
  }
  return nullptr;
}

int Project::IndexOf(const TBauteil* element) const {
  for (size_t i = 0; i < list_.size(); ++i)
    if (list_[i].get() == element) return int(i);
  return -1;
}

}  // namespace tolmek
