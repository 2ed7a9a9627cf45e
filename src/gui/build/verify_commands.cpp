// VerifyCommands: the bench beside the plan, the copy of the plan, the worker and the report window.
#include "gui/build/verify_commands.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMdiSubWindow>
#include <QPromise>
#include <QStatusBar>
#include <QThreadPool>
#include <exception>
#include <memory>

#include "codegen/processors.h"
#include "gui/app/lang.h"
#include "gui/app/main_form.h"
#include "gui/build/build_commands.h"
#include "gui/build/verify_window.h"
#include "model/project_file.h"
#include "verify/signal_place.h"

namespace tolmek {

namespace {

constexpr Caption kTexts[] = {
    {"Running", "Prüfung auf simuliertem Chip läuft …", "Verifying …", "Verifica in corso …"},
};

QString Local(const std::string& s) { return QString::fromLocal8Bit(s.c_str()); }

VerifyReport Failed(VerifyReport::Outcome outcome, Language lang, std::string note) {
  VerifyReport r;
  r.outcome = outcome;
  r.language = lang;
  r.notes.push_back(std::move(note));
  return r;
}

}  // namespace

VerifyResult RunVerifyJob(const VerifyJob& job) {
  VerifyResult out;
  RecordingSink sink;
  sink.answer = Answer::No;  // nothing here may ask the user; a question is answered with No
  Messenger messages(&sink, job.language);
  Project project(messages);
  project.Options = job.options;
  FixedPassword password(job.password);
  try {
    if (!ProjectFromBytes(project, job.bytes, password)) {
      out.report = Failed(VerifyReport::Outcome::NotBuilt, job.language,
                          ComposeMessage(job.language, Msg::WrongPassword, MessageMode::Error, job.projectFile, {}));
    } else {
      project.ProjectFileName = job.projectFile;
      project.SourceFileName = job.sourceFile;
      project.Saved = true;
      out.report = Verify(project, job.bench, job.verify);
    }
  } catch (const CorruptFile&) {
    out.report = Failed(VerifyReport::Outcome::NotBuilt, job.language,
                        ComposeMessage(job.language, Msg::NotAProjectFile, MessageMode::Error, job.projectFile, {}));
  } catch (const std::exception& e) {
    // Whatever stops the check is reported in the window; the worker never takes the program down.
    out.report = Failed(VerifyReport::Outcome::NotChecked, job.language, e.what());
  }
  for (const RecordingSink::Entry& entry : sink.entries) out.messages.push_back(entry.text);
  return out;
}

VerifyCommands::VerifyCommands(TMainForm& form, BuildCommands& results)
    : QObject(&form), form_(form), results_(results), lang_(form.GetProject().Messages.CurrentLanguage()) {}

VerifyCommands::~VerifyCommands() {
  // A check still running finishes into nothing: its watcher goes with this object.
  delete watcher_;
}

TVerifyWindow* VerifyCommands::Window() const { return window_; }

QString VerifyCommands::Text(const char* key) const { return TableText(kTexts, key, lang_); }

void VerifyCommands::Start() {
  Project& project = form_.GetProject();
  if (Running() || project.SimActive) return;
  // A plan that was never saved has no bench beside it: message 4 offers to save it first.
  if (project.ProjectFileName == kDefaultProjectName && !form_.SettleUnsaved()) return;
  const std::string benchPath = BenchPathFor(project.ProjectFileName);
  QFile file(Local(benchPath));
  if (project.ProjectFileName == kDefaultProjectName || !file.open(QIODevice::ReadOnly)) {
    project.Messages.ShowMessage(Msg::FileMissing, MessageMode::Error, benchPath);
    return;
  }
  const QByteArray text = file.readAll();
  planName_ = QFileInfo(Local(project.ProjectFileName)).fileName();
  BenchReading reading = ReadBench(std::string_view(text.constData(), size_t(text.size())), benchPath);
  if (!reading.problems.empty()) {
    // The bench's faults are listed with their lines; nothing runs.
    VerifyReport r;
    r.outcome = VerifyReport::Outcome::BadBench;
    r.language = lang_;
    r.processor = ProcessorDisplayName(project.Mcu.ProcessorType);
    r.problems = std::move(reading.problems);
    Show(r, {});
    return;
  }
  if (!FitsInFile(project)) {
    project.Messages.ShowMessage(Msg::PlanTooLarge);
    return;
  }

  auto job = std::make_shared<VerifyJob>();
  job->bytes = ProjectToBytes(project);
  job->password = project.Info.Password;
  job->language = lang_;
  job->options = project.Options;
  job->projectFile = project.ProjectFileName;
  job->sourceFile = project.SourceFileName;
  job->bench = std::move(reading.bench);
  job->verify.timeLimitSeconds = TimeLimitSeconds;

  auto promise = std::make_shared<QPromise<VerifyResult>>();
  watcher_ = new QFutureWatcher<VerifyResult>(this);
  connect(watcher_, &QFutureWatcherBase::finished, this, &VerifyCommands::Finished);
  watcher_->setFuture(promise->future());
  promise->start();
  QThreadPool::globalInstance()->start([promise, job] {
    promise->addResult(RunVerifyJob(*job));
    promise->finish();
  });
  form_.statusBar()->showMessage(Text("Running"));
  emit RunningChanged();
}

void VerifyCommands::Finished() {
  QFutureWatcher<VerifyResult>* watcher = watcher_;
  watcher_ = nullptr;
  watcher->deleteLater();
  emit RunningChanged();
  const QFuture<VerifyResult> future = watcher->future();
  if (future.resultCount() == 0) {
    form_.statusBar()->clearMessage();
    return;
  }
  const VerifyResult result = future.result();
  Show(result.report, result.messages);
}

void VerifyCommands::Show(const VerifyReport& report, std::vector<std::string> messages) {
  if (!window_) {
    window_ = new TVerifyWindow(lang_);
    window_->OpenSignal = [this](const QString& signal) { ShowSignal(signal); };
    results_.AddWindow(window_);
  }
  window_->ShowReport(report, std::move(messages), planName_);
  if (auto* sub = qobject_cast<QMdiSubWindow*>(window_->parentWidget())) sub->setWindowTitle(window_->windowTitle());
  results_.BringToFront(window_);
  form_.statusBar()->showMessage(window_->Outcome().text());
  emit ReportShown();
}

bool VerifyCommands::ShowSignal(const QString& signal) {
  Project& project = form_.GetProject();
  const int index = project.IndexOf(FindSignalElement(project, signal.toStdString()));
  if (index < 0) return false;
  TBauteil& element = *project.Elements()[size_t(index)];
  // While the simulation runs the mark is the element's level and is left alone.
  if (!project.SimActive) {
    project.ClearMarks();
    element.Marked = 1;
  }
  if (CentreOn)
    CentreOn(element);
  else
    form_.ShowPage(element.Page);
  form_.RefreshAll();
  return true;
}

void VerifyCommands::ProjectRenewed() {
  if (watcher_) {
    // The check belongs to the plan that was closed: its result is not wanted any more.
    watcher_->disconnect(this);
    watcher_->deleteLater();
    watcher_ = nullptr;
    form_.statusBar()->clearMessage();
    emit RunningChanged();
  }
  if (window_)
    if (auto* sub = qobject_cast<QMdiSubWindow*>(window_->parentWidget())) sub->close();
}

void VerifyCommands::SetLanguage(Language lang) {
  lang_ = lang;
  if (!window_) return;
  window_->SetLanguage(lang);
  if (auto* sub = qobject_cast<QMdiSubWindow*>(window_->parentWidget())) sub->setWindowTitle(window_->windowTitle());
}

}  // namespace tolmek
