// The simulation's variable table: name/value records that components look up once and then hold.
#include "sim/sim_context.h"

#include "model/element.h"

namespace tolmek {
namespace {

// Records are keyed the way net names are stored: upper case, at most 32 characters.
std::string TableKey(std::string_view name) { return UpperName(name.substr(0, kMaxNameLength)); }

}  // namespace

SimVariable* VariableTable::Find(std::string_view name) {
  auto it = index_.find(TableKey(name));
  return it == index_.end() ? nullptr : it->second;
}

SimVariable& VariableTable::Add(std::string_view name) {
  std::string key = TableKey(name);
  if (auto it = index_.find(key); it != index_.end()) return *it->second;
  SimVariable& record = records_.emplace_back(SimVariable{key, 0});
  index_.emplace(std::move(key), &record);
  return record;
}

void VariableTable::Clear() {
  index_.clear();
  records_.clear();
}

}  // namespace tolmek
