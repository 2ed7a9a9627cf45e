// VerifyCommands: "Verify on simulated chip" of the tools menu. The open plan is copied through its file
// record and checked against the bench beside its file on a worker thread, so the window stays usable; the
// report opens in its own window, from which a double click brings a signal's element into view.
#pragma once

#include <QFutureWatcher>
#include <QObject>
#include <QPointer>
#include <functional>
#include <string>
#include <vector>

#include "verify/verify.h"

namespace tolmek {

class BuildCommands;
class TBauteil;
class TMainForm;
class TVerifyWindow;

// What a check on the copy of a plan hands back to the window.
struct VerifyResult {
  VerifyReport report;
  std::vector<std::string> messages;  // what the plan said while it was read, generated and simulated
};

// Everything a check needs, taken from the window's plan before the worker starts.
struct VerifyJob {
  std::string bytes;  // the plan's file record
  std::string password;
  Language language = Language::English;
  EnvironmentOptions options;
  std::string projectFile, sourceFile;
  Bench bench;
  VerifyOptions verify;
};

// Reads the record into a project of its own whose messages are recorded, never shown, and runs the check
// on it. Touches no window and nothing shared, so it runs on any thread.
[[nodiscard]] VerifyResult RunVerifyJob(const VerifyJob& job);

class VerifyCommands final : public QObject {
  Q_OBJECT

 public:
  // `results` places the report window among the other result windows.
  VerifyCommands(TMainForm& form, BuildCommands& results);
  ~VerifyCommands() override;

  // The menu command: returns at once, the check runs on while the window stays usable.
  void Start();
  [[nodiscard]] bool Running() const { return watcher_ != nullptr; }
  [[nodiscard]] TVerifyWindow* Window() const;
  // Brings the element that carries `signal` into view on its page, selected. False when no element does.
  bool ShowSignal(const QString& signal);
  // After New and Open: a check still running belongs to the old plan and is forgotten, its report closes.
  void ProjectRenewed();
  void SetLanguage(Language lang);

  // Centres a page window on an element (the search command's way); set by whoever installs the commands.
  std::function<void(const TBauteil&)> CentreOn;
  // Seconds gpsim may run; a window that is closed waits for a running check to end.
  int TimeLimitSeconds = 120;

 signals:
  // A check started or ended (the menu's enabling follows).
  void RunningChanged();
  // The report of a check is shown.
  void ReportShown();

 private:
  void Finished();
  void Show(const VerifyReport& report, std::vector<std::string> messages);
  [[nodiscard]] QString Text(const char* key) const;

  TMainForm& form_;
  BuildCommands& results_;
  Language lang_;
  QFutureWatcher<VerifyResult>* watcher_ = nullptr;
  QString planName_;
  QPointer<TVerifyWindow> window_;
};

}  // namespace tolmek
