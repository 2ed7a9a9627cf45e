// A page of the plan as a picture file (PNG) or document (PDF), drawn as the page window draws it at 1:1.
#pragma once

#include <QString>

#include "gui/environment.h"
#include "model/project.h"

namespace tolmek {

// Writes page 0..9 of the project to `path`; the suffix (.png or .pdf) chooses the format. False when
// the file could not be written or the suffix is not known.
bool ExportPage(Project& project, int page, const Environment& env, const QString& path);

}  // namespace tolmek
