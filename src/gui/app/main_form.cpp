// TMainForm: construction, the menu tree with its enabling rules, captions, the hint line and closing.
#include "gui/app/main_form.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QStatusTipEvent>
#include <QTimer>
#include <cstring>

#include "gui/app/app_settings.h"
#include "gui/app/help_window.h"
#include "gui/app/lang.h"
#include "gui/app/main_form_texts.h"
#include "gui/app/password_prompt.h"
#include "gui/app/value_window.h"
#include "gui/build/build_commands.h"
#include "gui/build/install_commands.h"
#include "gui/build/verify_commands.h"
#include "gui/missing_names.h"

namespace tolmek {

namespace {

struct MenuItem {
  const char* name;
  const char* parent;  // "" for the menu bar
  bool submenu;
  const char* key;  // the keys, separated by ";": the first is the one the menu shows
  void (*run)(TMainForm&);  // nullptr: the command belongs to another window, which wires it
  bool needsChild;          // enabled only while a child window exists
};

template <int Page>
void ShowPageOf(TMainForm& f) {
  f.ShowPage(Page);
}

constexpr MenuItem kMenuItems[] = {
    {"Datei", "", true, nullptr, nullptr, false},
    {"DateiNeu", "Datei", false, "Ctrl+N", [](TMainForm& f) { f.DateiNeuClick(); }, false},
    {"DateiOeffnen", "Datei", false, nullptr, [](TMainForm& f) { f.DateiOeffnen(); }, false},
    {"DateiSchliessen", "Datei", false, nullptr, [](TMainForm& f) { f.DateiSchliessenClick(); }, true},
    {"DateiSpeichern", "Datei", false, "Ctrl+S", [](TMainForm& f) { f.DateiSpeichernClick(); }, true},
    {"DateiSpeichernUnter", "Datei", false, nullptr, [](TMainForm& f) { f.DateiSpeichernUnterClick(); }, true},
    {"DateiQuelltextspeichern", "Datei", false, nullptr, nullptr, false},
    {"DateiQuelltextspeichernunter", "Datei", false, nullptr, nullptr, false},
    {"Build1", "Datei", false, "F10", nullptr, false},
    {"Drucken", "Datei", false, nullptr, [](TMainForm& f) { f.DruckenClick(); }, false},
    {"DruckerEinrichten", "Datei", false, nullptr, [](TMainForm& f) { f.DruckerEinrichtenClick(); }, false},
    {"DateiBeenden", "Datei", false, "Alt+F4;Ctrl+Q", [](TMainForm& f) { f.close(); }, false},
    {"Bearbeiten1", "", true, nullptr, nullptr, false},
    {"Wiederherstellen1", "Bearbeiten1", false, "Alt+Backspace;Ctrl+Z", nullptr, false},
    {"MarkAll", "Bearbeiten1", false, "Ctrl+A", nullptr, false},
    {"Kopieren1", "Bearbeiten1", false, "Ctrl+C", nullptr, false},
    {"Einfgen1", "Bearbeiten1", false, "Ctrl+V", nullptr, false},
    {"Ausschneiden", "Bearbeiten1", false, "Ctrl+X", nullptr, false},
    {"Lschen1", "Bearbeiten1", false, "Del", nullptr, false},
    {"Suchen1", "Bearbeiten1", false, "Ctrl+F", nullptr, false},
    {"Objektreihenfolge1", "Bearbeiten1", false, "Ctrl+O", nullptr, false},
    {"Einstellungen1", "", true, nullptr, nullptr, false},
    {"Prozessor1", "Einstellungen1", false, nullptr, [](TMainForm& f) { f.ProzessorClick(); }, false},
    {"Signale1", "Einstellungen1", false, nullptr, [](TMainForm& f) { f.UmgebungClick(); }, false},
    {"Farben1", "Einstellungen1", true, nullptr, nullptr, false},
    {"Standard1", "Farben1", false, nullptr, [](TMainForm& f) { f.FarbenStandardClick(); }, false},
    {"Simulation1", "Farben1", false, nullptr, [](TMainForm& f) { f.FarbenSimulationClick(); }, false},
    {"Tools2", "Einstellungen1", false, nullptr, nullptr, false},
    {"Projekt1", "Einstellungen1", false, nullptr, [](TMainForm& f) { f.ProjektClick(); }, false},
    {"Tools1", "", true, nullptr, nullptr, false},
    {"ChipPruefen1", "Tools1", false, nullptr, nullptr, true},
    {"Tools3", "Tools1", false, nullptr, nullptr, false},
    {"Fenster", "", true, nullptr, nullptr, false},
    {"Funktionsplan", "Fenster", true, nullptr, nullptr, false},
    {"Seite1", "Funktionsplan", false, nullptr, &ShowPageOf<0>, false},
    {"Seite2", "Funktionsplan", false, nullptr, &ShowPageOf<1>, false},
    {"Seite3", "Funktionsplan", false, nullptr, &ShowPageOf<2>, false},
    {"Seite4", "Funktionsplan", false, nullptr, &ShowPageOf<3>, false},
    {"Seite5", "Funktionsplan", false, nullptr, &ShowPageOf<4>, false},
    {"Seite6", "Funktionsplan", false, nullptr, &ShowPageOf<5>, false},
    {"Seite7", "Funktionsplan", false, nullptr, &ShowPageOf<6>, false},
    {"Seite8", "Funktionsplan", false, nullptr, &ShowPageOf<7>, false},
    {"Seite9", "Funktionsplan", false, nullptr, &ShowPageOf<8>, false},
    {"Seite10", "Funktionsplan", false, nullptr, &ShowPageOf<9>, false},
    {"FensterVariable", "Fenster", false, nullptr, nullptr, false},
    {"FensterQuelltext", "Fenster", false, nullptr, nullptr, false},
    {"Spezial1", "Fenster", false, nullptr, [](TMainForm& f) { f.SpezialClick(); }, false},
    {"WindowCascadeItem", "Fenster", false, nullptr, [](TMainForm& f) { f.Area().cascadeSubWindows(); }, true},
    {"WindowTileItem", "Fenster", false, nullptr, [](TMainForm& f) { f.Area().tileSubWindows(); }, true},
    {"WindowArrangeItem", "Fenster", false, nullptr,
     [](TMainForm& f) {
       // Minimised windows line up along the bottom of the area.
       int x = 0;
       for (QMdiSubWindow* sub : f.Area().subWindowList())
         if (sub->isMinimized()) {
           sub->move(x, f.Area().viewport()->height() - sub->height());
           x += sub->width();
         }
     },
     true},
    {"WindowMinimizeItem", "Fenster", false, nullptr,
     [](TMainForm& f) {
       const auto subs = f.Area().subWindowList(QMdiArea::CreationOrder);
       for (auto it = subs.rbegin(); it != subs.rend(); ++it) (*it)->showMinimized();
     },
     true},
    {"Hilfe", "", true, nullptr, nullptr, false},
    {"Inhalt", "Hilfe", false, "F1", [](TMainForm& f) { f.HilfeInhaltClick(); }, false},
    {"HilfeUeber", "Hilfe", false, nullptr, [](TMainForm& f) { f.HilfeUeberClick(); }, false},
};

// The menus that edit, disabled while the simulation runs.
constexpr const char* kEditingMenus[] = {"Datei", "Bearbeiten1", "Einstellungen1", "Tools1"};

const MenuItem* FindItem(const char* name) {
  for (const MenuItem& item : kMenuItems)
    if (std::strcmp(item.name, name) == 0) return &item;
  return nullptr;
}

// The top-level menu an item sits in.
const char* TopMenuOf(const MenuItem& item) {
  const MenuItem* at = &item;
  while (*at->parent)
    if (const MenuItem* up = FindItem(at->parent))
      at = up;
    else
      break;
  return at->name;
}

constexpr const char* kWired = "tolmekWired";
constexpr const char* kWindowListItem = "tolmekWindowList";

}  // namespace

TMainForm::TMainForm(Project& project, Environment& env, const IniFile& ini, QWidget* parent)
    : TMainWindow(project, env, parent), project_(project), env_(env), ini_(ini), engine_(project) {
  setObjectName("TMainForm");
  settings_ = ReadSettings(ini_);
  ToEnvironment(settings_, env_);
  project_.Options.AutoSignals = settings_.AutoSignals;
  project_.Options.ShowNodes = settings_.ShowNodes;
  project_.Options.Optimise = settings_.Optimise;
  project_.Messages.SetLanguage(env_.Lang);
  engine_.SetSimRate(settings_.SimRate);
  engine_.SetObserver(this);

  dialogPasswords_ = std::make_unique<DialogPasswordPrompt>(project_.Messages, this);
  Passwords = dialogPasswords_.get();
  valueWindow_ = new TDialogAnalog(this);
  displays_ = std::make_unique<LcdDisplayHost>(this);
  project_.Displays = displays_.get();

  BuildMenus();
  BuildToolBars();
  BuildStatusBar();
  connect(&Area(), &QMdiArea::subWindowActivated, this, [this] { UpdateMenuState(); });
  AfterEdit.push_back([this] { RefreshStatus(); });
  InstallCommands(*this, AppSettingsFolder());

  resize(800, 600);
  SetLanguageCaptions(env_.Lang);
  UpdateCaption();
  RunAnalysis();
  UpdateMenuState();
}

TMainForm::~TMainForm() {
  // The result windows go with the area after this body has run; the build commands, told of each, must
  // not call back into a window that is no longer there.
  AfterEdit.clear();
  LanguageChanged.clear();
  ProjectRenewed = nullptr;
  VerifyAvailable = nullptr;
  // A check still running finishes into nothing.
  delete findChild<VerifyCommands*>(QString(), Qt::FindDirectChildrenOnly);
  delete findChild<BuildCommands*>(QString(), Qt::FindDirectChildrenOnly);
  engine_.SetObserver(nullptr);
  engine_.StopSimulation();
  if (project_.Displays == displays_.get()) project_.Displays = nullptr;
  if (valueWindow_) valueWindow_->HideValue();
}

void TMainForm::BuildMenus() {
  for (const MenuItem& item : kMenuItems) {
    QMenu* parentMenu = *item.parent ? Menu(item.parent) : nullptr;
    if (item.submenu) {
      auto* menu = parentMenu ? parentMenu->addMenu(QString()) : menuBar()->addMenu(QString());
      menu->setObjectName(item.name);
      menu->menuAction()->setObjectName(QString(item.name) + "Action");
      continue;
    }
    auto* action = new QAction(this);
    action->setObjectName(item.name);
    if (item.key) {
      QList<QKeySequence> keys;
      for (const QString& k : QString::fromLatin1(item.key).split(';')) keys << QKeySequence(k);
      action->setShortcuts(keys);
    }
    if (parentMenu) parentMenu->addAction(action);
    addAction(action);  // shortcuts work wherever the focus is in the window
    if (item.run) {
      action->setProperty(kWired, true);
      auto run = item.run;
      connect(action, &QAction::triggered, this, [this, run] { run(*this); });
    }
  }
  // A separator between the arrangement items and the list of open windows.
  Menu("Fenster")->insertSeparator(Action("Spezial1"));
  Menu("Fenster")->addSeparator();
  Menu("Tools1")->insertSeparator(Action("Tools3"));
  connect(Menu("Fenster"), &QMenu::aboutToShow, this, &TMainForm::RebuildWindowList);
}

void TMainForm::RebuildWindowList() {
  QMenu* menu = Menu("Fenster");
  for (QAction* a : menu->actions())
    if (a->property(kWindowListItem).toBool()) {
      menu->removeAction(a);
      a->deleteLater();
    }
  int n = 1;
  for (QMdiSubWindow* sub : Area().subWindowList(QMdiArea::CreationOrder)) {
    QAction* a = menu->addAction(QString("&%1 %2").arg(n++).arg(sub->windowTitle()));
    a->setProperty(kWindowListItem, true);
    a->setCheckable(true);
    a->setChecked(sub == Area().activeSubWindow());
    connect(a, &QAction::triggered, this, [this, sub = QPointer<QMdiSubWindow>(sub)] {
      if (sub) Area().setActiveSubWindow(sub);
    });
  }
}

// Looked up among the window's own objects: child windows such as the internal editor have menus of the
// same names. A name the window does not have is a wiring fault and is reported.
QAction* TMainForm::Action(const char* name) const {
  auto* action = FindOwn<QAction>(const_cast<TMainForm&>(*this), name);
  if (!action) NoteMissingName("action", QString::fromUtf8(name));
  return action;
}

QMenu* TMainForm::Menu(const char* name) const {
  auto* menu = FindOwn<QMenu>(const_cast<TMainForm&>(*this), name);
  if (!menu) NoteMissingName("menu", QString::fromUtf8(name));
  return menu;
}

void TMainForm::WireAction(const char* name, std::function<void()> handler) {
  QAction* action = Action(name);
  if (!action) return;
  action->setProperty(kWired, true);
  connect(action, &QAction::triggered, this, [handler = std::move(handler)] { handler(); });
  UpdateMenuState();
}

void TMainForm::UpdateMenuState() {
  const bool anyChild = !Area().subWindowList().isEmpty();
  const bool simulating = simulating_;
  for (const MenuItem& item : kMenuItems) {
    const char* top = TopMenuOf(item);
    const bool locked =
        simulating && std::any_of(std::begin(kEditingMenus), std::end(kEditingMenus),
                                  [top](const char* m) { return std::strcmp(m, top) == 0; });
    if (item.submenu) {
      if (!*item.parent) Menu(item.name)->menuAction()->setEnabled(!locked);
      continue;
    }
    QAction* action = Action(item.name);
    const bool wired = action->property(kWired).toBool();
    bool enabled = wired && !locked && (!item.needsChild || anyChild);
    if (std::strcmp(item.name, "FensterVariable") == 0) enabled = enabled && !NamedWindow("TVarWindow");
    if (std::strcmp(item.name, "FensterQuelltext") == 0) enabled = enabled && !NamedWindow("TQwindow");
    if (std::strcmp(item.name, "Wiederherstellen1") == 0) enabled = enabled && UndoAvailable && UndoAvailable();
    if (std::strcmp(item.name, "ChipPruefen1") == 0) enabled = enabled && VerifyAvailable && VerifyAvailable();
    action->setEnabled(enabled);
  }
}

QWidget* TMainForm::NamedWindow(const char* name) {
  for (QMdiSubWindow* sub : Area().subWindowList())
    if (sub->widget() && sub->widget()->objectName() == QLatin1String(name)) return sub->widget();
  return nullptr;
}

void TMainForm::SetLanguageCaptions(Language lang) {
  ApplyCaptions(*this, MainMenuCaptions(), lang);
  ApplyHints(*this, MainToolHints(), lang);
  ApplyHints(*this, MainMenuHints(), lang);
  ApplyHints(*this, KindButtonHints(), lang);
  ApplyCaptions(*this, MainStatusCaptions(), lang);
  ApplyHints(*this, MainStatusHints(), lang);
  project_.Messages.SetLanguage(lang);
  for (int page = 0; page < kPageCount; ++page)
    if (TWorkWindow* w = PageWindow(page)) {
      w->SetLanguageCaptions(lang);
      if (QMdiSubWindow* sub = SubWindowOfPage(page)) sub->setWindowTitle(w->windowTitle());
    }
  if (help_) help_->ShowLanguage(lang);
  RefreshStatus();
  for (auto& told : LanguageChanged) told(lang);
}

void TMainForm::UpdateCaption() {
  SetCaption("Tolmek - [" + QString::fromLocal8Bit(project_.ProjectFileName.c_str()) + "]");
}

void TMainForm::SetCaption(const QString& caption) {
  caption_ = caption;
  // "[*]" is where the window shows its modified marker while the plan is unsaved.
  setWindowTitle(caption + "[*]");
  SyncModified();
}

void TMainForm::SyncModified() { setWindowModified(!project_.Saved); }

QString TMainForm::StatusLineText() const { return statusLine_ ? statusLine_->text() : QString(); }

bool TMainForm::event(QEvent* e) {
  // The hint of the control under the mouse goes to the blue hint line, not over the gauges.
  if (e->type() == QEvent::StatusTip) {
    if (statusLine_) statusLine_->setText(static_cast<QStatusTipEvent*>(e)->tip());
    return true;
  }
  return TMainWindow::event(e);
}

void TMainForm::closeEvent(QCloseEvent* e) {
  if (project_.SimActive || !SettleUnsaved()) {
    e->ignore();
    return;
  }
  RecordWindowPlaces();
  WriteSettingsFile();
  closing_ = true;
  if (valueWindow_) valueWindow_->HideValue();
  if (help_) help_->close();
  e->accept();
}

void TMainForm::WriteSettingsFile() {
  FromEnvironment(env_, settings_);
  settings_.Optimise = project_.Options.Optimise;
  settings_.LastFile = project_.ProjectFileName;
  // Read the file again: the tools dialog writes its own keys between start and exit.
  ini_ = LoadAppSettings();
  WriteSettings(ini_, settings_);
  WriteWindowPlaces(ini_, settings_.Windows);
  SaveAppSettings(ini_);
}

}  // namespace tolmek
