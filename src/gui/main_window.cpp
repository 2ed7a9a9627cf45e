// TMainWindow: the page windows in a multiple-document area and the tool bar that chooses what to place.
#include "gui/main_window.h"

#include <algorithm>

#include <QAction>
#include <QMdiSubWindow>

#include "components/registry.h"

namespace tolmek {

TMainWindow::TMainWindow(Project& project, Environment& env, QWidget* parent)
    : QMainWindow(parent),
      project_(project),
      env_(env),
      analysis_(project),
      dialogs_(project.Messages, this),
      editor_(&dialogs_) {
  setWindowTitle("Tolmek");
  area_ = new QMdiArea(this);
  area_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  area_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  setCentralWidget(area_);
  connect(area_, &QMdiArea::subWindowActivated, this, [this](QMdiSubWindow* sub) {
    if (auto* w = sub ? qobject_cast<TWorkWindow*>(sub->widget()) : nullptr) project_.CurrentPage = w->Page();
  });
  BuildComponentBar();
  project_.Redraw = this;
  project_.Options.AutoSignals = env_.AutoSignals;
  project_.Options.ShowNodes = env_.ShowNodes;
}

TMainWindow::~TMainWindow() {
  if (project_.Redraw == this) project_.Redraw = nullptr;
}

void TMainWindow::BuildComponentBar() {
  components_ = addToolBar("Bauteile");
  components_->setObjectName("ComponentBar");
  componentGroup_ = new QActionGroup(this);
  componentGroup_->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
  for (const KindInfo& kind : AllKinds()) {
    if (kind.toolBar == ToolBar::None || !kind.Built()) continue;  // kinds not built yet get no button here
    QAction* a = components_->addAction(QString::fromUtf8(kind.glyph));
    a->setToolTip(QString::fromUtf8(kind.hint.german));
    a->setCheckable(true);
    a->setData(int(kind.code));
    componentGroup_->addAction(a);
    connect(a, &QAction::triggered, this, [this, a](bool on) { state_.PlaceKind = on ? uint8_t(a->data().toInt()) : 0; });
  }
}

void TMainWindow::SetPlaceKind(uint8_t kindCode) {
  state_.PlaceKind = kindCode;
  for (QAction* a : componentGroup_->actions()) a->setChecked(kindCode && a->data().toInt() == kindCode);
}

void TMainWindow::LeavePlacing() { SetPlaceKind(0); }

TWorkWindow* TMainWindow::PageWindow(int page) const {
  if (page < 0 || page >= kPageCount) return nullptr;
  return windows_[size_t(page)].data();
}

void TMainWindow::ShowPage(int page) {
  if (page < 0 || page >= kPageCount) return;
  project_.CurrentPage = page;
  TWorkWindow* w = windows_[size_t(page)];
  if (!w) {
    w = new TWorkWindow(*this, page);
    windows_[size_t(page)] = w;
    QMdiSubWindow* sub = area_->addSubWindow(w);
    sub->setAttribute(Qt::WA_DeleteOnClose);
    sub->resize(640, 480);
    PageWindowCreated(*sub);
    w->show();
    // Wholly inside the area where it was put: a window past the edge brings scroll bars that push every
    // other window's edge out of sight too.
    const QSize room = area_->viewport()->size();
    const QSize size = sub->size().boundedTo(room);
    sub->setGeometry(QRect(QPoint(std::clamp(sub->x(), 0, std::max(0, room.width() - size.width())),
                                  std::clamp(sub->y(), 0, std::max(0, room.height() - size.height()))),
                           size));
    if (env_.AutoArrange) area_->tileSubWindows();
  }
  if (auto* sub = qobject_cast<QMdiSubWindow*>(w->parentWidget())) {
    if (sub->isMinimized()) sub->showNormal();
    area_->setActiveSubWindow(sub);
  }
  w->setFocus();
  project_.CurrentPage = page;
}

void TMainWindow::PageWindowClosed(int page) {
  if (page >= 0 && page < kPageCount) windows_[size_t(page)] = nullptr;
}

void TMainWindow::PlanEdited() {
  project_.Options.AutoSignals = env_.AutoSignals;
  project_.AutoSignalNames();
  project_.Renumber();
  analysis_.RunAnalysis(false);
  for (auto& step : AfterEdit) step();
  RefreshAll();
}

void TMainWindow::RefreshAll() {
  for (auto& w : windows_)
    if (w) w->Invalidate();
}

void TMainWindow::ElementChanged(TBauteil& element) {
  const TBauteil* top = &element;
  while (top->Owner) top = top->Owner;
  if (TWorkWindow* w = PageWindow(top->Page)) w->Invalidate();
}

}  // namespace tolmek
