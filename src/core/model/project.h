// The open project: object list, pages, file names, project and microcontroller settings, list-wide passes.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string_view>
#include <string>
#include <vector>

#include "model/element.h"
#include "model/messages.h"

namespace tolmek {

struct DateTime {
  int day = 1, month = 1, year = 2000, hour = 0, minute = 0;
  [[nodiscard]] static DateTime Now();
  friend bool operator==(const DateTime&, const DateTime&) = default;
};

// Everything of the target that is not drawn: stored with the project.
struct McuSettings {
  int ProcessorType = 3;  // PIC16F84
  double ClockHz = 4000000;
  int Oscillator = 2;  // 0 RC ext, 1 LP, 2 XT, 3 HS, 4 RC int
  bool Watchdog = false;
  bool PowerUpTimer = true;
  bool PullUps = true;
  bool BrownOut = false;
  bool CodeProtect = false;
  int Mclre = 0;
  bool IcdMode = false;
  int CalibrationValue = 0;
  friend bool operator==(const McuSettings&, const McuSettings&) = default;
};

struct ProjectInfo {
  bool AutoIncrement = true;
  uint8_t MajorVersion = 1, MinorVersion = 0, BuildNumber = 0;
  DateTime CreatedAt = DateTime::Now(), ChangedAt = DateTime::Now();
  std::string Password;
};

// Options of the user's environment (the settings file) that the core reads.
struct EnvironmentOptions {
  bool AutoSignals = true;  // Umgebung/Signale
  bool Optimise = true;     // bank-selection optimisation of the code writer
  bool ShowNodes = true;    // Umgebung/Nodes
};

// Told when an element's look changed (levels while simulating); the page windows repaint just that.
class DisplayHost;

class RedrawListener {
 public:
  virtual ~RedrawListener() = default;
  virtual void ElementChanged(TBauteil& element) = 0;
};

// Ordinals of renumbering's automatic names: one per name prefix, one for source labels.
struct AutoNameCounters {
  std::map<std::string, int, std::less<>> perPrefix;
  int labels = 0;
  int Next(std::string_view prefix) {
    auto it = perPrefix.find(prefix);
    if (it == perPrefix.end()) it = perPrefix.emplace(std::string(prefix), 0).first;
    return ++it->second;
  }
};

inline constexpr const char* kDefaultProjectName = "NONAME.PIC";
inline constexpr const char* kDefaultSourceName = "NONAME.ASM";
inline constexpr const char* kPreviewSourceName = "TMN1992_.ASM";
// Numbers from here up belong to elements on their way through the clipboard.
inline constexpr int kPasteNumberBase = 30000;
// Elements and pins are numbered from 1 and the file stores the numbers in 16 signed bits: a plan may
// number up to kMaxPlanNumber (the numbers above are the clipboard's), a file and the clipboard up to
// kMaxFileNumber. Past it numbers would wrap and every later link would be lost on reading.
inline constexpr int kMaxPlanNumber = kPasteNumberBase - 1;
inline constexpr int kMaxFileNumber = 32767;

class Project {
 public:
  explicit Project(Messenger& messages);
  ~Project();
  Project(const Project&) = delete;
  Project& operator=(const Project&) = delete;

  using ElementList = std::vector<std::unique_ptr<TBauteil>>;
  [[nodiscard]] const ElementList& Elements() const { return list_; }

  // Constructs an element of kind 3..32 on the current page at the end of the list (renumbered unless
  // pasting). Returns nullptr for a kind the program does not know, and, outside a paste or a read,
  // for an element the plan has no numbers left for (message 54).
  TBauteil* CreateElement(uint8_t kindCode, int32_t x, int32_t y);
  // Numbers and automatic names.
  void Renumber();
  // Numbers only: from 1 in list order (from 30000 for the selection while pasting), pins after their block.
  void NumberElements();
  // How many numbers the plan's elements and pins take, and whether `more` would still fit.
  [[nodiscard]] int NumbersInUse() const;
  [[nodiscard]] bool HasNumbersFor(int more) const { return NumbersInUse() + more <= kMaxPlanNumber; }
  void AutoSignalNames();
  void RemoveLooseNodes();
  void DeleteElement(TBauteil* element);
  void DeleteMarked();
  void ClearMarks();
  void FreeAll();
  // Moves list entries (object order); `from` and `to` are list indices.
  void MoveElement(size_t from, size_t to);
  // Resets file names, time stamps, versions and password and empties the list; microcontroller settings stay.
  void New();

  // A junction node by its own number, or the pin of a block with that number.
  [[nodiscard]] TBauteil* FindByNumber(int number) const;
  [[nodiscard]] int IndexOf(const TBauteil* element) const;

  Messenger& Messages;
  std::string ProjectFileName = kDefaultProjectName;
  std::string SourceFileName = kDefaultSourceName;
  bool Saved = true;
  bool Pasting = false;
  bool SimActive = false;
  int CurrentPage = 0;
  // The file a generation run is writing; operands are not complained about while it is the preview file.
  std::string GeneratingFile;
  // The run writes the preview file: blocks keep their complaints for the runs the user asked for.
  [[nodiscard]] bool GeneratingPreview() const {
    const std::string_view preview = kPreviewSourceName;
    return GeneratingFile.size() >= preview.size() &&
           GeneratingFile.compare(GeneratingFile.size() - preview.size(), preview.size(), preview) == 0;
  }
  ProjectInfo Info;
  McuSettings Mcu;
  EnvironmentOptions Options;
  RedrawListener* Redraw = nullptr;
  // Opens the simulated character displays of LCD modules; without one they keep their cells unseen.
  DisplayHost* Displays = nullptr;

 private:
  ElementList list_;
};

}  // namespace tolmek
