// The simulation engine: switching on and off, the two-pass tick, clicks, and collecting what changed.
#include "sim/engine.h"

#include <algorithm>
#include <regex>
#include <unordered_map>

#include "model/node.h"
#include "model/pin.h"

namespace tolmek {
namespace {

// Restores what a tick changes for the duration of its passes, also when a step throws.
class PassGuard {
 public:
  PassGuard(Project& project, SimContext& context, int rate)
      : project_(project), context_(context), page_(project.CurrentPage), rate_(rate) {}
  ~PassGuard() {
    project_.CurrentPage = page_;
    context_.SetSimRate(rate_);
  }
  PassGuard(const PassGuard&) = delete;
  PassGuard& operator=(const PassGuard&) = delete;

 private:
  Project& project_;
  SimContext& context_;
  int page_;
  int rate_;
};

bool ValidPage(int page) { return page >= 0 && page < kPageCount; }

// Sets a pin's raw level, the level of the net it stands on (an output pin inverts what it is given).
void SetPinLevel(TObjAnschluss& pin, uint8_t level) {
  pin.SetMarked(pin.IsOutput() ? uint8_t(level ^ uint8_t(pin.Inverted)) : level);
}

}  // namespace

bool IsPortByteName(std::string_view name) {
  return name.size() == 2 && ((name[0] == 'R' && name[1] >= 'A' && name[1] <= 'Z') || name == "GP");
}

std::vector<std::string> PortByteNames(const Project& project) {
  std::vector<std::string> names;
  for (const auto& e : project.Elements())
    for (const TObjAnschluss* pin : e->Pins())
      if (pin->Bits > 1 && IsPortByteName(pin->Name) &&
          std::find(names.begin(), names.end(), pin->Name) == names.end())
        names.push_back(pin->Name);
  return names;
}

SimEngine::SimEngine(Project& project) : project_(project), context_(project, variables_) {
  context_.SetSimRate(rate_);
}

SimEngine::~SimEngine() {
  // Whoever watched may be gone already; the project still gets its levels cleared and hooks called.
  observer_ = nullptr;
  StopSimulation();
}

void SimEngine::SetPageOpen(int page, bool open) {
  if (ValidPage(page)) openPages_.set(size_t(page), open);
}

void SimEngine::SetAllPagesOpen(bool open) {
  if (open)
    openPages_.set();
  else
    openPages_.reset();
}

bool SimEngine::IsPageOpen(int page) const { return ValidPage(page) && openPages_.test(size_t(page)); }

void SimEngine::SetSimRate(int ms) {
  rate_ = std::clamp(ms, kMinRate, kMaxRate);
  context_.SetSimRate(rate_);
}

void SimEngine::AddVariables(std::span<const std::string> names) {
  if (running_) return;  // components hold pointers into the table while running
  for (const auto& name : names)
    if (!name.empty()) variables_.Add(name);
}

bool SimEngine::StartSimulation() {
  if (running_) return false;
  context_.ResetFlags();
  context_.SetSimRate(rate_);
  running_ = true;
  project_.SimActive = true;
  ticks_ = 0;
  elapsedMs_ = 0;

  for (auto& objects : pageObjects_) objects.clear();
  for (const auto& e : project_.Elements())
    if (ValidPage(e->Page)) pageObjects_[e->Page].push_back(e.get());

  savedListener_ = project_.Redraw;
  project_.Redraw = this;
  JoinNamesakes();
  BindPortBytes();
  for (const auto& e : project_.Elements()) e->SimulationStart(context_);
  // Marked meant "selected" until now; from here on it is the level, and every level starts low.
  ClearLevels();
  shown_.Clear();
  pending_.clear();
  // ... except behind inverted outputs: every output starts at logical 0, as the generated program's
  // bits start at their inversion. Otherwise a flip-flop with an inverted output would start set here
  // and reset in the controller.
  for (const auto& e : project_.Elements())
    for (TObjAnschluss* pin : e->Pins())
      if (pin->IsOutput() && pin->Bits == 1 && pin->Inverted) pin->SetMarked(0);
  SyncPortBytes();
  Flush(false);  // the full repaint below shows these; only the levels reported are noted

  if (observer_) {
    observer_->SimulationSwitched(true);
    observer_->RepaintAll();
  }
  return true;
}

bool SimEngine::StopSimulation() {
  if (!running_) return false;
  if (observer_) observer_->SimulationSwitched(false);
  ClearLevels();
  running_ = false;
  project_.SimActive = false;
  for (const auto& e : project_.Elements()) e->SimulationStop(context_);
  // A stop hook may leave a level behind (an inverted output cleared through SetMarked reads high);
  // edit mode must start with nothing marked, since Marked means "selected" there.
  ClearLevels();
  project_.Redraw = savedListener_;
  savedListener_ = nullptr;
  UnjoinNamesakes();
  shown_.Clear();
  pending_.clear();
  for (auto& objects : pageObjects_) objects.clear();
  ports_.clear();
  if (observer_) observer_->RepaintAll();
  return true;
}

SimEngine::TickOutcome SimEngine::Tick() {
  if (!running_) return TickOutcome::Idle;
  if (context_.Held()) return TickOutcome::Held;
  if (context_.AbortRequested()) {
    StopSimulation();
    project_.Messages.ShowMessage(Msg::SimulationAborted);
    return TickOutcome::Aborted;
  }
  {
    PassGuard guard(project_, context_, rate_);
    StepPass(rate_);
    // The second pass lets levels set late in the list reach earlier objects; no time passes in it.
    StepPass(0);
    SyncPortBytes();
  }
  ++ticks_;
  elapsedMs_ += rate_;
  Flush();
  return TickOutcome::Stepped;
}

void SimEngine::StepPass(int rate) {
  SyncPortBytes();
  context_.SetSimRate(rate);
  for (int page = 0; page < kPageCount; ++page) {
    if (!openPages_.test(size_t(page))) continue;
    project_.CurrentPage = page;
    for (TBauteil* e : pageObjects_[page]) e->SimulationStep(context_);
  }
}

bool SimEngine::Toggle(TBauteil& target) {
  if (!running_) return false;
  if (target.IsPin()) {
    auto& pin = static_cast<TObjAnschluss&>(target);
    // The level on the wire flips; an output pin inverts what it is given, so give it its own reading.
    SetPinLevel(pin, uint8_t(pin.Marked ^ 1));
  } else if (target.IsNode()) {
    target.SetMarked(uint8_t(target.Marked ^ 1));
  } else {
    return false;
  }
  Flush();
  return true;
}

TBauteil* SimEngine::ToggleAt(int x, int y, int page, Point origin) {
  if (!running_) return nullptr;
  x = SnapToGrid(x);
  y = SnapToGrid(y);
  const int wx = x + origin.x, wy = y + origin.y;
  TBauteil* node = nullptr;
  for (const auto& e : project_.Elements()) {
    if (e->Page != page) continue;
    // Hit tests compare with the drawn position; bring it up to date in case the element was not drawn.
    e->UpdateDrawPosition(origin.x, origin.y);
    for (TObjAnschluss* pin : e->Pins()) pin->UpdateDrawPosition(origin.x, origin.y);
    if (TObjAnschluss* pin = e->HitPin(wx, wy)) {
      Toggle(*pin);
      return pin;
    }
    if (!node && e->IsNode() && e->X <= x && x <= e->X + e->Width && e->Y <= y && y <= e->Y + e->Height)
      node = e.get();
  }
  if (node) Toggle(*node);
  return node;
}

bool SimEngine::SetNetLevel(std::string_view net, uint8_t level) {
  const std::string name = UpperName(net);
  bool found = false;
  for (const auto& e : project_.Elements()) {
    if (e->IsNode() && e->Name == name) {
      e->SetMarked(level);
      found = true;
    }
    for (TObjAnschluss* pin : e->Pins()) {
      if (pin->Partner || pin->Name != name) continue;
      SetPinLevel(*pin, level);
      found = true;
    }
  }
  Flush();
  return found;
}

const TBauteil* SimEngine::NetCarrier(std::string_view net) const {
  const std::string name = UpperName(net);
  const TObjAnschluss* firstPin = nullptr;
  for (const auto& e : project_.Elements()) {
    if (e->IsNode() && e->Name == name) return e.get();
    if (firstPin) continue;
    for (const TObjAnschluss* pin : e->Pins())
      if (pin->Name == name) {
        firstPin = pin;
        break;
      }
  }
  return firstPin;
}

int SimEngine::NetLevel(std::string_view net) const {
  const TBauteil* carrier = NetCarrier(net);
  return carrier ? carrier->Marked : -1;
}

void SimEngine::BindPortBytes() {
  ports_.clear();
  for (const std::string& name : PortByteNames(project_)) {
    PortByte port{name, &variables_.Add(name)};
    for (int bit = 0; bit < 8; ++bit) port.bits[size_t(bit)] = NetCarrier(name + "." + std::to_string(bit));
    port.latch = port.synced = uint8_t(port.variable->Value & 0xFF);
    ports_.push_back(std::move(port));
  }
}

void SimEngine::SyncPortBytes() {
  for (PortByte& port : ports_) {
    const auto written = uint8_t(port.variable->Value & 0xFF);
    if (written != port.synced) {
      port.latch = written;
      for (int bit = 0; bit < 8; ++bit) {
        const uint8_t level = (written >> bit) & 1;
        if (port.bits[size_t(bit)] && port.bits[size_t(bit)]->Marked != level)
          SetNetLevel(port.name + "." + std::to_string(bit), level);
      }
    }
    uint8_t value = port.latch;
    for (int bit = 0; bit < 8; ++bit)
      if (const TBauteil* carrier = port.bits[size_t(bit)])
        value = uint8_t((value & ~(1 << bit)) | ((carrier->Marked & 1) << bit));
    port.variable->Value = value;
    port.synced = value;
  }
}

namespace {

// A name the chip gives one bit: NAME.BIT. "." alone is an unnamed bit net, and byte names carry no level.
// Automatic names ("S3.2") are left out: the automatic pass gives each net its own, and until it has run
// every new node carries the same placeholder "S0.0", which joins nothing.
bool IsBitName(const std::string& name) {
  if (name.size() < 2 || name.find('.') == std::string::npos) return false;
  static const std::regex automatic(R"(S[0-9]+\.[0-9]+)");
  return !std::regex_match(name, automatic);
}

}  // namespace

void SimEngine::JoinNamesakes() {
  namesakes_.clear();
  // The nets: nodes joined through node links (pins hang off one node each), and pins without a node.
  std::unordered_map<const TBauteil*, TBauteil*> carrierOf;  // node -> first node of its net
  std::vector<TObjKnoten*> stack;
  for (const auto& e : project_.Elements()) {
    if (!e->IsNode() || carrierOf.count(e.get())) continue;
    auto* first = static_cast<TObjKnoten*>(e.get());
    carrierOf[first] = first;
    stack.assign(1, first);
    while (!stack.empty()) {
      TObjKnoten* n = stack.back();
      stack.pop_back();
      for (TBauteil* l : n->LinkList())
        if (l->IsNode() && carrierOf.emplace(l, first).second) stack.push_back(static_cast<TObjKnoten*>(l));
    }
    if (IsBitName(first->Name)) namesakes_[first->Name].push_back(first);
  }
  for (const auto& e : project_.Elements())
    for (TObjAnschluss* pin : e->Pins())
      if (!pin->Partner && IsBitName(pin->Name)) namesakes_[pin->Name].push_back(pin);
  std::erase_if(namesakes_, [](const auto& entry) { return entry.second.size() < 2; });
  if (namesakes_.empty()) return;
  for (const auto& e : project_.Elements()) {
    if (e->IsNode()) {
      auto& node = static_cast<TObjKnoten&>(*e);
      auto it = namesakes_.find(carrierOf[&node]->Name);
      if (it != namesakes_.end()) node.Namesakes = &it->second;
    }
    for (TObjAnschluss* pin : e->Pins()) {
      if (pin->Partner) continue;
      auto it = namesakes_.find(pin->Name);
      if (it != namesakes_.end()) pin->Namesakes = &it->second;
    }
  }
}

void SimEngine::UnjoinNamesakes() {
  for (const auto& e : project_.Elements()) {
    if (e->IsNode()) static_cast<TObjKnoten&>(*e).Namesakes = nullptr;
    for (TObjAnschluss* pin : e->Pins()) pin->Namesakes = nullptr;
  }
  namesakes_.clear();
}

void SimEngine::ElementChanged(TBauteil& element) {
  // Only noted here: the element is in the cache now, its entry in the table most likely is not.
  pending_.push_back(&element);
}

void SimEngine::Flush(bool report) {
  if (pending_.empty()) return;
  changed_.clear();
  ++flushStamp_;
  for (TBauteil* e : pending_) {
    ShownLevels::Entry& s = shown_[e];
    if (s.stamp == flushStamp_) continue;  // noted more than once since the last report
    s.stamp = flushStamp_;
    if (e->IsPin() || e->IsNode()) {
      if (e->Marked == s.level) continue;
      s.level = e->Marked;
    }
    changed_.push_back(e);
  }
  pending_.clear();
  if (report && observer_ && !changed_.empty()) observer_->ElementsChanged(changed_);
}

void SimEngine::ClearLevels() {
  for (const auto& e : project_.Elements()) {
    e->Marked = 0;
    for (TObjAnschluss* pin : e->Pins()) pin->Marked = 0;
  }
}

}  // namespace tolmek
