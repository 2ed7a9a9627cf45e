// TMainForm: the full main window — menus, both tool bars, status bar, file commands, settings dialogs,
// window arrangement, printing, help and the simulation on screen. It extends the page windows' host.
#pragma once

#include <QPointer>
#include <QPrinter>
#include <QTimer>
#include <QStringList>
#include <array>
#include <functional>
#include <memory>
#include <optional>

#include "gui/app/printing.h"
#include "gui/app/lcd_display.h"
#include "gui/app/value_window.h"
#include "gui/main_window.h"
#include "model/project_file.h"
#include "settings/settings.h"
#include "sim/engine.h"

class QActionGroup;
class QLabel;
class QMdiSubWindow;
class QProgressBar;
class QTimer;
class QToolBar;

namespace tolmek {

class TDialogAnalog;
class SimOverlay;
class HelpWindow;

class TMainForm final : public TMainWindow, private SimObserver {
  Q_OBJECT

 public:
  // Reads every setting from `ini` (the settings file as it is now); the language was settled before.
  TMainForm(Project& project, Environment& env, const IniFile& ini, QWidget* parent = nullptr);
  ~TMainForm() override;

  // Once shown: a new project with page 1, then the project named by exactly one argument (an absolute
  // path) or the last one, then the page windows that were open at the last exit, at their places.
  void Started(const QStringList& arguments);

  // --- Commands (menu items and tool buttons).
  void DateiNeuClick();
  // Opens `path`, or asks for a file when it is empty. False when nothing was opened.
  bool DateiOeffnen(const QString& path = {}, bool automatic = false);
  void DateiSchliessenClick();
  bool DateiSpeichernClick();
  bool DateiSpeichernUnterClick();
  void DruckenClick();
  void DruckerEinrichtenClick();
  void ProzessorClick();
  void UmgebungClick();
  void FarbenStandardClick();
  void FarbenSimulationClick();
  void ProjektClick();
  void SpezialClick();
  void HilfeInhaltClick();
  void HilfeUeberClick();
  // Asks about unsaved changes (message 4): true when the caller may go on. Cancel, or a Yes whose save
  // fails or is cancelled, says no.
  bool SettleUnsaved();

  // --- Printing without the dialog (tests and the command path behind the dialog).
  std::vector<int> PrintTo(QPrinter& printer, const PrintSelection& selection);

  // --- Arrangement.
  void ArrangeWindows();
  void ArrangeIfAutomatic();

  // --- Simulation: what the "Simulation Ein / Aus" buttons do.
  void SimulationButton(bool on);
  [[nodiscard]] SimEngine& Engine() { return engine_; }
  [[nodiscard]] TDialogAnalog& ValueWindow() { return *valueWindow_; }
  // The timer ticking the simulation; it lives in page window 1 while the simulation runs.
  [[nodiscard]] QTimer* SimTimer() const { return simTimer_; }

  // --- Language.
  void SetLanguageCaptions(Language lang);
  // Told after the window changed its language, for the windows and commands other parts add to it.
  std::vector<std::function<void(Language)>> LanguageChanged;

  // --- Parts of the window, by their names (menus, items and buttons), for the commands of other windows.
  [[nodiscard]] QAction* Action(const char* name) const;
  [[nodiscard]] QMenu* Menu(const char* name) const;
  // Connects a command that another part of the program provides; the item is enabled from then on.
  void WireAction(const char* name, std::function<void()> handler);
  [[nodiscard]] QToolBar* ToolBarPanel(int index) const { return panels_[size_t(index)]; }
  [[nodiscard]] QAction* ComponentButton(uint8_t kindCode, int panel = -1) const;
  [[nodiscard]] const Settings& CurrentSettings() const { return settings_; }
  // --- Hooks of the build and editing commands (gui/build/install_commands.h).
  std::function<bool()> UndoAvailable;   // "&Rückgängig löschen" is enabled only while this says so
  std::function<bool()> VerifyAvailable;  // the check on the simulated chip may start (none is running)
  std::function<void()> ProjectRenewed;  // after New, and so after every open
  void RefreshMenus() {
    UpdateMenuState();
    SyncModified();
  }
  // The title's modified marker follows the plan's saved state.
  void SyncModified();
  [[nodiscard]] Settings& MutableSettings() { return settings_; }
  [[nodiscard]] QString StatusLineText() const;
  // The caption the window gives itself ("Tolmek - [file]"); a maximised page window adds its own title.
  [[nodiscard]] const QString& Caption() const { return caption_; }
  [[nodiscard]] QString ProcessorSummary() const;
  [[nodiscard]] QProgressBar& RamBar() const { return *ramBar_; }
  [[nodiscard]] QProgressBar& RomBar() const { return *romBar_; }
  [[nodiscard]] QMdiSubWindow* SubWindowOfPage(int page) const;

  // --- Replaceable dialogs (tests answer them without a screen).
  std::function<QString(const QString& folder, const QString& filter)> ChooseOpenFile;
  std::function<QString(const QString& suggested, const QString& filter)> ChooseSaveFile;
  std::function<std::optional<PrintSelection>(QPrinter&)> AskPrint;
  PasswordPrompt* Passwords = nullptr;

  // EditorHost
  void ShowPage(int page) override;
  void LeavePlacing() override;
  void PageWindowClosed(int page) override;

  // Updates the status bar from the last analysis.
  void RefreshStatus();
  // The status refresh behind "Refresh": generates the program once to measure the ROM used.
  void RefreshRom();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool event(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void PageWindowCreated(QMdiSubWindow& sub) override;

 private:
  // SimObserver
  void SimulationSwitched(bool running) override;
  void RepaintAll() override;
  void ElementsChanged(std::span<TBauteil* const> changed) override;

  void BuildMenus();
  void BuildToolBars();
  void BuildStatusBar();
  void UpdateMenuState();
  void UpdateCaption();
  void SetCaption(const QString& caption);
  void SwapToolBars();
  void ToggleGrid();
  void ToggleNodes();
  void SyncViewButtons();
  void ComponentPressed(QAction* button, bool down);
  void Zoom(int how);
  void RunAnalysis();
  bool StartSimulation();
  void StopSimulation();
  void SimulationTick();
  void SimulationMouse(TWorkWindow& page, QEvent* event);
  void WriteSettingsFile();
  void RecordWindowPlaces();
  void ProjectLoaded();
  void RebuildWindowList();
  [[nodiscard]] TitleInfo PrintTitle() const;
  [[nodiscard]] QString OpenFilter() const;
  [[nodiscard]] QString SaveFilter() const;
  [[nodiscard]] QWidget* NamedWindow(const char* name);

  Project& project_;
  Environment& env_;
  Settings settings_;
  IniFile ini_;
  SimEngine engine_;
  std::unique_ptr<PasswordPrompt> dialogPasswords_;
  QPrinter printer_;
  QPointer<TDialogAnalog> valueWindow_;
  std::unique_ptr<LcdDisplayHost> displays_;
  QPointer<HelpWindow> help_;
  QPointer<QTimer> simTimer_;
  std::array<QPointer<SimOverlay>, kPageCount> overlays_{};
  std::array<QToolBar*, 2> panels_{};
  QActionGroup* components_ = nullptr;
  std::array<QAction*, 2> simButtons_{};
  std::array<QAction*, 2> gridButtons_{};
  std::array<QAction*, 2> nodeButtons_{};
  QLabel* statusLine_ = nullptr;
  QLabel* processorPanel_ = nullptr;
  QProgressBar* ramBar_ = nullptr;
  QProgressBar* romBar_ = nullptr;
  QLabel* refreshPanel_ = nullptr;
  QString caption_;
  bool simulating_ = false;
  bool closing_ = false;
  bool starting_ = false;
};

}  // namespace tolmek
