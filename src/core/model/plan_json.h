// The JSON form of a plan: settings, element records by field name, and links, for version control and scripts.
#pragma once

#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "model/project.h"

namespace tolmek {

// Keys keep the order they are written in, so exports of the same plan are identical text.
using PlanJson = nlohmann::ordered_json;

inline constexpr const char* kPlanJsonFormat = "tolmek-plan";
inline constexpr int kPlanJsonVersion = 1;

[[nodiscard]] PlanJson PlanToJson(Project& project);
// Two-space indentation and a final newline.
[[nodiscard]] std::string PlanToJsonText(Project& project);

// Replaces the project's plan and settings with those of `json`. A key missing from an element keeps the
// value a new element of that kind has; a missing setting keeps the default of a new project. Unknown keys,
// values out of range and links that make no sound wire throw CorruptFile naming the place; the project
// is then new and empty.
void PlanFromJson(Project& project, const PlanJson& json);
// The same from text; a syntax error throws CorruptFile too.
void PlanFromJsonText(Project& project, std::string_view text);

}  // namespace tolmek
