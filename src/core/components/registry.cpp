// The kinds the program knows, one row each, in the order of the tool bars.
#include "components/registry.h"

#include <algorithm>
#include <array>
#include <vector>

#include "components/bv.h"
#include "components/call.h"
#include "components/data8.h"
#include "components/ee.h"
#include "components/gatter.h"
#include "components/gnd.h"
#include "components/inc.h"
#include "components/lcd_base.h"
#include "components/lcd_text.h"
#include "components/limit.h"
#include "components/mathe.h"
#include "components/puls.h"
#include "components/pulsin.h"
#include "components/pulsout.h"
#include "components/rsff.h"
#include "components/shot.h"
#include "components/sleep.h"
#include "components/spl.h"
#include "components/mux.h"
#include "components/sregist.h"
#include "components/strigg8.h"
#include "components/tabelle.h"
#include "components/text.h"
#include "components/timer.h"
#include "components/uart.h"
#include "components/udata.h"
#include "components/vergl.h"
#include "components/vrzaehl.h"
#include "components/zaehler.h"
#include "model/node.h"

namespace tolmek {

namespace {

template <class T>
std::unique_ptr<TBauteil> Make(int32_t x, int32_t y) {
  return std::make_unique<T>(x, y);
}

std::string IncludeFileOf(const TBauteil& e) { return static_cast<const TObjInc&>(e).IncludeFile; }

constexpr uint16_t kBlock = kWritesCode | kInObjectOrder;
using enum ToolBar;

// clang-format off
const KindInfo kKinds[] = {
    // code           class            prefix  factory                button           glyph    hints (German, English, Italian)
    {kind::Gatter,   "TObjGatter",   "LG", &Make<TObjGatter>, First, "SpeedButton1", "&&",
     {"Und-Oder-Exor-Gatter", "AND, OR and EXOR Gate", "Porta AND, OR ed EXOR"}, kBlock, nullptr, 50, 40},
    {kind::Rsff,     "TObjRsff",     "RS", &Make<TObjRsff>, First, "SpeedButton2", "RS",
     {"RS-Flip-Flop", "RS-Flip-Flop", "Flip-Flop RS"}, kBlock, nullptr, 50, 40},
    {kind::Timer,    "TObjTimer",    "TR", &Make<TObjTimer>, First, "SpeedButton3", "T",
     {"Timer", "Timer", "Timer"}, kBlock | kCountsTicks, nullptr, 70, 40},
    {kind::Puls,     "TObjPuls",     "MF", &Make<TObjPuls>, First, "SpeedButton4", "MF",
     {"Mono-Flop, Verzögerung", "Mono-Flop, Delay", "Monostabile, ritardo"}, kBlock | kCountsTicks, nullptr, 90, 40},
    {kind::Zaehler,  "TObjZaehler",  "ZR", &Make<TObjZaehler>, First, "SpeedButton5", "Z",
     {"Zähler einfach", "Simple counter", "Contatore semplice"}, kBlock, nullptr, 80, 60},
    {kind::Vrzaehl,  "TObjVrzaehl",  "ZV", &Make<TObjVrzaehl>, First, "SpeedButton7", "VR",
     {"Vor- und Rückw.-Zähler", "Forward- and Backward-Counter", "Contatore avanti/indietro"}, kBlock, nullptr, 80, 70},
    {kind::Sregist,  "TObjSregist",  "SR", &Make<TObjSregist>, First, "SpeedButton6", "SR",
     {"Schieberegister", "Shifter", "Registro a scorrimento"}, kBlock, nullptr, 70, 70},
    {kind::Data8,    "TObjData8",    "", &Make<TObjData8>, First, "SpeedButton11", "D",
     {"Daten-Quelle, A/D-Wandler", "Data-source, A/D-convert", "Sorgente dati, convertitore A/D"}, kInObjectOrder, nullptr, 70, 40},
    {kind::Strigg8,  "TObjStrigg8",  "ST", &Make<TObjStrigg8>, First, "SpeedButton12", "ST",
     {"Schmitt-Trigger", "Schmitt-Trigger", "Trigger di Schmitt"}, kBlock, nullptr, 60, 70},
    {kind::Tabelle,  "TObjTabelle",  "", &Make<TObjTabelle>, First, "SpeedButton13", "Tab",
     {"Tabelle", "Table", "Tabella"}, kBlock | kOutsideMainLoop, nullptr, 40, 40},
    {kind::Call,     "TObjCall",     "", &Make<TObjCall>, First, "SpeedButton14", "Call",
     {"Unterprogramm aufrufen", "Call Subroutine", "Chiamata sottoprogramma"}, kBlock, nullptr, 100, 50},
    {kind::Mux,      "TObjMux",      "MX", &Make<TObjMux>, First, "SpeedButton15", "MUX",
     {"Multiplexer", "Multiplexer", "Multiplexer"}, kBlock, nullptr, 80, 80},
    {kind::Bv,       "TObjBv",       "BV", &Make<TObjBv>, First, "SpeedButton28", "BV",
     {"Bit- und Byte-Verteiler", "Bit- und Byte-Dispatcher", "Distributore bit e byte"}, kBlock, nullptr, 100, 40},
    {kind::Inc,      "TObjInc",      "", &Make<TObjInc>, First, "SpeedButton16", "Inc",
     {"Include-Datei", "Include-File", "File include"}, kBlock, &IncludeFileOf, 0, 20},
    {kind::Text,     "TObjText",     "", &Make<TObjText>, First, "SpeedButton17", "Txt",
     {"Kommentar", "Comment", "Commento"}, 0, nullptr, 50, 50},
    {kind::Gnd,      "TObjGnd",      "", &Make<TObjGnd>, First, "SpeedButton8", "GND",
     {"GND, Vcc", "GND, Vcc", "GND, Vcc"}, kInObjectOrder, nullptr, 20, 30},
    {kind::Spl,      "TObjSpl",      "", &Make<TObjSpl>, First, "SpeedButton30", "P:X",
     {"Label", "Label", "Etichetta"}, 0, nullptr, 50, 20},
    {kind::PulsIn,   "TObjPulsIn",   "PI", &Make<TObjPulsIn>, Second, "SpeedButton24", "PI",
     {"Impuls messen", "Impuls messen", "Misura impulso"}, kWritesCode | kMeasuresPulses, nullptr, 60, 40},
    {kind::PulsOut,  "TObjPulsOut",  "PO", &Make<TObjPulsOut>, Second, "SpeedButton25", "PWM",
     {"Impuls ausgeben, Hardware-PWM", "Impuls ausgeben, Hardware-PWM", "Uscita impulso, PWM hardware"}, kBlock, nullptr, 80, 40},
    {kind::Shot,     "TObjShot",     "OS", &Make<TObjShot>, Second, "SpeedButton41", "OS",
     {"One-Shot", "One-Shot", "One-Shot"}, kBlock, nullptr, 70, 40},
    {kind::Vergl,    "TObjVergl",    "IF", &Make<TObjVergl>, Second, "SpeedButton26", "=?",
     {"Vergleich", "Vergleich", "Comparatore"}, kBlock, nullptr, 70, 60},
    {kind::Mathe,    "TObjMathe",    "AF", &Make<TObjMathe>, Second, "SpeedButton27", "+\u2212",
     {"Add,Sub,Mul,Div", "Add,Sub,Mul,Div", "Add,Sub,Mul,Div"}, kBlock, nullptr, 70, 60},
    {kind::EE,       "TObjEE",       "EE", &Make<TObjEE>, Second, "SpeedButton29", "EE",
     {"EE-Modul, intern+extern", "EE-Modul, internal+external", "Modulo EE, interno+esterno"}, kBlock, nullptr, 60, 60},
    {kind::Limit,    "TObjLimit",    "LM", &Make<TObjLimit>, Second, "SpeedButton37", "LIM",
     {"Limiter", "Limiter", "Limitatore"}, kBlock, nullptr, 60, 60},
    {kind::LcdBase,  "TObjLcdBase",  "LB", &Make<TObjLcdBase>, Second, "SpeedButton38", "LCD",
     {"LCD-Modul", "LCD-Modul", "Modulo LCD"}, kBlock, nullptr, 80, 50},
    {kind::LcdText,  "TObjLcdText",  "LT", &Make<TObjLcdText>, Second, "SpeedButton39", "LT",
     {"LCD Text o. Wert ausgeben", "LCD Text out or Value", "LCD testo o valore"}, kBlock, nullptr, 110, 70},
    {kind::Sleep,    "TObjSleep",    "SL", &Make<TObjSleep>, Second, "SpeedButton40", "Zz",
     {"Sleep-Modus", "Sleep-Modus", "Modo sleep"}, kBlock, nullptr, 60, 40},
    {kind::Uart,     "TObjUart",     "UA", &Make<TObjUart>, Second, "SpeedButton42", "UB",
     {"UART-Base", "UART-Base", "UART-Base"}, kBlock, nullptr, 70, 50},
    {kind::Udata,    "TObjUdata",    "UD", &Make<TObjUdata>, Second, "SpeedButton43", "UD",
     {"UART-Data", "UART-Data", "UART-Data"}, kBlock, nullptr, 80, 50},
    // Junction nodes are placed by wiring, not from a tool bar.
    {kind::Knoten,   "TObjKnoten",   "", &Make<TObjKnoten>, None, "", "",
     {"", "", ""}, 0, nullptr, 11, 11},
};
// clang-format on

struct Index {
  std::vector<std::reference_wrapper<const KindInfo>> built;  // kind-code order
  std::array<const KindInfo*, kind::Last + 1> byCode{};  // every described kind
};

const Index& TheIndex() {
  static const Index index = [] {
    Index ix;
    for (const KindInfo& k : kKinds) {
      ix.byCode[k.code] = &k;
      if (k.Built()) ix.built.push_back(k);
    }
    std::sort(ix.built.begin(), ix.built.end(), [](const KindInfo& a, const KindInfo& b) { return a.code < b.code; });
    return ix;
  }();
  return index;
}

}  // namespace

const char* KindInfo::Hint(int language) const {
  switch (language) {
    case 1: return hint.german;
    case 3: return hint.italian;
    default: return hint.english;
  }
}

std::span<const std::reference_wrapper<const KindInfo>> KnownKinds() { return TheIndex().built; }

std::span<const KindInfo> AllKinds() { return kKinds; }

const KindInfo* DescribedKind(uint8_t code) { return code <= kind::Last ? TheIndex().byCode[code] : nullptr; }

const KindInfo* FindKind(uint8_t code) {
  const KindInfo* k = DescribedKind(code);
  return k && k->Built() ? k : nullptr;
}

bool KindHas(const TBauteil& element, KindTrait trait) {
  const KindInfo* k = DescribedKind(element.Kind);
  return k && k->Has(trait);
}

std::string SearchTextOf(const TBauteil& element) {
  const KindInfo* k = DescribedKind(element.Kind);
  return k && k->searchText ? k->searchText(element) : element.Name;
}

}  // namespace tolmek
