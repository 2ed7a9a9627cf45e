// Where a signal of a check's report lives in the plan: the element a window brings into view when the user
// picks a divergence or a failed expectation.
#pragma once

#include <string_view>

#include "model/project.h"

namespace tolmek {

// The first junction node named `name` in list order; else the block owning the first pin of that name;
// else nullptr. Letter case does not matter. The element's page is its `Page`.
[[nodiscard]] const TBauteil* FindSignalElement(const Project& project, std::string_view name);

}  // namespace tolmek
