// ProgramWriter: one generation run of the assembler program, its frame, and the bank and page bookkeeping.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <utility>
#include <string>
#include <string_view>
#include <vector>

#include "codegen/analysis.h"
#include "codegen/asm_writer.h"

namespace tolmek {

class Project;
class TBauteil;
struct McuSettings;

inline constexpr uint8_t kStateUnset = 255;

// The RAM bank believed selected: Bank is the mask bit of the bank (1, 2, 4, 8) or kStateUnset.
struct BankState {
  uint8_t Bank = kStateUnset;
  uint8_t Rp0 = kStateUnset;
  uint8_t Rp1 = kStateUnset;
  friend bool operator==(const BankState&, const BankState&) = default;
};

// The program page believed selected (0..3 or kStateUnset) and its two select bits.
struct PageState {
  uint8_t Page = kStateUnset;
  uint8_t Pa0 = kStateUnset;
  uint8_t Pa1 = kStateUnset;
  friend bool operator==(const PageState&, const PageState&) = default;
};

struct GenerationResult {
  bool FileWritten = false;  // the file asked for was written (false also when no file was asked for)
  bool OutOfRom = false;     // message 39: the program does not fit the part; the file must not be built
  int Passes = 0;
  int32_t RomUsed = 0;
  // Jumps a 12-bit core cannot make (also written into the source as ERROR lines for the assembler).
  std::vector<std::string> ReachErrors;
  // Message 62: the deepest call chain needs more return addresses than the part's stack holds
  // ("A -> B -> C"); empty when every chain fits.
  std::string CallDepthError;
  // A build may go on with this file.
  [[nodiscard]] bool Buildable() const { return FileWritten && !OutOfRom; }
};

class ProgramWriter {
 public:
  static constexpr int kPreviewSeparatorWidth = 15;

  ProgramWriter(Project& project, Analysis& analysis);

  // --- Generation runs. Each runs the analysis with name registration first and in refresh mode after.
  // Writes the program to `path` (atomically). A file that cannot be written ends the run silently.
  GenerationResult GenerateSource(const std::string& path);
  // Writes the project's SourceFileName.
  GenerationResult GenerateSource();
  // The preview: 15 blanks as separator, "TMN1992_.ASM" in `directory`; operands are not complained about.
  GenerationResult GeneratePreview(const std::string& directory);
  // The same run without any file (status refresh, tests, benchmarks); Text() holds the program.
  GenerationResult GenerateText();
  // The program text of the last run.
  [[nodiscard]] const std::string& Text() const { return out_.Text(); }

  // Called between blocks, so that a window can stay responsive during a long run.
  std::function<void()> ProcessEvents;
  // Writes the A/D routines of the subroutine section for the used channels (given the acquisition delay
  // count); WriteAdcRoutines unless replaced.
  std::function<void(ProgramWriter&, int delayCount)> AdcRoutines;

  // --- Output. Every instruction counts one program word.
  [[nodiscard]] AsmWriter& Out() { return out_; }
  void Instr(std::string_view text, std::string_view comment = {}) { out_.Instr(text, comment); }
  // Selects the bank of `operand` (its bit or destination suffix ignored), then writes mnemonic + operand.
  void InstrOn(std::string_view mnemonic, std::string_view operand, std::string_view comment = {});
  void Comment(std::string_view text) { out_.Comment(text); }
  void Blank() { out_.Blank(); }
  void Directive(std::string_view text, std::string_view comment = {}) { out_.Directive(text, comment); }
  // ";" followed by `stars` asterisks.
  void StarLine(int stars);
  // A label reached by a jump: the bank on arrival is not known, so the next access selects in full.
  void Label(std::string_view name);
  // A label only ever reached by falling through from the line above: the bank state is kept.
  void FallThroughLabel(std::string_view name);
  // A skip and the one instruction it guards, with every bank selection written before the skip: the bank
  // chosen reaches both registers. When no bank reaches both, the guarded instruction is reached through a
  // short branch instead ("GOTO $+2", "GOTO $+n"), and the bank is unknown afterwards.
  void SkipThen(std::string_view skip, std::string_view guarded, std::string_view guardedComment = {},
                std::string_view skipComment = {});

  // --- Banks and pages.
  // Writes the bank selection needed before an instruction on `name` (",3" or ",F" suffixes are ignored).
  // A selection asked for between a skip and the instruction it guards is moved in front of the skip, or
  // the guarded instruction is reached through a branch: it never lands in the skipped slot.
  void SelectBank(std::string_view name);
  // Writes the page selection before a GOTO or CALL to `address`, or to `label` when that is not empty.
  void SelectPage(int32_t address, std::string_view label = {});
  void SetPageState(int32_t address);
  // Records bank `mask` (1, 2, 4, 8) as selected without writing anything.
  void SetBankState(uint8_t mask);
  void ForgetBank() { bank_ = BankState{}; }
  void ForgetPage() { page_ = PageState{}; }
  [[nodiscard]] BankState Bank() const { return bank_; }
  void RestoreBank(const BankState& state) { bank_ = state; }
  [[nodiscard]] PageState Page() const { return page_; }

  // --- Generation state.
  [[nodiscard]] int32_t RomCounter() const { return out_.RomCounter; }
  [[nodiscard]] int32_t PageLimit() const { return pageLimit_; }
  [[nodiscard]] int32_t PageSize() const { return props().PageSize; }
  [[nodiscard]] int32_t MainAddress() const { return mainAddress_; }
  [[nodiscard]] const std::string& Separator() const { return out_.Separator; }
  void SetSeparator(std::string separator) { out_.Separator = std::move(separator); }
  // Selections repaired because they were asked for between a skip and its guarded instruction.
  [[nodiscard]] int GuardRepairs() const { return guardRepairs_; }
  // A 12-bit core has no timer interrupt: its time base runs TMR0 through the prescaler at 1:256, so that
  // TMR0 counts the ticks themselves and a poll adds every tick since the last one, however long the
  // blocks between two polls take. Not with the TMR0 high byte, which counts overflows of the plain TMR0.
  [[nodiscard]] bool PrescaledTimeBase() const {
    return props().Core12 && analysis_.NeedsTimerInterrupt && !analysis_.NeedsTimerHigh;
  }

  // --- What the blocks read.
  [[nodiscard]] Project& GetProject() const { return project_; }
  [[nodiscard]] Analysis& GetAnalysis() const { return analysis_; }
  [[nodiscard]] const ProcessorProps& Props() const { return props(); }
  [[nodiscard]] const McuSettings& Mcu() const;
  [[nodiscard]] bool Optimise() const;
  [[nodiscard]] int ProcessorType() const { return props().Type; }
  // Loop passes of three cycles for the 15 µs A/D acquisition time at the set clock (5 at 4 MHz).
  [[nodiscard]] int AdcDelayCount() const;
  // Port image: index 0 = port A or GPIO, 1 = port B ...; eight "0"/"1" characters, bit 7 first.
  [[nodiscard]] const std::string& PortValue(int port) const { return portValue_.at(static_cast<size_t>(port)); }
  [[nodiscard]] const std::string& PortDirection(int port) const {
    return portDirection_.at(static_cast<size_t>(port));
  }
  // Steps of the initialisation a block repeats (a 12-bit part after its wake-up from sleep): OPTION, and
  // every port's direction from the port image ("; Richtung setzen").
  void WriteOption();
  void WritePortDirections();
  // On a 12-bit core a computed jump lands only in the first 256 words of a page: call this for every label
  // such a jump can reach; a label beyond that is reported.
  void NoteComputedJumpTarget(std::string_view label);
  // The same for a run of `words` words starting at `label` (a table): all of them must lie there.
  void NoteComputedJumpRange(std::string_view label, int words);

 private:
  struct RunOptions {
    std::string path;  // empty: no file
    bool preview = false;
  };
  GenerationResult Run(const RunOptions& options);
  // One pass over the whole program; returns true when another pass is needed.
  bool Pass(GenerationResult& result);
  void ResetPassState();
  [[nodiscard]] const ProcessorProps& props() const { return analysis_.Props(); }

  // Sections of the file (program_frame.cpp).
  void WriteHeader();
  void WriteProcessorPart();
  void WriteEquates();
  void BuildPortImage();
  void WriteResetCode();
  void WriteInterruptSection();
  void WriteSubroutineSection();
  void WriteInitialisation();
  void WriteCalibrationLoad();
  void WriteInterruptSources();
  void WritePortValues();
  void WriteDigitalPins();
  void WriteComparatorsOff();
  void WriteInterruptStart();
  void WriteMainHead();
  // Returns true when a block crossed the page limit and another pass is needed.
  bool WriteMainLoop(GenerationResult& result);
  void WritePagePadding();
  void WriteTail();
  void WriteReachErrors(GenerationResult& result);
  // Measures every call chain against the stack: two levels on 12-bit cores, eight on 14-bit cores of
  // which the interrupt takes one (plus what its own calls need).
  void CheckCallDepth(GenerationResult& result);

  // Fixed subroutines (fixed_routines.cpp).
  void WriteRoutineBox(std::initializer_list<std::string_view> titles);
  void WriteMul8();
  void WriteMul16();
  void WriteDiv8();
  void WriteDiv16();
  void WriteTableJump();

  // Interrupt routines (interrupt_routines.cpp).
  void WriteTimerRoutine();
  void WritePolledTimerEntry();
  void WriteTimerBody();
  void WriteTimerExit();
  void WriteContextSave(bool paging);
  void WriteContextRestore(bool paging);
  void WriteTickCounters();
  // The tick counters of a prescaled 12-bit time base: W holds the ticks since the last poll.
  void WriteTickAdders();
  void WritePortBChangeRoutine(bool withTimer);
  void WritePortBChangeBody();
  void WritePortBChangeExit();
  void WriteBlocksInterruptCode();

  // The bank selection for `mask` given the believed state, without writing it; updates `state`.
  [[nodiscard]] Instructions BankSelection(uint8_t mask, BankState& state) const;
  [[nodiscard]] Instructions PageSelection(int32_t address, PageState& state) const;
  // Reaches the guarded instruction through a branch when a selection cannot stand before the skip.
  void BranchAroundSkip(const Instructions& selection);
  [[nodiscard]] uint8_t SkipRegisterMask() const;

  Project& project_;
  Analysis& analysis_;
  AsmWriter out_;
  BankState bank_;
  PageState page_;
  int32_t pageLimit_ = 0;
  int32_t mainAddress_ = 0;
  int guardRepairs_ = 0;
  std::array<std::string, 16> portValue_;
  std::array<std::string, 16> portDirection_;
  // Labels a computed jump can reach (12-bit reach check).
  std::vector<std::string> computedTargets_;
  std::vector<std::pair<std::string, int>> computedRanges_;
};

// "READ_AN" + n for every channel the plan reads, on parts with an A/D converter (the channel's pin made
// analogue, the acquisition delay, the conversion, the result stored, the port made digital again).
void WriteAdcRoutines(ProgramWriter& w, int delayCount);

}  // namespace tolmek
