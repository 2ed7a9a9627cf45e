// SimEngine: runs the plan headless — start, tick, stop, the click toggle and what a window must repaint.
#pragma once

#include <array>
#include <bitset>
#include <map>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "model/element.h"
#include "model/project.h"
#include "sim/shown_levels.h"
#include "sim/sim_context.h"

namespace tolmek {

// A port's byte ("RA".."RZ", "GP") read or written whole by a byte or word connection.
[[nodiscard]] bool IsPortByteName(std::string_view name);
// The port bytes the plan's byte and word connections name, each once, in list order.
[[nodiscard]] std::vector<std::string> PortByteNames(const Project& project);

// Told what the simulation does, so that a window can follow it without repainting everything per tick.
class SimObserver {
 public:
  virtual ~SimObserver() = default;
  // Simulation switched on or off: the owner of the tick timer starts or stops it, swaps the colours
  // and enables or disables its editing commands.
  virtual void SimulationSwitched(bool running) {}
  // Everything must be repainted (start and stop).
  virtual void RepaintAll() {}
  // The elements whose look changed since the last call (each once), after every tick and every toggle.
  virtual void ElementsChanged(std::span<TBauteil* const> changed) {}
};

class SimEngine final : private RedrawListener {
 public:
  static constexpr int kDefaultRate = 100;
  static constexpr int kMinRate = 1;
  static constexpr int kMaxRate = 65535;

  // The project must outlive the engine. No page is open at first.
  explicit SimEngine(Project& project);
  ~SimEngine() override;
  SimEngine(const SimEngine&) = delete;
  SimEngine& operator=(const SimEngine&) = delete;

  void SetObserver(SimObserver* observer) { observer_ = observer; }

  // Pages (0..9) whose window is open; only their objects are stepped. May change while running.
  void SetPageOpen(int page, bool open);
  void SetAllPagesOpen(bool open);
  [[nodiscard]] bool IsPageOpen(int page) const;

  // Tick period in ms, clamped to 1..65535. Components see it in the first pass of a tick and 0 in the second.
  void SetSimRate(int ms);
  [[nodiscard]] int SimRate() const { return rate_; }

  // The byte and word values of the plan. Kept across runs: components reset what they own at start.
  [[nodiscard]] VariableTable& Variables() { return variables_; }
  // Adds every name the analysis registered (names already present keep their values). Not while running.
  void AddVariables(std::span<const std::string> names);

  // Both return false and do nothing when the simulation already is in the requested state.
  bool StartSimulation();
  bool StopSimulation();
  [[nodiscard]] bool Running() const { return running_; }

  enum class TickOutcome { Idle, Held, Aborted, Stepped };
  // One timer tick: skipped while held; a requested abort stops the run and shows message 41;
  // otherwise two passes over the open pages, time advancing only in the first.
  TickOutcome Tick();

  void RequestAbort() { context_.RequestAbort(); }
  void SetHold(bool hold) { context_.SetHold(hold); }
  [[nodiscard]] bool Held() const { return context_.Held(); }
  [[nodiscard]] bool AbortRequested() const { return context_.AbortRequested(); }

  // Ticks stepped and milliseconds simulated since the start.
  [[nodiscard]] int64_t TickCount() const { return ticks_; }
  [[nodiscard]] int64_t ElapsedMs() const { return elapsedMs_; }

  // What a click does while simulating: a pin or junction node changes to the opposite level and the
  // change spreads through its net. Returns false for other elements or when not running.
  bool Toggle(TBauteil& target);
  // The click at plan point (x, y) on a page: the point is snapped to the grid, the pin there is toggled,
  // else the junction node there. `origin` is the window's origin (the negated scroll position), so that
  // hit tests use the same frame as the window's drawing. Returns the element toggled, or nullptr.
  TBauteil* ToggleAt(int x, int y, int page, Point origin = {});

  // Drives every net called `net` to a level, as if a node of each were clicked to that level; unlinked
  // pins of that name take it too. Returns false when nothing carries that name.
  bool SetNetLevel(std::string_view net, uint8_t level);
  // The element whose level stands for the net called `net`: its first junction node in list order,
  // else its first pin; nullptr when no net has that name.
  [[nodiscard]] const TBauteil* NetCarrier(std::string_view net) const;
  // The level of the net called `net`, or -1 when there is no such net.
  [[nodiscard]] int NetLevel(std::string_view net) const;

 private:
  void ElementChanged(TBauteil& element) override;
  void ClearLevels();
  // Hands the elements changed since the last call to the observer (or, without `report`, only notes
  // the levels as shown).
  void Flush(bool report = true);
  void StepPass(int rate);
  // Port bytes: a write since the last sync goes out to the bit nets, then the value is read back from
  // them (bits without a net keep what was written, as a port latch does).
  void BindPortBytes();
  void SyncPortBytes();
  // Joins the nets that carry the same bit name, as the chip's one bit joins them; undone by Unjoin.
  void JoinNamesakes();
  void UnjoinNamesakes();

  Project& project_;
  VariableTable variables_;
  SimContext context_;
  SimObserver* observer_ = nullptr;
  RedrawListener* savedListener_ = nullptr;
  std::bitset<kPageCount> openPages_;
  int rate_ = kDefaultRate;
  bool running_ = false;
  int64_t ticks_ = 0;
  int64_t elapsedMs_ = 0;
  // The stepped objects of each page in list order, fixed at start (the list is not edited while running).
  std::array<std::vector<TBauteil*>, kPageCount> pageObjects_;
  // Per bit name carried by two nets or more: one element of each such net.
  std::map<std::string, std::vector<TBauteil*>, std::less<>> namesakes_;

  struct PortByte {
    std::string name;
    SimVariable* variable = nullptr;
    std::array<const TBauteil*, 8> bits{};  // the carrier of each bit's net, or nullptr
    uint8_t latch = 0;
    uint8_t synced = 0;
  };
  std::vector<PortByte> ports_;

  // Pins and nodes look only like their level: a notification whose level ends where it was last
  // reported is dropped, so an output pin that is set to its old level every tick costs no repaint.
  ShownLevels shown_;
  uint32_t flushStamp_ = 0;
  std::vector<TBauteil*> pending_;
  std::vector<TBauteil*> changed_;
};

}  // namespace tolmek
