// Call-chain depth: every CALL reached from an entry adds one level plus the depth of the routine it calls.
#include "codegen/call_depth.h"

#include <charconv>
#include <map>
#include <optional>
#include <set>

#include "codegen/asm_writer.h"

namespace tolmek {

namespace {

class Walker {
 public:
  Walker(const std::vector<std::string>& code, const std::unordered_map<std::string, size_t>& labels)
      : code_(code), labels_(labels) {}

  CallChain From(size_t entry) {
    CallChain best;
    std::vector<size_t> todo{entry};
    std::set<size_t> seen;
    while (!todo.empty()) {
      const size_t i = todo.back();
      todo.pop_back();
      if (i >= code_.size() || !seen.insert(i).second) continue;
      const std::string& text = code_[i];
      const std::string_view m = Mnemonic(text);
      const std::string_view operand = RegisterOperand(text);
      if (m == "RETURN" || m == "RETLW" || m == "RETFIE") continue;
      if ((m == "MOVWF" || m == "ADDWF") && operand == "PCL") continue;  // a table or computed jump
      if (m == "GOTO") {
        if (auto target = Target(i, operand)) todo.push_back(*target);
        continue;
      }
      if (m == "CALL") {
        CallChain inner;
        const auto it = labels_.find(std::string(operand));
        if (it != labels_.end()) inner = Routine(std::string(operand), it->second);
        inner.depth += 1;
        inner.calls.insert(inner.calls.begin(), std::string(operand));
        if (inner.recursive || inner.depth > best.depth) {
          const bool recursive = best.recursive || inner.recursive;
          if (!best.recursive || inner.recursive) best = inner;
          best.recursive = recursive;
        }
      }
      todo.push_back(i + 1);
      if (AsmWriter::IsSkip(text)) todo.push_back(i + 2);
    }
    return best;
  }

 private:
  CallChain Routine(const std::string& label, size_t index) {
    if (auto it = done_.find(label); it != done_.end()) return it->second;
    if (!active_.insert(label).second) {
      CallChain loop;
      loop.recursive = true;
      return loop;
    }
    CallChain chain = From(index);
    active_.erase(label);
    done_[label] = chain;
    return chain;
  }

  std::optional<size_t> Target(size_t at, std::string_view operand) const {
    if (operand.starts_with("$")) {
      int offset = 0;
      std::string_view rest = operand.substr(1);
      if (rest.starts_with("+")) rest.remove_prefix(1);
      if (!rest.empty()) std::from_chars(rest.data(), rest.data() + rest.size(), offset);
      const long target = long(at) + offset;
      return target < 0 ? std::nullopt : std::optional<size_t>(size_t(target));
    }
    const auto it = labels_.find(std::string(operand));
    if (it == labels_.end()) return std::nullopt;
    return it->second;
  }

  const std::vector<std::string>& code_;
  const std::unordered_map<std::string, size_t>& labels_;
  std::map<std::string, CallChain> done_;
  std::set<std::string> active_;
};

}  // namespace

CallChain DeepestCallChain(const std::vector<std::string>& code,
                           const std::unordered_map<std::string, size_t>& labels, size_t entry) {
  return Walker(code, labels).From(entry);
}

}  // namespace tolmek
