// TMainForm: the two tool bars — view buttons repeated on both, the component buttons (from the kind list) as one group.
#include <QAction>
#include <QActionGroup>
#include <QPainter>
#include <QToolBar>
#include <QToolButton>
#include <algorithm>

#include "components/registry.h"
#include "gui/app/main_form.h"
#include "gui/missing_names.h"
#include "gui/qt_canvas.h"

namespace tolmek {

namespace {

constexpr int kPanelHeight = 41;
constexpr QSize kButtonSize(31, 30);

enum class ViewButton { Swap, Grid, Nodes, Simulation, ZoomOut, ZoomOne, ZoomIn };

struct ViewRow {
  ViewButton what;
  const char* names[2];  // first panel, second panel
  const char* glyph;
};
constexpr ViewRow kViewButtons[] = {
    {ViewButton::Swap, {"SpeedButton19", "SpeedButton18"}, "\u21c5"},
    {ViewButton::Grid, {"SpeedButton9", "SpeedButton20"}, "#"},
    {ViewButton::Nodes, {"SpeedButton10", "SpeedButton23"}, "\u25aa"},
    {ViewButton::Simulation, {"SpeedButton21", "SpeedButton22"}, "\u25b6"},
    {ViewButton::ZoomOut, {"SpeedButton31", "SpeedButton34"}, "\u2212"},
    {ViewButton::ZoomOne, {"SpeedButton32", "SpeedButton35"}, "1:1"},
    {ViewButton::ZoomIn, {"SpeedButton33", "SpeedButton36"}, "+"},
};

// A small glyph: the text fitted into a 24 x 24 pixel square.
QIcon Glyph(const char* text, const QColor& color) {
  QPixmap pixmap(24, 24);
  pixmap.fill(Qt::transparent);
  QPainter p(&pixmap);
  p.setRenderHint(QPainter::TextAntialiasing);
  QFont font("Liberation Sans");
  const QString t = QString::fromUtf8(text);
  font.setBold(true);
  font.setPixelSize(t.size() <= 1 ? 18 : t.size() == 2 ? 13 : t.size() == 3 ? 10 : 8);
  p.setFont(font);
  p.setPen(color);
  p.drawText(QRect(0, 0, 24, 24), Qt::AlignCenter, t);
  return QIcon(pixmap);
}

constexpr int kIconSide = 24;

// A kind's button face: its own drawing in miniature, made by the kind's factory and painted through the
// plan canvas, so every kind gets an icon that looks like what it places. A kind the program does not
// build yet keeps its text glyph.
QIcon KindIcon(const KindInfo& kind) {
  if (!kind.Built()) return Glyph(kind.glyph, Qt::black);
  std::unique_ptr<TBauteil> element = kind.create(0, 0);
  if (!element) return Glyph(kind.glyph, Qt::black);
  element->Name.clear();  // the body, not the name it would get on a page
  // The element's rectangle holds its body and the stubs of its pins.
  const QRectF shown(element->X - 1, element->Y - 1, element->Width + 2, element->Height + 2);
  QPixmap pixmap(kIconSide, kIconSide);
  pixmap.fill(Qt::transparent);
  {
    QPainter p(&pixmap);
    // Lines thinner than a pixel at this scale are drawn one pixel wide without smoothing, so stay sharp.
    p.setRenderHint(QPainter::Antialiasing, false);
    const double scale = std::min((kIconSide - 1) / shown.width(), (kIconSide - 1) / shown.height());
    p.translate((kIconSide - shown.width() * scale) / 2, (kIconSide - shown.height() * scale) / 2);
    p.scale(scale, scale);
    const DrawStyle style;  // dark lines on a light body, whatever the plan's colours
    QtCanvas canvas(p, style);
    element->Draw(canvas, -int(shown.x()), -int(shown.y()));
  }
  element->Release();
  return QIcon(pixmap);
}

}  // namespace

void TMainForm::BuildToolBars() {
  // The editor's own component bar gives way to the two panels.
  if (auto* old = findChild<QToolBar*>("ComponentBar")) {
    removeToolBar(old);
    old->hide();
  } else {
    NoteMissingName("tool bar", "ComponentBar");
  }
  components_ = new QActionGroup(this);
  components_->setExclusionPolicy(QActionGroup::ExclusionPolicy::ExclusiveOptional);
  for (int panel = 0; panel < 2; ++panel) {
    auto* bar = new QToolBar(this);
    bar->setObjectName(panel == 0 ? "Panel1" : "Panel2");
    bar->setMovable(false);
    bar->setFloatable(false);
    bar->setFixedHeight(kPanelHeight);
    bar->setIconSize(QSize(24, 24));
    bar->toggleViewAction()->setVisible(false);
    addToolBar(Qt::TopToolBarArea, bar);
    panels_[size_t(panel)] = bar;

    for (const ViewRow& row : kViewButtons) {
      QAction* a = bar->addAction(Glyph(row.glyph, QColor(0, 0, 128)), QString());
      a->setObjectName(row.names[panel]);
      switch (row.what) {
        case ViewButton::Swap: connect(a, &QAction::triggered, this, &TMainForm::SwapToolBars); break;
        case ViewButton::Grid:
          a->setCheckable(true);
          gridButtons_[size_t(panel)] = a;
          connect(a, &QAction::triggered, this, &TMainForm::ToggleGrid);
          break;
        case ViewButton::Nodes:
          a->setCheckable(true);
          nodeButtons_[size_t(panel)] = a;
          connect(a, &QAction::triggered, this, &TMainForm::ToggleNodes);
          break;
        case ViewButton::Simulation:
          a->setCheckable(true);
          simButtons_[size_t(panel)] = a;
          // triggered: only the user's press; the twin is set without firing this again.
          connect(a, &QAction::triggered, this, &TMainForm::SimulationButton);
          break;
        case ViewButton::ZoomOut: connect(a, &QAction::triggered, this, [this] { Zoom(-1); }); break;
        case ViewButton::ZoomOne: connect(a, &QAction::triggered, this, [this] { Zoom(0); }); break;
        case ViewButton::ZoomIn: connect(a, &QAction::triggered, this, [this] { Zoom(1); }); break;
      }
    }
    bar->addSeparator();
    const ToolBar which = panel == 0 ? ToolBar::First : ToolBar::Second;
    for (const KindInfo& kind : AllKinds()) {
      if (kind.toolBar != which) continue;
      QAction* a = bar->addAction(KindIcon(kind), QString());
      a->setObjectName(kind.button);
      a->setCheckable(true);
      a->setData(int(kind.code));
      // A kind this program does not build yet keeps its button, greyed.
      a->setEnabled(kind.Built());
      components_->addAction(a);
      connect(a, &QAction::triggered, this, [this, a](bool down) { ComponentPressed(a, down); });
    }
    for (QAction* a : bar->actions())
      if (QWidget* w = bar->widgetForAction(a); w && qobject_cast<QToolButton*>(w)) w->setFixedSize(kButtonSize);
  }
  panels_[1]->hide();  // only the first panel at start
  SyncViewButtons();
}

void TMainForm::SwapToolBars() {
  const bool firstShown = panels_[0]->isVisible() || !panels_[1]->isVisible();
  panels_[0]->setVisible(!firstShown);
  panels_[1]->setVisible(firstShown);
}

void TMainForm::SyncViewButtons() {
  for (int i = 0; i < 2; ++i) {
    gridButtons_[size_t(i)]->setChecked(!env_.ShowGrid);
    nodeButtons_[size_t(i)]->setChecked(!env_.ShowNodes);
    simButtons_[size_t(i)]->setChecked(project_.SimActive);
  }
}

void TMainForm::ToggleGrid() {
  env_.ShowGrid = !env_.ShowGrid;
  SyncViewButtons();
  RefreshAll();
}

void TMainForm::ToggleNodes() {
  env_.ShowNodes = !env_.ShowNodes;
  project_.Options.ShowNodes = env_.ShowNodes;
  SyncViewButtons();
  RefreshAll();
}

void TMainForm::Zoom(int how) {
  TWorkWindow* w = CurrentPageWindow();
  if (!w) return;
  if (how < 0)
    w->ZoomOut();
  else if (how > 0)
    w->ZoomIn();
  else
    w->ZoomOneToOne();
}

void TMainForm::ComponentPressed(QAction* button, bool down) {
  State().PlaceKind = down ? uint8_t(button->data().toInt()) : 0;
}

QAction* TMainForm::ComponentButton(uint8_t kindCode, int panel) const {
  for (QAction* a : components_->actions())
    if (a->data().toInt() == kindCode &&
        (panel < 0 || (panels_[size_t(panel)] && panels_[size_t(panel)]->actions().contains(a))))
      return a;
  return nullptr;
}

void TMainForm::LeavePlacing() {
  TMainWindow::LeavePlacing();
  for (QAction* a : components_->actions()) a->setChecked(false);
}

}  // namespace tolmek
