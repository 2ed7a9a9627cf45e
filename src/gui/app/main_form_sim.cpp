// TMainForm: the simulation on screen — the buttons, the timer in page window 1, clicks, the value window
// and the per-element redraw.
#include <QAction>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <QTimer>
#include <map>

#include "gui/app/main_form.h"
#include "gui/app/sim_overlay.h"
#include "gui/app/value_window.h"
#include "gui/zoom.h"

namespace tolmek {

void TMainForm::SimulationButton(bool on) {
  if (on)
    StartSimulation();
  else
    StopSimulation();
  // The twin follows, and a start refused leaves both up; setChecked does not fire the handlers again.
  SyncViewButtons();
}

bool TMainForm::StartSimulation() {
  // The timer lives in page window 1: without it there is no simulation.
  if (!PageWindow(0) || engine_.Running()) return false;
  LeavePlacing();
  RunAnalysis();  // the last run before the simulation; edits do not run it while simulating
  engine_.AddVariables(GetAnalysis().VariableNames());
  engine_.SetSimRate(settings_.SimRate);
  for (int page = 0; page < kPageCount; ++page) engine_.SetPageOpen(page, PageWindow(page) != nullptr);
  return engine_.StartSimulation();
}

void TMainForm::StopSimulation() { engine_.StopSimulation(); }

void TMainForm::SimulationSwitched(bool running) {
  if (running) {
    simTimer_ = new QTimer(PageWindow(0));
    simTimer_->setObjectName("Timer1");
    simTimer_->setInterval(engine_.SimRate());
    connect(simTimer_, &QTimer::timeout, this, &TMainForm::SimulationTick);
    simTimer_->start();
    for (int page = 0; page < kPageCount; ++page)
      if (TWorkWindow* w = PageWindow(page); w && !overlays_[size_t(page)])
        overlays_[size_t(page)] = new SimOverlay(*w, env_, project_);
  } else {
    if (simTimer_) {
      simTimer_->stop();
      simTimer_->deleteLater();
    }
    simTimer_ = nullptr;
    valueWindow_->HideValue();
    for (auto& overlay : overlays_) {
      delete overlay.data();
      overlay = nullptr;
    }
  }
  simulating_ = running;
  for (QAction* b : simButtons_) b->setChecked(running);
  UpdateMenuState();
}

void TMainForm::SimulationTick() { engine_.Tick(); }

void TMainForm::RepaintAll() {
  for (auto& overlay : overlays_)
    if (overlay) overlay->Clear();
  RefreshAll();
}

void TMainForm::ElementsChanged(std::span<TBauteil* const> changed) {
  std::map<int, std::vector<TBauteil*>> byPage;
  for (TBauteil* e : changed) {
    const TBauteil* top = e;
    while (top->Owner) top = top->Owner;
    byPage[top->Page].push_back(e);
  }
  for (auto& [page, elements] : byPage)
    if (page >= 0 && page < kPageCount && overlays_[size_t(page)]) overlays_[size_t(page)]->Redraw(elements);
}

void TMainForm::SimulationMouse(TWorkWindow& page, QEvent* event) {
  auto* mouse = static_cast<QMouseEvent*>(event);
  const Point raw = page.DeviceToPlan(mouse->position().toPoint());
  const Point origin{-page.ScrollX(), -page.ScrollY()};
  if (event->type() == QEvent::MouseButtonPress) {
    project_.CurrentPage = page.Page();
    TBauteil* toggled = engine_.ToggleAt(raw.x - origin.x, raw.y - origin.y, page.Page(), origin);
    if (!toggled && mouse->button() == Qt::RightButton &&
        !page.FindObject(SnapNearest(raw.x), SnapNearest(raw.y)))
      page.CentreOn(SnapNearest(raw.x), SnapNearest(raw.y));
    return;
  }
  if (event->type() != QEvent::MouseMove) return;
  if (State().PlaceKind) LeavePlacing();
  TBauteil* hover = page.FindObject(raw.x, raw.y);
  const ValueBinder binder = hover ? FindValueBinder(hover->Kind) : nullptr;
  std::optional<ValueBinding> binding = binder ? binder(*hover, engine_, project_) : std::nullopt;
  if (!binding || !binding->target) {
    valueWindow_->HideValue();
    return;
  }
  // Over the block: its drawn corner on the screen.
  const QPoint corner = page.viewport()->mapToGlobal(page.PlanToDevice({hover->DrawX, hover->DrawY}));
  valueWindow_->ShowBinding(*binding, corner);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (type == QEvent::MouseButtonPress && watched == processorPanel_) {
    if (!simulating_) ProzessorClick();
    return true;
  }
  if (type == QEvent::MouseButtonPress && watched == refreshPanel_) {
    RefreshRom();
    return true;
  }
  if (simulating_ && (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
                      type == QEvent::MouseButtonDblClick || type == QEvent::MouseMove)) {
    for (int p = 0; p < kPageCount; ++p) {
      TWorkWindow* page = PageWindow(p);
      if (page && watched == page->viewport()) {
        SimulationMouse(*page, event);
        return true;  // editing is off while simulating
      }
    }
  }
  return TMainWindow::eventFilter(watched, event);
}

}  // namespace tolmek
