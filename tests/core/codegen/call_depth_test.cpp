// Call-chain depth measured on instructions: calls nest, jumps and skips are followed, returns end a path.
#include <gtest/gtest.h>

#include <string>
#include <unordered_map>
#include <vector>

#include "codegen/call_depth.h"

namespace tolmek {
namespace {

struct Program {
  std::vector<std::string> code;
  std::unordered_map<std::string, size_t> labels;
  // "NAME:" lines are labels, everything else one instruction.
  explicit Program(std::initializer_list<const char*> lines) {
    for (std::string l : lines) {
      if (l.ends_with(":")) labels[l.substr(0, l.size() - 1)] = code.size();
      else code.push_back(l);
    }
  }
};

TEST(CallDepth, ChainsNestThroughJumpsSkipsAndFallThrough) {
  const Program p{"MAIN:", "CALL A", "BTFSC STATUS,Z", "GOTO FAR", "GOTO MAIN", "FAR:", "CALL C", "GOTO MAIN",
                  "A:", "CALL B", "RETURN",
                  "B:", "MOVLW 1", "GOTO $+2", "CALL C", "RETLW 0",  // the call is jumped over
                  "C:", "BTFSS STATUS,C", "CALL D", "RETURN",
                  "D:", "MOVWF PCL",  // a table: the path ends
                  "E:", "CALL E", "RETURN"};
  const CallChain main = DeepestCallChain(p.code, p.labels, 0);
  EXPECT_EQ(main.depth, 2);
  EXPECT_EQ(main.calls, (std::vector<std::string>{"A", "B"}));
  EXPECT_FALSE(main.recursive);
  EXPECT_EQ(DeepestCallChain(p.code, p.labels, p.labels.at("FAR")).depth, 2);  // C -> D
  EXPECT_TRUE(DeepestCallChain(p.code, p.labels, p.labels.at("E")).recursive);
}

}  // namespace
}  // namespace tolmek
