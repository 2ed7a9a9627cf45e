// Names looked up and not found.
#include "gui/missing_names.h"

#include <QtGlobal>

namespace tolmek {

namespace {

QStringList& Misses() {
  static QStringList misses;
  return misses;
}

}  // namespace

void NoteMissingName(const char* what, const QString& name) {
  const QString entry = QString::fromUtf8(what) + ": " + name;
  qWarning("No object called \"%s\" (%s)", qUtf8Printable(name), what);
  Misses().append(entry);
}

QStringList MissingNames() { return Misses(); }

void ForgetMissingNames() { Misses().clear(); }

}  // namespace tolmek
