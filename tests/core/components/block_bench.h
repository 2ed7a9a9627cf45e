// A bench for one block under simulation: nets are named at its pins, levels are set, ticked and read back.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "model/messages.h"
#include "model/node.h"
#include "model/pin.h"
#include "model/project.h"
#include "sim/engine.h"

namespace tolmek::test {

class BlockBench {
 public:
  BlockBench() : messages_(&sink_), project_(messages_), engine_(project_) { engine_.SetAllPagesOpen(true); }

  template <class T>
  T& Add(uint8_t kindCode) {
    return static_cast<T&>(*project_.CreateElement(kindCode, 200, 200));
  }

  // Joins the pin to a junction node that carries the net name.
  void Wire(TObjAnschluss& pin, std::string_view net) {
    TBauteil* node = project_.CreateElement(kind::Knoten, 100 + 20 * int(project_.Elements().size()), 50);
    ASSERT_TRUE(Connect(*node, pin));
    node->SetName(net);
  }

  void Start() { ASSERT_TRUE(engine_.StartSimulation()); }
  void Set(std::string_view net, int level) { ASSERT_TRUE(engine_.SetNetLevel(net, uint8_t(level))); }
  void Step() { ASSERT_EQ(engine_.Tick(), SimEngine::TickOutcome::Stepped); }
  [[nodiscard]] int Level(std::string_view net) const { return engine_.NetLevel(net); }
  void SetValue(std::string_view name, int value) { engine_.Variables().Add(name).Value = value; }

  Project& project() { return project_; }
  SimEngine& engine() { return engine_; }
  RecordingSink& sink() { return sink_; }

 private:
  RecordingSink sink_;
  Messenger messages_;
  Project project_;
  SimEngine engine_;
};

}  // namespace tolmek::test
