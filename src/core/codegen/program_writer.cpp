// The program writer's bookkeeping: runs and passes, bank and page selection, and the skip guard.
#include "codegen/program_writer.h"

#include <cmath>
#include <filesystem>
#include <set>

#include "model/project.h"

namespace tolmek {
namespace {

constexpr const char* kBankBitNames14[2] = {"STATUS,RP0", "STATUS,RP1"};
constexpr const char* kBankBitNames12[2] = {"FSR,5", "FSR,6"};
constexpr const char* kPageBitNames14[2] = {"PCLATH,3", "PCLATH,4"};
constexpr const char* kPageBitNames12[2] = {"STATUS,PA0", "STATUS,PA1"};

int LowestBank(uint8_t mask) {
  for (int b = 0; b < 4; ++b)
    if (mask & (1u << b)) return b;
  return 0;
}

std::string_view Trim(std::string_view s) {
  const size_t a = s.find_first_not_of(" \t");
  if (a == std::string_view::npos) return {};
  const size_t b = s.find_last_not_of(" \t");
  return s.substr(a, b - a + 1);
}

}  // namespace

ProgramWriter::ProgramWriter(Project& project, Analysis& analysis) : project_(project), analysis_(analysis) {}

const McuSettings& ProgramWriter::Mcu() const { return project_.Mcu; }

bool ProgramWriter::Optimise() const { return project_.Options.Optimise; }

int ProgramWriter::AdcDelayCount() const {
  return static_cast<int>(std::lround(0.000015 / (1.0 / (project_.Mcu.ClockHz / 4.0)) / 3.0));
}

// --- Runs.

GenerationResult ProgramWriter::GenerateSource(const std::string& path) { return Run({path, false}); }

GenerationResult ProgramWriter::GenerateSource() { return Run({project_.SourceFileName, false}); }

GenerationResult ProgramWriter::GeneratePreview(const std::string& directory) {
  const std::string saved = out_.Separator;
  out_.Separator = std::string(kPreviewSeparatorWidth, ' ');
  const std::string path = (std::filesystem::path(directory) / kPreviewSourceName).string();
  GenerationResult r = Run({path, true});
  out_.Separator = saved;
  return r;
}

GenerationResult ProgramWriter::GenerateText() { return Run({{}, false}); }

namespace {

// Every pass writes the blocks seen before again; each of their complaints is shown once per run.
class OncePerRunSink final : public MessageSink {
 public:
  explicit OncePerRunSink(MessageSink* inner) : inner_(inner) {}
  Answer Present(Msg number, MessageMode mode, const std::string& title, const std::string& text) override {
    if (!seen_.insert(std::to_string(Number(number)) + "\n" + text).second) return Answer::None;
    return inner_ ? inner_->Present(number, mode, title, text) : Answer::None;
  }

 private:
  MessageSink* inner_;
  std::set<std::string> seen_;
};

}  // namespace

GenerationResult ProgramWriter::Run(const RunOptions& options) {
  GenerationResult result;
  MessageSink* const sink = project_.Messages.Sink();
  OncePerRunSink once(sink);
  project_.Messages.SetSink(&once);
  // Operands are complained about only when a real file is written, never in the preview.
  const std::string savedGenerating = project_.GeneratingFile;
  project_.GeneratingFile = options.preview ? std::string(kPreviewSourceName) : options.path;
  for (const auto& e : project_.Elements()) e->CodeMark = 0;

  bool again = true;
  while (again) {
    again = Pass(result);
    ++result.Passes;
    // Every further pass moves one more block to a fresh page; a run never needs more passes than pages.
    if (again && result.Passes > analysis_.Props().PageCount + 1) {
      result.OutOfRom = true;
      project_.Messages.ShowMessage(Msg::OutOfRom);
      again = false;
    }
  }
  result.RomUsed = out_.RomCounter;
  if (!options.path.empty()) result.FileWritten = WriteFileAtomically(options.path, out_.Text());
  project_.GeneratingFile = savedGenerating;
  project_.Messages.SetSink(sink);

  analysis_.RunAnalysis(false);
  analysis_.RomUsed = result.RomUsed;
  return result;
}

void ProgramWriter::ResetPassState() {
  out_.Clear();
  out_.TrackJumps(props().Core12);
  computedTargets_.clear();
  bank_ = BankState{};
  page_ = PageState{};
  pageLimit_ = props().PageSize;
  mainAddress_ = 0;
  guardRepairs_ = 0;
}

// --- Output helpers.

void ProgramWriter::InstrOn(std::string_view mnemonic, std::string_view operand, std::string_view comment) {
  SelectBank(operand);
  std::string text(mnemonic);
  text += ' ';
  text += operand;
  out_.Instr(text, comment);
}

void ProgramWriter::StarLine(int stars) { out_.Comment(";" + std::string(static_cast<size_t>(stars), '*')); }

void ProgramWriter::Label(std::string_view name) {
  out_.Label(name);
  ForgetBank();
}

void ProgramWriter::FallThroughLabel(std::string_view name) { out_.Label(name); }

void ProgramWriter::NoteComputedJumpTarget(std::string_view label) { computedTargets_.emplace_back(label); }

// --- Banks.

namespace {

// The mask of the banks from which an instruction on `name` works without a selection: 0 when the name
// needs no selection at all (unknown name, unbanked RAM, one-bank part).
uint8_t SelectionMask(const Analysis& a, std::string_view name) {
  const ProcessorProps& p = a.Props();
  if (p.BankCount <= 1) return 0;
  name = Trim(name.substr(0, name.find(',')));
  const auto address = a.Ram().CellAddress(name);
  if (!address) return 0;
  const RamCell& cell = a.Ram().Cell(*address);
  if (cell.NotRam == 0 && !p.GprBanked) return 0;
  if (cell.BankMask == 0 || cell.BankMask == 255) return 0;
  return cell.BankMask;
}

}  // namespace

Instructions ProgramWriter::BankSelection(uint8_t mask, BankState& state) const {
  Instructions lines;
  const ProcessorProps& p = props();
  const char* const* bits = p.Core12 ? kBankBitNames12 : kBankBitNames14;
  auto line = [&](int bit, bool set, int bank) {
    lines.push_back({std::string(set ? "BSF " : "BCF ") + bits[bit], "; Bank " + std::to_string(bank)});
  };
  if (!Optimise()) state = BankState{};
  if (state.Bank == kStateUnset) state.Rp0 = state.Rp1 = kStateUnset;

  if (p.BankCount == 2) {
    const uint8_t all = 3;
    mask &= all;
    if (mask == 0) return lines;
    if (Optimise() && mask == all) return lines;
    int bank = -1;
    if (state.Bank == kStateUnset) {
      if (mask == 1) bank = 0;
      else if (mask == 2) bank = 1;
    } else if ((mask & state.Bank) == 0) {
      bank = (mask & 1) ? 0 : 1;
    }
    if (bank < 0) return lines;
    line(0, bank == 1, bank);
    state.Bank = static_cast<uint8_t>(1u << bank);
    state.Rp0 = static_cast<uint8_t>(bank);
    state.Rp1 = 0;
    return lines;
  }

  // Four banks.
  mask &= 15;
  if (mask == 0) return lines;
  if (Optimise() && mask == 15) return lines;
  const int bank = LowestBank(mask);
  const uint8_t want0 = bank & 1, want1 = (bank >> 1) & 1;
  if (state.Bank == kStateUnset) {
    line(0, want0, bank);
    line(1, want1, bank);
  } else if (mask != 15) {
    if (state.Rp0 != want0) line(0, want0, bank);
    if (state.Rp1 != want1) line(1, want1, bank);
  } else {
    return lines;
  }
  state.Bank = static_cast<uint8_t>(1u << bank);
  state.Rp0 = want0;
  state.Rp1 = want1;
  return lines;
}

uint8_t ProgramWriter::SkipRegisterMask() const {
  const uint8_t mask = SelectionMask(analysis_, RegisterOperand(out_.PendingSkip()));
  return mask == 0 ? 15 : mask;
}

void ProgramWriter::BranchAroundSkip(const Instructions& selection) {
  // skip / GOTO $+2 (not skipped: run the guarded instruction) / GOTO past it / selection / guarded
  out_.Instr("GOTO $+2");
  out_.Instr("GOTO $+" + std::to_string(selection.size() + 2));
  out_.Selection(selection);
  out_.AfterNextInstruction([this] {
    ForgetBank();
    ForgetPage();
  });
}

void ProgramWriter::SelectBank(std::string_view name) {
  const uint8_t mask = SelectionMask(analysis_, name);
  if (mask == 0) return;
  BankState state = bank_;
  const Instructions selection = BankSelection(mask, state);
  if (selection.empty()) {
    bank_ = state;
    return;
  }
  if (out_.SkipPending()) {
    ++guardRepairs_;
    if (SkipRegisterMask() & state.Bank) {
      // The skip's register is reachable from the new bank too: select before the skip.
      out_.InsertBeforePendingSkip(selection);
      bank_ = state;
    } else {
      BranchAroundSkip(selection);
      bank_ = state;  // for the guarded instruction; forgotten right after it
    }
    return;
  }
  out_.Selection(selection);
  bank_ = state;
}

void ProgramWriter::SetBankState(uint8_t mask) {
  const int bank = LowestBank(mask);
  bank_.Bank = static_cast<uint8_t>(1u << bank);
  bank_.Rp0 = static_cast<uint8_t>(bank & 1);
  bank_.Rp1 = static_cast<uint8_t>((bank >> 1) & 1);
}

void ProgramWriter::SkipThen(std::string_view skip, std::string_view guarded, std::string_view guardedComment,
                             std::string_view skipComment) {
  const uint8_t skipMask = SelectionMask(analysis_, RegisterOperand(skip));
  const uint8_t guardMask = SelectionMask(analysis_, RegisterOperand(guarded));
  uint8_t mask = skipMask;
  if (guardMask != 0) mask = skipMask == 0 ? guardMask : static_cast<uint8_t>(skipMask & guardMask);
  if (mask != 0 || skipMask == 0 || guardMask == 0) {
    if (mask != 0) {
      BankState state = bank_;
      out_.Selection(BankSelection(mask, state));
      bank_ = state;
    }
    out_.Instr(skip, skipComment);
    out_.Instr(guarded, guardedComment);
    return;
  }
  // No bank reaches both registers.
  SelectBank(RegisterOperand(skip));
  out_.Instr(skip, skipComment);
  BankState state = bank_;
  BranchAroundSkip(BankSelection(guardMask, state));
  bank_ = state;
  out_.Instr(guarded, guardedComment);
}

// --- Pages.

Instructions ProgramWriter::PageSelection(int32_t address, PageState& state) const {
  Instructions lines;
  const ProcessorProps& p = props();
  if (p.PageCount <= 1 || p.PageSize <= 0) return lines;
  const int page = static_cast<int>(address / p.PageSize);
  if (state.Page == kStateUnset) state.Pa0 = state.Pa1 = kStateUnset;
  const char* const* bits = p.Core12 ? kPageBitNames12 : kPageBitNames14;
  const uint8_t want[2] = {static_cast<uint8_t>(page & 1), static_cast<uint8_t>((page >> 1) & 1)};
  uint8_t* have[2] = {&state.Pa0, &state.Pa1};
  const int handled = p.PageCount >= 4 ? 2 : 1;
  for (int bit = 0; bit < handled; ++bit) {
    if (*have[bit] == want[bit]) continue;
    lines.push_back({std::string(want[bit] ? "BSF " : "BCF ") + bits[bit], "; Page " + std::to_string(page)});
    *have[bit] = want[bit];
  }
  state.Page = static_cast<uint8_t>(page);
  return lines;
}

void ProgramWriter::SelectPage(int32_t address, std::string_view label) {
  const ProcessorProps& p = props();
  if (p.PageCount <= 1) return;
  Instructions selection;
  PageState state = page_;
  if (!label.empty()) {
    const std::string high = "MOVLW HIGH " + std::string(label);
    if (p.Core12) selection = {{high + " << 4", ""}, {"MOVWF STATUS", "; Page"}};
    else selection = {{high, "; set page"}, {"MOVWF PCLATH", ""}};
    state = PageState{};
  } else {
    selection = PageSelection(address, state);
  }
  if (!selection.empty() && out_.SkipPending()) {
    // Page bits and W set in the skipped slot would leave the other path on the wrong page.
    ++guardRepairs_;
    BranchAroundSkip(selection);
    page_ = state;
    return;
  }
  out_.Selection(selection);
  page_ = state;
}

void ProgramWriter::SetPageState(int32_t address) {
  const int32_t size = props().PageSize > 0 ? props().PageSize : 1;
  const int page = static_cast<int>(address / size);
  page_.Page = static_cast<uint8_t>(page);
  page_.Pa0 = static_cast<uint8_t>(page & 1);
  page_.Pa1 = static_cast<uint8_t>((page >> 1) & 1);
}

}  // namespace tolmek
