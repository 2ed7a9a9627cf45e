// TMainForm: page windows and their places, automatic arrangement, start-up, and the settings dialogs.
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTimer>

#include "gui/app/color_dialogs.h"
#include "gui/app/dialog_diverse.h"
#include "gui/app/dialog_pic.h"
#include "gui/app/dialog_projekt.h"
#include "gui/app/help_window.h"
#include "gui/app/lang.h"
#include "gui/app/main_form.h"
#include "gui/app/sim_overlay.h"

namespace tolmek {

namespace {

constexpr int kSideWindowWidth = 170;
constexpr int kSideWindowReserve = 174;

}  // namespace

QMdiSubWindow* TMainForm::SubWindowOfPage(int page) const {
  TWorkWindow* w = PageWindow(page);
  return w ? qobject_cast<QMdiSubWindow*>(w->parentWidget()) : nullptr;
}

void TMainForm::Started(const QStringList& arguments) {
  starting_ = true;
  Area().setOption(QMdiArea::DontMaximizeSubWindowOnActivation);
  DateiNeuClick();
  QString file;
  if (arguments.size() == 1)
    file = arguments.front();
  else if (!settings_.LastFile.empty() && settings_.LastFile != kDefaultProjectName)
    file = QString::fromLocal8Bit(settings_.LastFile.c_str());
  if (!file.isEmpty()) DateiOeffnen(file, true);
  for (int page = 0; page < kPageCount; ++page) {
    const WindowPlace& place = settings_.Windows[size_t(page)];
    if (!place.Open) continue;
    ShowPage(page);
    if (QMdiSubWindow* sub = SubWindowOfPage(page)) sub->setGeometry(place.X, place.Y, place.W, place.H);
  }
  starting_ = false;
  ArrangeIfAutomatic();
  if (TWorkWindow* first = PageWindow(0)) ShowPage(first->Page());
}

void TMainForm::ShowPage(int page) {
  const bool created = page >= 0 && page < kPageCount && !PageWindow(page);
  // The arrangement here replaces the plain tiling of the page windows' host.
  const bool automatic = env_.AutoArrange;
  env_.AutoArrange = false;
  TMainWindow::ShowPage(page);
  env_.AutoArrange = automatic;
  if (created && !starting_) ArrangeIfAutomatic();
  UpdateMenuState();
}

void TMainForm::PageWindowCreated(QMdiSubWindow& sub) {
  auto* page = qobject_cast<TWorkWindow*>(sub.widget());
  if (!page) return;
  sub.setWindowTitle(page->windowTitle());
  page->viewport()->installEventFilter(this);
  engine_.SetPageOpen(page->Page(), true);
  if (simulating_ && !overlays_[size_t(page->Page())])
    overlays_[size_t(page->Page())] = new SimOverlay(*page, env_, project_);
}

void TMainForm::PageWindowClosed(int page) {
  if (QMdiSubWindow* sub = SubWindowOfPage(page)) {
    WindowPlace& place = settings_.Windows[size_t(page)];
    const QRect g = sub->geometry();
    place = {place.Open, g.x(), g.y(), g.width(), g.height()};
  }
  TMainWindow::PageWindowClosed(page);
  engine_.SetPageOpen(page, false);
  // The window is still there while it closes: arrange and update the menus once it is gone.
  QTimer::singleShot(0, this, [this] {
    if (closing_) return;
    ArrangeIfAutomatic();
    UpdateMenuState();
  });
}

void TMainForm::RecordWindowPlaces() {
  for (int page = 0; page < kPageCount; ++page) {
    WindowPlace& place = settings_.Windows[size_t(page)];
    QMdiSubWindow* sub = SubWindowOfPage(page);
    place.Open = sub != nullptr;
    if (!sub) continue;
    const QRect g = sub->isMaximized() || sub->isMinimized() ? sub->normalGeometry() : sub->geometry();
    if (g.isValid()) {
      place.X = g.x();
      place.Y = g.y();
      place.W = g.width();
      place.H = g.height();
    }
  }
}

void TMainForm::resizeEvent(QResizeEvent* event) {
  TMainWindow::resizeEvent(event);
  // The area gets its new size from the layout after this event.
  QTimer::singleShot(0, this, [this] {
    if (!closing_) ArrangeIfAutomatic();
  });
}

void TMainForm::ArrangeIfAutomatic() {
  if (env_.AutoArrange) ArrangeWindows();
}

void TMainForm::ArrangeWindows() {
  if (NamedWindow("TEWindow") || NamedWindow("TEditorWindow")) return;
  auto subOf = [](QWidget* w) { return w ? qobject_cast<QMdiSubWindow*>(w->parentWidget()) : nullptr; };
  QMdiSubWindow* variables = subOf(NamedWindow("TVarWindow"));
  QMdiSubWindow* source = subOf(NamedWindow("TQwindow"));
  QMdiSubWindow* first = SubWindowOfPage(0);
  const int width = Area().viewport()->width(), height = Area().viewport()->height();
  if (variables) {
    variables->showNormal();
    variables->setGeometry(width - kSideWindowReserve, 0, kSideWindowWidth, height);
  }
  if (first) {
    if (!variables && !source) {
      first->showMaximized();
    } else {
      int w = variables ? width - kSideWindowReserve : width;
      if (source) w = w / 2 - 4;
      first->showNormal();
      first->setGeometry(0, 0, w, height);
    }
  }
  if (source) {
    int w = variables ? width - kSideWindowReserve : width - 4;
    if (first) w = w / 2 - 2;
    source->showNormal();
    source->setGeometry(first ? first->width() : 0, 0, w, height);
  }
}

void TMainForm::SpezialClick() { ArrangeWindows(); }

void TMainForm::ProzessorClick() {
  TDialogPIC dialog(project_.Mcu, project_.Options.Optimise, project_.Messages, this);
  connect(&dialog, &TDialogPIC::HelpRequested, this, [this, &dialog] {
    // A window of the modal dialog's own, so that it can be scrolled while the dialog is open.
    auto* help = new HelpWindow(&dialog);
    help->ShowLanguage(env_.Lang, "microcontroller");
    help->show();
  });
  if (dialog.exec() == QDialog::Accepted) {
    project_.Mcu = dialog.Mcu();
    project_.Options.Optimise = dialog.Optimise();
    project_.Saved = false;
  }
  // Either button: the type's definition again, the pages and the ROM figure.
  RunAnalysis();
  RefreshAll();
  RefreshRom();
}

void TMainForm::UmgebungClick() {
  TDialogDiverse dialog({env_, settings_.SimRate, LanguageIndex(env_.Lang)}, &project_.Messages, this);
  if (dialog.exec() == QDialog::Accepted) {
    const EnvironmentChoice& r = dialog.Result();
    env_ = r.env;
    settings_.SimRate = r.simRate;
    settings_.Lang = r.language;
    engine_.SetSimRate(r.simRate);
    project_.Options.AutoSignals = env_.AutoSignals;
  }
  SetLanguageCaptions(env_.Lang);
  RefreshAll();
  ArrangeIfAutomatic();
}

void TMainForm::FarbenStandardClick() {
  TDialogFarbenEinstellen dialog(env_, this);
  if (dialog.exec() == QDialog::Accepted) {
    dialog.Store(env_);
    RefreshAll();
  }
}

void TMainForm::FarbenSimulationClick() {
  TDialogSimFarbenEinstellen dialog(env_, this);
  if (dialog.exec() == QDialog::Accepted) dialog.Store(env_);
}

void TMainForm::ProjektClick() {
  TDialogProjekt dialog(project_.Info, project_.Messages, this);
  if (dialog.exec() == QDialog::Accepted) {
    project_.Info = dialog.Info();
    project_.Saved = false;
    SyncModified();
  }
}

void TMainForm::HilfeInhaltClick() {
  if (!help_) help_ = new HelpWindow(this);
  help_->ShowLanguage(env_.Lang);
  help_->show();
  help_->raise();
}

void TMainForm::HilfeUeberClick() { ShowAboutBox(this, env_.Lang); }

}  // namespace tolmek
