// Plans built in code for the simulation tests: a project with a recording message sink, wiring helpers,
// and a probe element that records what the engine asks of it.
#pragma once

#include <functional>
#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "components/gatter.h"
#include "components/gnd.h"
#include "components/spl.h"
#include "model/messages.h"
#include "model/node.h"
#include "model/pin.h"
#include "model/project.h"
#include "sim/engine.h"
#include "sim/sim_context.h"

namespace tolmek::simtest {

struct PlanFixture {
  RecordingSink sink;
  Messenger messenger{&sink};
  Project project{messenger};

  template <class T>
  T& Create(uint8_t kindCode, int page, int x, int y) {
    project.CurrentPage = page;
    auto* e = project.CreateElement(kindCode, x, y);
    project.CurrentPage = 0;
    return *static_cast<T*>(e);
  }

  TObjGatter& Gate(int page, int x, int y, uint8_t type, int inputs) {
    auto& g = Create<TObjGatter>(kind::Gatter, page, x, y);
    g.ApplySettings(type, inputs);
    return g;
  }

  TObjGnd& Supply(int page, int x, int y, uint8_t mode) {
    auto& s = Create<TObjGnd>(kind::Gnd, page, x, y);
    s.SetSupply(mode, true);
    return s;
  }

  // A label; a destination is attached to the sources of its name.
  TObjSpl& Label(int page, int x, int y, const std::string& name, bool source) {
    auto& l = Create<TObjSpl>(kind::Spl, page, x, y);
    if (source)
      l.SetName(name);
    else
      l.AttachTo(name);
    return l;
  }

  // One net joining the pins, with a chain of junction nodes (each takes three pins and the next node).
  // Returns the first node.
  TObjKnoten& Wire(int page, std::initializer_list<TObjAnschluss*> pins, const std::string& name = "") {
    std::vector<TObjAnschluss*> rest(pins);
    TObjKnoten* first = nullptr;
    TObjKnoten* previous = nullptr;
    size_t next = 0;
    do {
      auto& node = Create<TObjKnoten>(kind::Knoten, page, 1000 + 20 * int(project.Elements().size()), 1500);
      if (!first) first = &node;
      if (previous) Connect(*previous, node);
      int room = previous ? 2 : 3;
      for (; room > 0 && next < rest.size(); --room) Connect(node, *rest[next++]);
      previous = &node;
    } while (next < rest.size());
    if (!name.empty()) first->SetName(name);
    return *first;
  }

  // Every level of every list object and every pin, for "all low" checks.
  [[nodiscard]] std::vector<const TBauteil*> HighElements() const {
    std::vector<const TBauteil*> high;
    for (const auto& e : project.Elements()) {
      if (e->Marked) high.push_back(e.get());
      for (const auto* pin : e->Pins())
        if (pin->Marked) high.push_back(pin);
    }
    return high;
  }
};

// A stand-in component: it records the passes it sees and can fail the way real components do.
class Probe final : public TBauteil {
 public:
  struct Step {
    int rate;
    int page;
  };
  Probe() : TBauteil(0, 0) { Kind = kind::Text; }

  void SimulationStart(SimContext& ctx) override {
    ++starts;
    steps.clear();
    if (failAtStart) {
      ctx.GetProject().Messages.ShowMessage(Msg::UnknownOutputVariable, MessageMode::Error, Name);
      ctx.RequestAbort();
    }
  }
  void SimulationStep(SimContext& ctx) override {
    steps.push_back({ctx.SimRate(), ctx.GetProject().CurrentPage});
    if (onStep) onStep(ctx);
  }
  void SimulationStop(SimContext&) override { ++stops; }

  bool failAtStart = false;
  std::function<void(SimContext&)> onStep;
  int starts = 0;
  int stops = 0;
  std::vector<Step> steps;
};

// The list offers no way to insert a kind the factory does not know, so a probe is put in directly.
inline Probe& AddProbe(Project& project, int page, const std::string& name = "PROBE") {
  auto probe = std::make_unique<Probe>();
  Probe& raw = *probe;
  raw.Page = uint8_t(page);
  raw.Name = name;
  raw.AttachProject(&project);
  const_cast<Project::ElementList&>(project.Elements()).push_back(std::move(probe));
  return raw;
}

// Collects the change notifications of the engine.
class ChangeLog final : public SimObserver {
 public:
  void SimulationSwitched(bool running) override { switches.push_back(running); }
  void RepaintAll() override { ++fullRepaints; }
  void ElementsChanged(std::span<TBauteil* const> changed) override {
    ++batches;
    last.assign(changed.begin(), changed.end());
  }
  std::vector<bool> switches;
  int fullRepaints = 0;
  int batches = 0;
  std::vector<TBauteil*> last;
};

}  // namespace tolmek::simtest
