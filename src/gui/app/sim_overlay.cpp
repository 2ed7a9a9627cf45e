// SimOverlay: per-element redraw of a page window while simulating.
#include "gui/app/sim_overlay.h"

#include <QEvent>
#include <QPainter>
#include <QPaintEvent>

#include "gui/page_painter.h"
#include "gui/qt_canvas.h"
#include "model/node.h"

namespace tolmek {

namespace {

// Room around an element for what its drawing adds outside its rectangle: the name above it, pin stubs,
// the value box to its right, node names and arrow stubs.
constexpr int kAbove = 20, kLeft = 20, kRight = 90, kBelow = 25, kNodeReach = 40;

}  // namespace

SimOverlay::SimOverlay(TWorkWindow& page, const Environment& env, const Project& project)
    : QWidget(page.viewport()), page_(&page), env_(env), project_(project) {
  setObjectName("SimOverlay");
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setAttribute(Qt::WA_NoSystemBackground);
  setAttribute(Qt::WA_TranslucentBackground);
  setGeometry(page.viewport()->rect());
  page.viewport()->installEventFilter(this);
  Clear();
  show();
}

void SimOverlay::Clear() {
  const QSize size = page_ ? page_->viewport()->size().expandedTo(QSize(1, 1)) : QSize(1, 1);
  if (image_.size() != size) image_ = QImage(size, QImage::Format_ARGB32_Premultiplied);
  image_.fill(Qt::transparent);
  drawn_ = 0;
}

bool SimOverlay::eventFilter(QObject* watched, QEvent* event) {
  if (page_ && watched == page_->viewport() && event->type() == QEvent::Resize) {
    setGeometry(page_->viewport()->rect());
    Clear();
  }
  return QWidget::eventFilter(watched, event);
}

QRect SimOverlay::DeviceRect(const TBauteil& e) const {
  QRect logical(e.DrawX - kLeft, e.DrawY - kAbove, e.Width + kLeft + kRight, e.Height + kAbove + kBelow);
  if (e.IsNode())
    for (const TBauteil* link : static_cast<const TObjKnoten&>(e).LinkList())
      logical |= QRect(link->DrawX - kNodeReach, link->DrawY - kNodeReach, 2 * kNodeReach, 2 * kNodeReach);
  const QPoint a = page_->PlanToDevice({logical.left(), logical.top()});
  const QPoint b = page_->PlanToDevice({logical.right(), logical.bottom()});
  return QRect(a, b).normalized().adjusted(-2, -2, 2, 2);
}

void SimOverlay::Redraw(std::span<TBauteil* const> elements) {
  if (!page_ || elements.empty()) return;
  // The page below holds every change up to its last paint; what was drawn here before that is stale.
  if (page_->PlanPaints() != seenPlanPaints_) {
    seenPlanPaints_ = page_->PlanPaints();
    Clear();
  }
  QPainter painter(&image_);
  ApplyZoomMapping(painter, page_->Zoom());
  DrawStyle style = env_.Style(project_.SimActive);
  QtCanvas canvas(painter, style);
  QRect dirty;
  for (TBauteil* e : elements) {
    e->Draw(canvas, -page_->ScrollX(), -page_->ScrollY());
    dirty |= DeviceRect(*e);
    ++drawn_;
  }
  painter.end();
  update(dirty);
}

void SimOverlay::paintEvent(QPaintEvent* event) {
  if (page_ && page_->PlanPaints() != seenPlanPaints_) {
    seenPlanPaints_ = page_->PlanPaints();
    Clear();
    return;
  }
  QPainter p(this);
  p.drawImage(event->rect(), image_, event->rect());
}

}  // namespace tolmek
