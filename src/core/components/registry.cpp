// The kinds the program knows, one row each, in kind-code order.
#include "components/registry.h"

#include <algorithm>
#include <vector>

#include "components/gatter.h"
#include "components/gnd.h"
#include "components/inc.h"
#include "components/lcd_base.h"
#include "components/lcd_text.h"
#include "components/rsff.h"
#include "components/spl.h"
#include "components/strigg8.h"
#include "components/text.h"
#include "components/uart.h"
#include "components/udata.h"
#include "model/node.h"

namespace tolmek {

namespace {

template <class T>
std::unique_ptr<TBauteil> Make(int32_t x, int32_t y) {
  return std::make_unique<T>(x, y);
}

const std::vector<KindInfo>& Table() {
  static const std::vector<KindInfo> table = [] {
    std::vector<KindInfo> t = {
        {kind::Gatter, "TObjGatter", "LG", &Make<TObjGatter>},
        {kind::Knoten, "TObjKnoten", "", &Make<TObjKnoten>},
        {kind::Strigg8, "TObjStrigg8", "ST", &Make<TObjStrigg8>},
        {kind::Rsff, "TObjRsff", "RS", &Make<TObjRsff>},
        {kind::Text, "TObjText", "", &Make<TObjText>},
        {kind::Inc, "TObjInc", "", &Make<TObjInc>},
        {kind::Gnd, "TObjGnd", "", &Make<TObjGnd>},
        {kind::Spl, "TObjSpl", "", &Make<TObjSpl>},
        {kind::LcdBase, "TObjLcdBase", "LB", &Make<TObjLcdBase>},
        {kind::LcdText, "TObjLcdText", "LT", &Make<TObjLcdText>},
        {kind::Uart, "TObjUart", "UA", &Make<TObjUart>},
        {kind::Udata, "TObjUdata", "UD", &Make<TObjUdata>},
    };
    std::sort(t.begin(), t.end(), [](const KindInfo& a, const KindInfo& b) { return a.code < b.code; });
    return t;
  }();
  return table;
}

}  // namespace

std::span<const KindInfo> KnownKinds() { return Table(); }

const KindInfo* FindKind(uint8_t code) {
  for (const auto& k : Table())
    if (k.code == code) return &k;
  return nullptr;
}

}  // namespace tolmek
