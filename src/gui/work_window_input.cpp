// TWorkWindow: editing with mouse and keys — placing, selecting, moving, wiring, properties, scrolling.
#include <QBitmap>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QScrollBar>

#include "model/plan_edit.h"
#include "gui/work_window.h"
#include "gui/zoom.h"

namespace tolmek {

namespace {

// The wiring cursor: a cross hair with a small ring, hot spot in the middle.
const QCursor& ConnectCursor() {
  static const QCursor cursor = [] {
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setPen(QPen(Qt::black, 3));
    p.drawLine(16, 2, 16, 30);
    p.drawLine(2, 16, 30, 16);
    p.drawEllipse(QPoint(16, 16), 6, 6);
    p.setPen(QPen(Qt::white, 1));
    p.drawLine(16, 2, 16, 30);
    p.drawLine(2, 16, 30, 16);
    p.drawEllipse(QPoint(16, 16), 6, 6);
    return QCursor(pixmap, 16, 16);
  }();
  return cursor;
}

bool InsidePage(Point p) { return p.x >= 0 && p.x <= kPageWidth && p.y >= 0 && p.y <= kPageHeight; }

}  // namespace

bool TWorkWindow::Editing() const { return !host_.GetProject().SimActive; }

void TWorkWindow::SetCursorShape(CursorShape shape) {
  if (cursorSet_ && shape == cursor_) return;  // the cursor is set only when it changes
  cursor_ = shape;
  cursorSet_ = true;
  switch (shape) {
    case CursorShape::Default: viewport()->unsetCursor(); break;
    case CursorShape::Connect: viewport()->setCursor(ConnectCursor()); break;
    case CursorShape::Move: viewport()->setCursor(Qt::SizeAllCursor); break;
  }
}

void TWorkWindow::UpdateCursor(Qt::KeyboardModifiers modifiers) {
  QPoint device = viewport()->mapFromGlobal(QCursor::pos());
  if (!viewport()->rect().contains(device)) device = PlanToDevice({mouseX_, mouseY_});
  Point raw = DeviceToPlan(device);
  TBauteil* hit = editing::FindObject(host_.GetProject(), page_, raw.x, raw.y);
  if (!hit) {
    SetCursorShape(CursorShape::Default);
    return;
  }
  bool connectPoint = hit->IsNode() || hit->HitPin(raw.x, raw.y);
  if (!connectPoint) {
    SetCursorShape(Editing() ? CursorShape::Move : CursorShape::Default);
    return;
  }
  SetCursorShape(modifiers == Qt::ControlModifier ? CursorShape::Move : CursorShape::Connect);
}

void TWorkWindow::EndGestures() {
  connecting_ = moving_ = rubberBand_ = false;
  moved_ = nullptr;
  startPin_ = nullptr;
  startNode_ = nullptr;
}

void TWorkWindow::StartMoving(TBauteil& element) {
  moving_ = true;
  moved_ = &element;
  outline_ = QRect(element.DrawX, element.DrawY, element.Width, element.Height);
  grabDX_ = mouseX_ - element.DrawX;
  grabDY_ = mouseY_ - element.DrawY;
}

void TWorkWindow::StartConnecting(TObjAnschluss* pin, TObjKnoten* node) {
  connecting_ = true;
  elbowVertical_ = false;
  startPin_ = pin;
  startNode_ = node;
}

void TWorkWindow::mousePressEvent(QMouseEvent* event) {
  Project& project = host_.GetProject();
  const Environment& env = host_.Env();
  project.CurrentPage = page_;
  EnsurePlanImage();  // hit tests use the positions of the last paint
  const QRect before = OverlayDeviceRect();
  const Point raw = DeviceToPlan(event->position().toPoint());
  mouseX_ = SnapNearest(raw.x);
  mouseY_ = SnapNearest(raw.y);
  if (!Editing()) return;
  const Qt::KeyboardModifiers mods = event->modifiers();

  if (event->button() == Qt::RightButton) {
    if (host_.State().PlaceKind) {
      host_.LeavePlacing();
      ghostShown_ = false;
      RefreshOverlay(before);
    } else if (moving_ || !FindObject(mouseX_, mouseY_)) {
      CentreOn(mouseX_, mouseY_);
    }
    return;
  }
  if (event->button() != Qt::LeftButton || host_.State().PlaceKind) return;

  const bool shift = mods == Qt::ShiftModifier, ctrl = mods == Qt::ControlModifier;
  TBauteil* hit = FindObject(raw.x, raw.y);
  if (!hit) {
    hit = editing::SplitWire(project, page_, mouseX_ + scrollX_, mouseY_ + scrollY_);
    if (hit) {
      Invalidate();
      EnsurePlanImage();  // the new node gets its drawn position
    }
  }
  if (hit) {
    if (shift) {
      hit->Marked ^= 1;
      Invalidate();
    } else if (env.SelectWithoutShift) {
      project.ClearMarks();
      hit->Marked = 1;
      Invalidate();
    }
    const editing::Grab grab = editing::GrabAt(*hit, raw.x, raw.y, ctrl);
    if (grab.grip == editing::Grip::Move)
      StartMoving(*hit);
    else if (grab.grip == editing::Grip::Wire)
      StartConnecting(grab.pin, grab.node);
  } else if (shift || env.SelectWithoutShift) {
    rubberBand_ = true;
    anchorX_ = mouseX_ + scrollX_;
    anchorY_ = mouseY_ + scrollY_;
  } else {
    project.ClearMarks();
    Invalidate();
  }
  RefreshOverlay(before);
}

void TWorkWindow::mouseMoveEvent(QMouseEvent* event) {
  host_.GetProject().CurrentPage = page_;
  const QRect before = OverlayDeviceRect();
  const Point raw = DeviceToPlan(event->position().toPoint());
  mouseX_ = SnapNearest(raw.x);
  mouseY_ = SnapNearest(raw.y);
  if (!Editing()) {
    if (host_.State().PlaceKind) host_.LeavePlacing();
    ghostShown_ = false;
    RefreshOverlay(before);
    return;
  }
  ghostShown_ = host_.State().PlaceKind != 0;
  if (moving_) outline_.moveTo(mouseX_ - grabDX_, mouseY_ - grabDY_);
  RefreshOverlay(before);
  UpdateCursor(event->modifiers());
}

void TWorkWindow::mouseReleaseEvent(QMouseEvent* event) {
  Project& project = host_.GetProject();
  if (!Editing()) return;
  if (justCentred_) {  // the release of the right click that centred the view
    justCentred_ = false;
    return;
  }
  project.CurrentPage = page_;
  const QRect before = OverlayDeviceRect();
  const Point raw = DeviceToPlan(event->position().toPoint());
  mouseX_ = SnapNearest(raw.x);
  mouseY_ = SnapNearest(raw.y);
  const bool left = event->button() == Qt::LeftButton, right = event->button() == Qt::RightButton;

  if (!InsidePage({raw.x + scrollX_, raw.y + scrollY_})) {
    EndGestures();
    RefreshOverlay(before);
    Invalidate();
    return;
  }

  if (left && host_.State().PlaceKind) {
    project.CreateElement(host_.State().PlaceKind, mouseX_ + scrollX_, mouseY_ + scrollY_);
  }
  if (right && !connecting_ && !rubberBand_) {
    if (TBauteil* hit = FindObject(mouseX_, mouseY_)) {
      TObjAnschluss* pin = hit->IsNode() ? nullptr : hit->HitPin(raw.x, raw.y);
      if (pin)
        pin->EditProperties(host_.Editor());
      else
        hit->EditProperties(host_.Editor());
    }
  }
  if (moving_) FinishMove();
  if (connecting_ && left) {
    FinishConnect(raw);
    connecting_ = false;
    startPin_ = nullptr;
    startNode_ = nullptr;
  }
  if (rubberBand_ && left)
    editing::SelectInRectangle(project, page_, {anchorX_, anchorY_}, {mouseX_ + scrollX_, mouseY_ + scrollY_});
  if (left) rubberBand_ = false;
  moving_ = false;
  moved_ = nullptr;

  project.Saved = false;  // before the steps after an edit, so the title's marker sees it
  host_.PlanEdited();
  RefreshOverlay(before);
  Invalidate();
}

void TWorkWindow::FinishMove() {
  if (!moved_) return;
  editing::MoveElement(host_.GetProject(), *moved_, {outline_.left() + scrollX_, outline_.top() + scrollY_});
}

void TWorkWindow::FinishConnect(Point unsnapped) {
  Project& project = host_.GetProject();
  editing::WireRequest r;
  r.startPin = startPin_;
  r.startNode = startNode_;
  r.release = {mouseX_ + scrollX_, mouseY_ + scrollY_};
  r.rightAngle = host_.Env().RightAngleWires;
  r.elbowVertical = elbowVertical_;
  r.page = page_;
  EnsurePlanImage();  // hit tests use the positions of the last paint
  editing::AimWire(project, r, unsnapped);
  editing::FinishWire(project, r);
}

void TWorkWindow::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  QScrollBar* h = horizontalScrollBar();
  QScrollBar* v = verticalScrollBar();
  const bool shift = event->modifiers() & Qt::ShiftModifier;
  if (key >= Qt::Key_0 && key <= Qt::Key_9) {
    int digit = key - Qt::Key_0;
    host_.ShowPage(digit == 0 ? 9 : digit - 1);
    return;
  }
  switch (key) {
    case Qt::Key_Escape: {
      const QRect before = OverlayDeviceRect();
      host_.LeavePlacing();
      ghostShown_ = false;
      moving_ = connecting_ = false;
      moved_ = nullptr;
      RefreshOverlay(before);
      Invalidate();
      return;
    }
    case Qt::Key_Home:
      h->setValue(h->minimum());
      v->setValue(v->minimum());
      return;
    case Qt::Key_End:
      h->setValue(h->maximum());
      v->setValue(v->maximum());
      return;
    case Qt::Key_PageUp:
      (shift ? h : v)->setValue((shift ? h : v)->value() - 100);
      return;
    case Qt::Key_PageDown:
      (shift ? h : v)->setValue((shift ? h : v)->value() + 100);
      return;
    case Qt::Key_Control:
      UpdateCursor(event->modifiers());
      return;
    case Qt::Key_Shift:
      if (connecting_ && !elbowVertical_) {
        const QRect before = OverlayDeviceRect();
        elbowVertical_ = true;
        RefreshOverlay(before);
      }
      return;
    default:
      QAbstractScrollArea::keyPressEvent(event);
  }
}

void TWorkWindow::keyReleaseEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Control:
      UpdateCursor(event->modifiers());
      return;
    case Qt::Key_Shift:
      if (connecting_ && elbowVertical_) {
        const QRect before = OverlayDeviceRect();
        elbowVertical_ = false;
        RefreshOverlay(before);
      }
      return;
    default:
      QAbstractScrollArea::keyReleaseEvent(event);
  }
}

}  // namespace tolmek
