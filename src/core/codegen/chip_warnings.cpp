// Checking a plan against the chosen part: MCLR input, open-drain RA4, clock limit, analogue pins used digitally.
#include "codegen/chip_warnings.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <string_view>

#include "codegen/analysis.h"
#include "codegen/config_word.h"
#include "components/gnd.h"
#include "components/text.h"
#include "model/pin.h"
#include "model/project.h"

namespace tolmek {
namespace {

constexpr std::string_view kOscillatorNames[] = {"RC (ext.)", "LP", "XT", "HS", "RC (int.)"};
constexpr std::string_view kPullUpWords[] = {"pull", "hochzieh", "arbeitswiderstand", "resistenza verso"};

// "RA.4" -> "RA"; a name without a bit stays as it is.
std::string_view ByteOf(std::string_view bitName) { return bitName.substr(0, bitName.find('.')); }

// A pin of a block that reads or writes its net on the chip. Labels only pass a net on.
bool Reads(const TObjAnschluss& pin) { return pin.IsInput() && pin.Owner && pin.Owner->Kind != kind::Spl; }
bool Writes(const TObjAnschluss& pin) {
  if (!pin.IsOutput() || !pin.Owner) return false;
  // A GND source only ever pulls low.
  if (pin.Owner->Kind == kind::Gnd) return static_cast<const TObjGnd*>(pin.Owner)->SupplyMode != TObjGnd::kGnd;
  return true;
}

// True when the pin's net is the port bit `bit` ("RA.4"), either as that bit or as the whole port byte.
bool OnBit(const TObjAnschluss& pin, std::string_view bit) {
  if (bit.empty()) return false;
  return pin.Bits == 1 ? pin.Name == bit : pin.Name == ByteOf(bit);
}

std::string Lower(std::string_view text) {
  std::string s(text);
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

class Checker {
 public:
  Checker(const Project& project, const Analysis& analysis)
      : project_(project), analysis_(analysis), props_(ProcessorFacts(project.Mcu.ProcessorType)) {}

  std::vector<ChipWarning> Run() {
    CheckMclr();
    CheckInputOnlyPin();
    CheckOpenDrain();
    CheckClock();
    CheckAnalogue();
    return std::move(found_);
  }

 private:
  void Add(Msg number, const std::string& detail, const std::string& where) {
    const bool known = std::any_of(found_.begin(), found_.end(), [&](const ChipWarning& w) {
      return w.number == number && w.where == where && w.text.ends_with(detail);
    });
    if (known) return;
    std::string text(MessageText(project_.Messages.CurrentLanguage(), Number(number)));
    if (const auto colon = text.find(" : "); colon != std::string::npos) text.erase(0, colon + 3);
    text += ' ';
    text += detail;
    found_.push_back({number, std::move(text), where});
  }
  static std::string At(const TObjAnschluss& pin) { return pin.Owner ? " - " + pin.Owner->Name : std::string(); }

  template <class F>
  void ForEachPin(F&& f) const {
    for (const auto& e : project_.Elements())
      for (TObjAnschluss* pin : e->Pins()) f(*e, *pin);
  }

  // A low level on the MCLR pin resets the chip, whatever the plan means by it.
  void CheckMclr() {
    if (props_.MclrPin.empty() || project_.Mcu.Mclre == 1) return;
    ForEachPin([&](const TBauteil& block, const TObjAnschluss& pin) {
      if (pin.Bits == 1 && pin.Name == props_.MclrPin && Reads(pin))
        Add(Msg::InputOnMclr, pin.Name + At(pin), block.Name);
    });
  }

  // The 16F62x's RA5 shares its pin with MCLR and has no output driver: an output written there never
  // reaches the pin. (GP3 of the 8-pin parts is refused outright at generation.)
  void CheckInputOnlyPin() {
    if (props_.MclrPin.empty() || props_.GpioPorts) return;
    ForEachPin([&](const TBauteil& block, const TObjAnschluss& pin) {
      if (OnBit(pin, props_.MclrPin) && Writes(pin)) Add(Msg::InputOnlyPin, pin.Name + At(pin), block.Name);
    });
  }

  // RA4 only pulls low: without a resistor outside its high level never reaches the pin.
  void CheckOpenDrain() {
    if (props_.OpenDrainPin.empty()) return;
    ForEachPin([&](const TBauteil& block, const TObjAnschluss& pin) {
      if (!OnBit(pin, props_.OpenDrainPin) || !Writes(pin) || PageNotesPullUp(block.Page)) return;
      Add(Msg::OpenDrainHigh, pin.Name + At(pin), block.Name);
    });
  }

  bool PageNotesPullUp(std::uint8_t page) const {
    return std::any_of(project_.Elements().begin(), project_.Elements().end(), [&](const auto& e) {
      return e->Kind == kind::Text && e->Page == page && MentionsPullUp(static_cast<const TObjText&>(*e).CommentText);
    });
  }

  void CheckClock() {
    const int oscillator = project_.Mcu.Oscillator;
    // An oscillator the part cannot select is refused by the assembler already.
    if (!OscillatorOffered(props_.Type, oscillator)) return;
    const std::uint32_t limit = props_.OscillatorMaxHz[static_cast<std::size_t>(oscillator)];
    const double clock = project_.Mcu.ClockHz;
    if (limit == 0 || !(clock > limit)) return;  // a damaged value that is no number says nothing here
    char hz[48];
    std::snprintf(hz, sizeof hz, "%.0f", clock);
    Add(Msg::ClockTooHigh,
        std::string(hz) + " Hz > " + std::to_string(limit) + " Hz (" +
            std::string(kOscillatorNames[static_cast<std::size_t>(oscillator)]) + ")",
        "");
  }

  // While a channel is read, the ADCON1 value of its routine turns these pins analogue: a digital read
  // there gives 0, and the channel's own pin is switched to an input.
  void CheckAnalogue() {
    std::uint8_t analogue = 0;
    std::array<int, 8> readBy{};  // per pin: the first channel whose reading makes it analogue
    for (int n = props_.AdcChannels - 1; n >= 0; --n) {
      if (!analysis_.AdcChannelUsed[static_cast<std::size_t>(n)]) continue;
      const std::uint8_t mask = props_.AnalogueWhileReading(n);
      for (int c = 0; c < 8; ++c)
        if (mask & (1u << c)) readBy[static_cast<std::size_t>(c)] = n;
      analogue |= mask;
    }
    if (analogue == 0) return;
    ForEachPin([&](const TBauteil& block, const TObjAnschluss& pin) {
      if (!Reads(pin) && !pin.IsOutput()) return;  // a GND source on the pin is digital use as well
      for (int c = 0; c < 8; ++c) {
        if (!(analogue & (1u << c)) || !OnBit(pin, props_.AdcPins[static_cast<std::size_t>(c)])) continue;
        Add(Msg::AnalogueAlsoDigital,
            std::string(props_.AdcPins[static_cast<std::size_t>(c)]) + " (AN" + std::to_string(c) + ", ADC" +
                std::to_string(readBy[static_cast<std::size_t>(c)]) + ")" + At(pin),
            block.Name);
      }
    });
  }

  const Project& project_;
  const Analysis& analysis_;
  const ProcessorProps& props_;
  std::vector<ChipWarning> found_;
};

// Keeps the messages the analysis might show from reaching the user; the build shows them itself.
class Muted {
 public:
  explicit Muted(Messenger& m) : messenger_(m), sink_(m.Sink()) { m.SetSink(nullptr); }
  ~Muted() { messenger_.SetSink(sink_); }
  Muted(const Muted&) = delete;
  Muted& operator=(const Muted&) = delete;

 private:
  Messenger& messenger_;
  MessageSink* sink_;
};

}  // namespace

bool MentionsPullUp(std::string_view text) {
  const std::string lower = Lower(text);
  return std::any_of(std::begin(kPullUpWords), std::end(kPullUpWords),
                     [&](std::string_view word) { return lower.find(word) != std::string::npos; });
}

std::vector<ChipWarning> ChipWarnings(const Project& project) {
  // The analysis asks the blocks for their names; it reads the plan and changes nothing of it that is stored.
  auto& plan = const_cast<Project&>(project);
  Muted quiet(plan.Messages);
  Analysis analysis(plan);
  analysis.RunAnalysis(false);
  return ChipWarnings(project, analysis);
}

std::vector<ChipWarning> ChipWarnings(const Project& project, const Analysis& analysis) {
  return Checker(project, analysis).Run();
}

std::string WarningLine(const ChipWarning& warning) {
  return "warning " + std::to_string(Number(warning.number)) + ": " + warning.text;
}

}  // namespace tolmek
