// What a component sees of the running simulation: elapsed time, the variable table, abort and hold.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <unordered_map>

namespace tolmek {

class Project;

// A byte or word value of the plan while simulating. Readers mask with 0xFF or 0xFFFF.
struct SimVariable {
  std::string Name;
  int32_t Value = 0;
};

// Name/value records, unique by name, in creation order. Records never move, so components keep pointers.
class VariableTable {
 public:
  [[nodiscard]] SimVariable* Find(std::string_view name);
  SimVariable& Add(std::string_view name);  // returns the existing record for a known name
  void Clear();
  [[nodiscard]] const std::deque<SimVariable>& Records() const { return records_; }

 private:
  std::deque<SimVariable> records_;
  std::unordered_map<std::string, SimVariable*> index_;
};

class SimContext {
 public:
  SimContext(Project& project, VariableTable& variables) : project_(project), variables_(variables) {}
  virtual ~SimContext() = default;

  [[nodiscard]] Project& GetProject() const { return project_; }
  [[nodiscard]] VariableTable& Variables() const { return variables_; }
  // Milliseconds that elapse in the current pass (the tick period in the first pass, 0 in the second).
  [[nodiscard]] int SimRate() const { return simRate_; }
  void SetSimRate(int ms) { simRate_ = ms; }
  // A component that cannot go on asks the engine to stop at the next tick.
  void RequestAbort() { abort_ = true; }
  [[nodiscard]] bool AbortRequested() const { return abort_; }
  // Set while a component shows a message from inside its step; ticks arriving meanwhile are skipped.
  void SetHold(bool hold) { hold_ = hold; }
  [[nodiscard]] bool Held() const { return hold_; }
  void ResetFlags() { abort_ = hold_ = false; }

 private:
  Project& project_;
  VariableTable& variables_;
  int simRate_ = 100;
  bool abort_ = false;
  bool hold_ = false;
};

}  // namespace tolmek
