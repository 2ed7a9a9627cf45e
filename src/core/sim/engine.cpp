// The simulation engine: switching on and off, the two-pass tick, clicks, and collecting what changed.
#include "sim/engine.h"

#include <algorithm>

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
  shown_.Clear();
  pending_.clear();
  for (auto& objects : pageObjects_) objects.clear();
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
  }
  ++ticks_;
  elapsedMs_ += rate_;
  Flush();
  return TickOutcome::Stepped;
}

void SimEngine::StepPass(int rate) {
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
