// SimOverlay: a transparent layer over a page window on which the simulation redraws just the elements
// whose level or value changed, so that a tick never repaints the whole plan.
#pragma once

#include <QImage>
#include <QPointer>
#include <QWidget>
#include <span>

#include "gui/environment.h"
#include "gui/work_window.h"

namespace tolmek {

class SimOverlay final : public QWidget {
  Q_OBJECT

 public:
  SimOverlay(TWorkWindow& page, const Environment& env, const Project& project);

  // Draws the elements in their present look and repaints only the pixels they cover.
  void Redraw(std::span<TBauteil* const> elements);
  // Forgets everything drawn (the page below was painted anew).
  void Clear();
  // Elements drawn since the last clear, for tests.
  [[nodiscard]] int DrawnCount() const { return drawn_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  [[nodiscard]] QRect DeviceRect(const TBauteil& element) const;

  QPointer<TWorkWindow> page_;
  const Environment& env_;
  const Project& project_;
  QImage image_;
  int seenPlanPaints_ = -1;
  int drawn_ = 0;
};

}  // namespace tolmek
