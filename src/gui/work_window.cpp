// TWorkWindow: painting, zoom, scrolling, captions and the gesture outlines drawn over the painted plan.
#include "gui/work_window.h"

#include <QCloseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QScrollBar>
#include <array>

#include "gui/fonts.h"
#include "model/plan_edit.h"
#include "gui/zoom.h"

namespace tolmek {

namespace {

struct PageTitle {
  const char* title;
  const char* hint;
};
// Per language: German, English, Italian.
constexpr std::array<PageTitle, 3> kPageTitles = {{
    {"Funktions-Plan Seite", "Funktions-Plan"},
    {"Function-Sheet", "Funktions-Plan"},
    {"Seleziona- Pagina", "Seleziona pagina"},
}};

const QColor kOutlineColor(0, 255, 255);  // XOR outlines of gestures
const QColor kGhostColor(0, 0, 255);      // the element about to be placed

}  // namespace

TWorkWindow::TWorkWindow(EditorHost& host, int page, QWidget* parent)
    : QAbstractScrollArea(parent), host_(host), page_(page) {
  setAttribute(Qt::WA_DeleteOnClose);
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setMouseTracking(true);
  viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
  horizontalScrollBar()->setSingleStep(10);
  verticalScrollBar()->setSingleStep(10);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  SetLanguageCaptions(host_.Env().Lang);
  UpdateScrollRanges();
}

void TWorkWindow::SetLanguageCaptions(Language lang) {
  int i = int(lang) - 1;
  if (i < 0 || i >= int(kPageTitles.size())) i = 0;
  setWindowTitle(QString::fromUtf8(kPageTitles[size_t(i)].title) + " " + QString::number(page_ + 1));
  setToolTip(QString::fromUtf8(kPageTitles[size_t(i)].hint));
}

Point TWorkWindow::DeviceToPlan(QPoint device) const {
  return {DeviceToLogical(device.x(), zoom_), DeviceToLogical(device.y(), zoom_)};
}

QPoint TWorkWindow::PlanToDevice(Point plan) const {
  return {LogicalToDevice(plan.x, zoom_), LogicalToDevice(plan.y, zoom_)};
}

void TWorkWindow::UpdateScrollRanges() {
  const int width = LogicalToDevice(kPageWidth, zoom_), height = LogicalToDevice(kPageHeight, zoom_);
  QSize view = viewport()->size();
  horizontalScrollBar()->setRange(0, std::max(0, width - view.width()));
  verticalScrollBar()->setRange(0, std::max(0, height - view.height()));
  horizontalScrollBar()->setPageStep(view.width());
  verticalScrollBar()->setPageStep(view.height());
  ReadScroll();
}

void TWorkWindow::ReadScroll() {
  int x = SnapNearest(DeviceToLogical(horizontalScrollBar()->value(), zoom_));
  int y = SnapNearest(DeviceToLogical(verticalScrollBar()->value(), zoom_));
  if (x != scrollX_ || y != scrollY_) {
    scrollX_ = x;
    scrollY_ = y;
    Invalidate();
  }
}

void TWorkWindow::scrollContentsBy(int, int) { ReadScroll(); }

void TWorkWindow::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollRanges();
  Invalidate();
}

void TWorkWindow::SetZoom(int value) {
  setUpdatesEnabled(false);
  const QSize view = viewport()->size();
  Point centre{0, 0};
  if (zoom_ != kZoomOverview)
    centre = DeviceToPlan({horizontalScrollBar()->value() + view.width() / 2,
                           verticalScrollBar()->value() + view.height() / 2});
  zoom_ = value;
  UpdateScrollRanges();
  QPoint at = PlanToDevice(centre);
  horizontalScrollBar()->setValue(at.x() - view.width() / 2);
  verticalScrollBar()->setValue(at.y() - view.height() / 2);
  ReadScroll();
  Invalidate();
  setUpdatesEnabled(true);
}

void TWorkWindow::ZoomIn() { SetZoom(ZoomedIn(zoom_)); }
void TWorkWindow::ZoomOut() { SetZoom(ZoomedOut(zoom_)); }
void TWorkWindow::ZoomOneToOne() { SetZoom(kZoomOneToOne); }

TBauteil* TWorkWindow::FindObject(int x, int y) {
  EnsurePlanImage();
  return editing::FindObject(host_.GetProject(), page_, x, y);
}

void TWorkWindow::CentreOn(int x, int y) {
  if (!host_.Env().CentreOnRightClick) return;
  setUpdatesEnabled(false);
  QPoint at = PlanToDevice({x, y});
  const QSize view = viewport()->size();
  horizontalScrollBar()->setValue(horizontalScrollBar()->value() + at.x() - view.width() / 2);
  verticalScrollBar()->setValue(verticalScrollBar()->value() + at.y() - view.height() / 2);
  ReadScroll();
  setUpdatesEnabled(true);
  Invalidate();
  justCentred_ = true;
}

void TWorkWindow::Invalidate() {
  planDirty_ = true;
  viewport()->update();
}

void TWorkWindow::EnsurePlanImage() {
  const QSize size = viewport()->size().expandedTo(QSize(1, 1));
  if (!planDirty_ && plan_.size() == size) return;
  if (plan_.size() != size) plan_ = QImage(size, QImage::Format_RGB32);
  QPainter painter(&plan_);
  PaintPage(painter, host_.GetProject(), host_.Env(), {page_, zoom_, scrollX_, scrollY_}, plan_.rect());
  planDirty_ = false;
  ++planPaints_;
}

void TWorkWindow::paintEvent(QPaintEvent* event) {
  EnsurePlanImage();
  QPainter painter(viewport());
  painter.drawImage(event->rect(), plan_, event->rect());
  PaintOverlay(painter);
}

Point TWorkWindow::WireStartPoint() const {
  if (startNode_) return startNode_->Centre();
  if (startPin_) return {startPin_->DrawX + (startPin_->Side == 0 ? -10 : 10), startPin_->DrawY};
  return {mouseX_, mouseY_};
}

void TWorkWindow::PaintOverlay(QPainter& painter) {
  const bool ghost = ghostShown_ && host_.State().PlaceKind != 0;
  if (!connecting_ && !moving_ && !rubberBand_ && !ghost) return;
  painter.save();
  ApplyZoomMapping(painter, zoom_);
  painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  painter.setBrush(Qt::NoBrush);
  QPen pen(kOutlineColor);
  pen.setCosmetic(true);
  painter.setPen(pen);
  if (connecting_) {
    Point from = WireStartPoint();
    if (host_.Env().RightAngleWires) {
      Point elbow = elbowVertical_ ? Point{from.x, mouseY_} : Point{mouseX_, from.y};
      painter.drawLine(from.x, from.y, elbow.x, elbow.y);
      painter.drawLine(elbow.x, elbow.y, mouseX_, mouseY_);
    } else {
      painter.drawLine(from.x, from.y, mouseX_, mouseY_);
    }
  }
  if (moving_) painter.drawRect(outline_);
  if (rubberBand_)
    painter.drawRect(QRect(QPoint(anchorX_ - scrollX_, anchorY_ - scrollY_), QPoint(mouseX_, mouseY_)).normalized());
  if (ghost) {
    pen.setColor(kGhostColor);
    painter.setPen(pen);
    painter.drawRect(mouseX_, mouseY_, 51, 51);
  }
  painter.restore();
}

QRect TWorkWindow::OverlayDeviceRect() const {
  QRect logical;
  if (connecting_) {
    Point from = WireStartPoint();
    logical |= QRect(QPoint(from.x, from.y), QPoint(mouseX_, mouseY_)).normalized();
  }
  if (moving_) logical |= outline_;
  if (rubberBand_) logical |= QRect(QPoint(anchorX_ - scrollX_, anchorY_ - scrollY_), QPoint(mouseX_, mouseY_)).normalized();
  if (ghostShown_ && host_.State().PlaceKind) logical |= QRect(mouseX_, mouseY_, 52, 52);
  if (logical.isNull()) return {};
  QPoint a = PlanToDevice({logical.left(), logical.top()}), b = PlanToDevice({logical.right(), logical.bottom()});
  return QRect(a, b).normalized().adjusted(-2, -2, 3, 3);
}

void TWorkWindow::RefreshOverlay(const QRect& before) {
  QRect region = before | OverlayDeviceRect();
  if (!region.isEmpty()) viewport()->update(region);
}

void TWorkWindow::closeEvent(QCloseEvent* event) {
  if (host_.GetProject().SimActive) {
    event->ignore();
    return;
  }
  host_.PageWindowClosed(page_);
  event->accept();
}

void TWorkWindow::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  host_.GetProject().CurrentPage = page_;
}

}  // namespace tolmek
