// FindSignalElement: a net or variable name back to the element that carries it.
#include "verify/signal_place.h"

#include "model/pin.h"

namespace tolmek {

const TBauteil* FindSignalElement(const Project& project, std::string_view name) {
  const std::string wanted = UpperName(name);
  if (wanted.empty()) return nullptr;
  // A named node is where the user wrote the name; a pin's name may only be its block's own label.
  for (const auto& e : project.Elements())
    if (e->IsNode() && e->Name == wanted) return e.get();
  for (const auto& e : project.Elements())
    for (const TObjAnschluss* pin : e->Pins())
      if (pin->Name == wanted) return e.get();
  return nullptr;
}

}  // namespace tolmek
