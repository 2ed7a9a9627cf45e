// Names looked up and not found. Menus, tool buttons, captions and hints are joined to their objects by
// object name; a name that no object carries would leave a command without effect and say nothing. Every
// lookup that wires or labels by name reports its misses here: each is warned about at once and kept, and
// the tests require the list to stay empty.
#pragma once

#include <QString>
#include <QStringList>

namespace tolmek {

// Records that `what` (e.g. "command", "caption") found no object called `name`.
void NoteMissingName(const char* what, const QString& name);
// Every miss since the start or the last ForgetMissingNames, as "what: name", in order.
[[nodiscard]] QStringList MissingNames();
void ForgetMissingNames();

}  // namespace tolmek
