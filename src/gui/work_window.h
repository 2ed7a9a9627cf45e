// TWorkWindow: the window of one page of the plan. It paints the page, zooms and scrolls, and edits it
// with mouse and keys.
#pragma once

#include <QAbstractScrollArea>
#include <QImage>
#include <optional>

#include "gui/editor_host.h"
#include "gui/page_painter.h"
#include "model/node.h"
#include "model/pin.h"

namespace tolmek {

class TWorkWindow final : public QAbstractScrollArea {
  Q_OBJECT

 public:
  TWorkWindow(EditorHost& host, int page, QWidget* parent = nullptr);

  [[nodiscard]] int Page() const { return page_; }
  [[nodiscard]] int Zoom() const { return zoom_; }
  [[nodiscard]] int ScrollX() const { return scrollX_; }
  [[nodiscard]] int ScrollY() const { return scrollY_; }

  void SetZoom(int value);
  void ZoomIn();
  void ZoomOut();
  void ZoomOneToOne();

  // Window plan units (not scrolled) of a pixel of the page area, and back.
  [[nodiscard]] Point DeviceToPlan(QPoint device) const;
  [[nodiscard]] QPoint PlanToDevice(Point plan) const;

  // The first element of this page whose drawn rectangle contains the window point; nullptr if none.
  [[nodiscard]] TBauteil* FindObject(int x, int y);
  // Scrolls so that window point (x, y) comes to the centre (when the option is on).
  void CentreOn(int x, int y);
  // The plan changed: repaint it from the object list.
  void Invalidate();
  // Sets the caption for the current language.
  void SetLanguageCaptions(Language lang);

  // Gesture state, for the main window and tests.
  [[nodiscard]] bool Connecting() const { return connecting_; }
  [[nodiscard]] bool Moving() const { return moving_; }
  [[nodiscard]] bool RubberBand() const { return rubberBand_; }
  [[nodiscard]] bool ElbowVertical() const { return elbowVertical_; }
  // How often the plan was painted from the object list (gestures must not add to it).
  [[nodiscard]] int PlanPaints() const { return planPaints_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;

 private:
  enum class CursorShape { Default, Connect, Move };

  void UpdateScrollRanges();
  void ReadScroll();
  void EnsurePlanImage();
  void PaintOverlay(QPainter& painter);
  // The pixels the gesture outline covers now, to repaint just those.
  [[nodiscard]] QRect OverlayDeviceRect() const;
  void RefreshOverlay(const QRect& before);
  void SetCursorShape(CursorShape shape);
  void UpdateCursor(Qt::KeyboardModifiers modifiers);
  void EndGestures();
  void StartMoving(TBauteil& element);
  void StartConnecting(TObjAnschluss* pin, TObjKnoten* node);
  void FinishMove();
  void FinishConnect(Point unsnapped);
  [[nodiscard]] Point WireStartPoint() const;  // window units
  [[nodiscard]] bool Editing() const;

  EditorHost& host_;
  int page_;
  int zoom_ = 3000;
  int scrollX_ = 0, scrollY_ = 0;

  QImage plan_;          // the page as last painted from the object list
  bool planDirty_ = true;
  int planPaints_ = 0;

  // Gesture state (window plan units unless said otherwise).
  int mouseX_ = 0, mouseY_ = 0;
  bool connecting_ = false, moving_ = false, rubberBand_ = false;
  bool elbowVertical_ = false, justCentred_ = false;
  bool ghostShown_ = false;  // the outline of the element about to be placed
  int anchorX_ = 0, anchorY_ = 0;  // rubber band start, page units
  int grabDX_ = 0, grabDY_ = 0;
  QRect outline_;  // the moving element's rectangle, window units
  TBauteil* moved_ = nullptr;
  TObjAnschluss* startPin_ = nullptr;
  TObjKnoten* startNode_ = nullptr;
  CursorShape cursor_ = CursorShape::Default;
  bool cursorSet_ = false;
};

}  // namespace tolmek
