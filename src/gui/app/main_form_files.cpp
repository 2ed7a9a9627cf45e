// TMainForm: New, Open, Close, Save, Save as, the unsaved-changes question, and printing.
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPageSetupDialog>
#include <QPrintDialog>

#include "gui/app/lang.h"
#include "gui/app/main_form.h"
#include "gui/app/main_form_texts.h"

namespace tolmek {

namespace {

constexpr Msg kUnsavedQuestion = Msg::UnsavedProject;
constexpr Msg kFolderMissing = Msg::PathMissing;

// The wait cursor for the length of one file operation.
class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

QString Local(const std::string& s) { return QString::fromLocal8Bit(s.c_str()); }
std::string Local(const QString& s) { return s.toLocal8Bit().toStdString(); }

QString Stamp(const DateTime& t) {
  return QString("%1.%2.%3 %4:%5")
      .arg(t.day, 2, 10, QChar('0'))
      .arg(t.month, 2, 10, QChar('0'))
      .arg(t.year)
      .arg(t.hour, 2, 10, QChar('0'))
      .arg(t.minute, 2, 10, QChar('0'));
}

}  // namespace

QString TMainForm::OpenFilter() const { return TableText(MainTexts(), "OpenFilter", env_.Lang); }
QString TMainForm::SaveFilter() const { return TableText(MainTexts(), "SaveFilter", env_.Lang); }

bool TMainForm::SettleUnsaved() {
  if (project_.Saved) return true;
  switch (project_.Messages.ShowMessage(kUnsavedQuestion, MessageMode::Question)) {
    case Answer::Yes: return DateiSpeichernClick();  // a save that fails or is cancelled stops the caller
    case Answer::No: return true;
    default: return false;
  }
}

void TMainForm::DateiNeuClick() {
  if (!SettleUnsaved()) return;
  project_.New();
  RunAnalysis();
  if (ProjectRenewed) ProjectRenewed();
  for (QMdiSubWindow* sub : Area().subWindowList()) {
    if (qobject_cast<TWorkWindow*>(sub->widget())) sub->close();
  }
  ShowPage(0);
  UpdateCaption();
  UpdateMenuState();
}

bool TMainForm::DateiOeffnen(const QString& path, bool automatic) {
  if (!SettleUnsaved()) return false;
  QString file = path;
  if (file.isEmpty()) {
    const QString folder = QFileInfo(Local(project_.ProjectFileName)).absolutePath();
    file = ChooseOpenFile ? ChooseOpenFile(folder, OpenFilter())
                          : QFileDialog::getOpenFileName(this, QString(), folder, OpenFilter());
    if (file.isEmpty()) return false;
  }
  file = QFileInfo(file).absoluteFilePath();
  project_.Saved = true;  // settled above: New must not ask again
  DateiNeuClick();
  if (automatic && !QDir::setCurrent(QFileInfo(file).absolutePath())) project_.Messages.ShowMessage(kFolderMissing);
  SetCaption("Tolmek - [" + file + "]");
  bool opened = false;
  {
    WaitCursor wait;
    opened = OpenProject(project_, Local(file), *Passwords);
  }
  ProjectLoaded();
  return opened;
}

void TMainForm::ProjectLoaded() {
  UpdateCaption();
  RefreshRom();
  // The result windows follow the plan that was loaded, as after an edit.
  for (auto& step : AfterEdit) step();
  RefreshAll();
  UpdateMenuState();
}

void TMainForm::DateiSchliessenClick() {
  if (QMdiSubWindow* sub = Area().activeSubWindow()) sub->close();
}

bool TMainForm::DateiSpeichernClick() {
  if (project_.ProjectFileName == kDefaultProjectName) return DateiSpeichernUnterClick();
  bool saved = false;
  {
    WaitCursor wait;
    saved = SaveProject(project_, project_.ProjectFileName);
  }
  SyncModified();
  return saved;
}

bool TMainForm::DateiSpeichernUnterClick() {
  const QFileInfo current(Local(project_.ProjectFileName));
  if (!QDir::setCurrent(current.absolutePath())) QDir::setCurrent(QApplication::applicationDirPath());
  const QString suggested = current.absoluteFilePath();
  QString chosen = ChooseSaveFile ? ChooseSaveFile(suggested, SaveFilter())
                                  : QFileDialog::getSaveFileName(this, QString(), suggested, SaveFilter());
  if (chosen.isEmpty()) return false;
  if (QFileInfo(chosen).suffix().isEmpty()) chosen += ".pic";
  chosen = QFileInfo(chosen).absoluteFilePath();
  const std::string oldName = project_.ProjectFileName, oldSource = project_.SourceFileName;
  if (Local(chosen) != project_.ProjectFileName) project_.SourceFileName = kDefaultSourceName;
  project_.ProjectFileName = Local(chosen);
  UpdateCaption();
  bool saved = false;
  {
    WaitCursor wait;
    saved = SaveProject(project_, project_.ProjectFileName);
  }
  if (!saved) {
    // The plan was not written there: it keeps the name under which it is stored.
    project_.ProjectFileName = oldName;
    project_.SourceFileName = oldSource;
  }
  UpdateCaption();
  return saved;
}

TitleInfo TMainForm::PrintTitle() const {
  TitleInfo t;
  t.fileName = QFileInfo(Local(project_.ProjectFileName)).fileName();
  const ProjectInfo& i = project_.Info;
  t.version = QString("%1.%2.%3").arg(i.MajorVersion).arg(i.MinorVersion).arg(i.BuildNumber);
  t.processor = ProcessorSummary().trimmed();
  t.created = Stamp(i.CreatedAt);
  t.changed = Stamp(i.ChangedAt);
  return t;
}

std::vector<int> TMainForm::PrintTo(QPrinter& printer, const PrintSelection& selection) {
  std::vector<int> printed;
  {
    WaitCursor wait;
    printed = PrintPlan(printer, project_, env_, selection, PrintTitle());
  }
  RefreshAll();
  return printed;
}

void TMainForm::DruckenClick() {
  std::optional<PrintSelection> selection;
  if (AskPrint) {
    selection = AskPrint(printer_);
  } else {
    QPrintDialog dialog(&printer_, this);
    dialog.setOptions(QAbstractPrintDialog::PrintPageRange | QAbstractPrintDialog::PrintCurrentPage |
                      QAbstractPrintDialog::PrintToFile);
    dialog.setMinMax(1, kPageCount);
    if (dialog.exec() == QDialog::Accepted) {
      PrintSelection s;
      switch (dialog.printRange()) {
        case QAbstractPrintDialog::PageRange:
          s.range = PrintSelection::Range::FromTo;
          s.from = dialog.fromPage();
          s.to = dialog.toPage();
          break;
        case QAbstractPrintDialog::CurrentPage: s.range = PrintSelection::Range::Current; break;
        default: s.range = PrintSelection::Range::All; break;
      }
      // The copies are made by printing the selection again, so the printer makes one of each.
      s.copies = printer_.copyCount();
      printer_.setCopyCount(1);
      selection = s;
    }
  }
  if (selection) PrintTo(printer_, *selection);
}

void TMainForm::DruckerEinrichtenClick() {
  QPageSetupDialog dialog(&printer_, this);
  dialog.exec();
}

}  // namespace tolmek
