// A project with a message recorder, and small helpers to build plans in tests.
#pragma once

#include <string>

#include "model/messages.h"
#include "model/node.h"
#include "model/pin.h"
#include "model/project.h"

namespace tolmek::test {

struct TestProject {
  RecordingSink sink;
  Messenger messages{&sink, Language::English};
  Project project{messages};

  template <class T>
  T& Add(uint8_t kindCode, int x = 100, int y = 100) {
    auto* e = project.CreateElement(kindCode, x, y);
    if (!e) throw std::runtime_error("unknown kind " + std::to_string(kindCode));
    return static_cast<T&>(*e);
  }
  TObjKnoten& Node(int x = 200, int y = 200) { return Add<TObjKnoten>(kind::Knoten, x, y); }
  // A node at (x, y) linked to each given element.
  template <class... E>
  TObjKnoten& Wire(int x, int y, E&... ends) {
    TObjKnoten& n = Node(x, y);
    (Connect(n, ends), ...);
    return n;
  }
};

}  // namespace tolmek::test
