// TVarWindow: the variables of the plan, each with its eight bits, the bits in use shown in red.
#pragma once

#include <QWidget>

class QScrollBar;

namespace tolmek {

class Analysis;

class TVarWindow final : public QWidget {
  Q_OBJECT

 public:
  // While the window is open every analysis registers the plan's bits, so that they can be shown.
  TVarWindow(Analysis& analysis, QWidget* parent = nullptr);
  ~TVarWindow() override;

  // The analysis ran again: new range, repaint.
  void Refresh();
  // Whether bit `bit` of variable `name` is in use (drawn red).
  [[nodiscard]] bool BitUsed(const std::string& name, int bit) const;
  [[nodiscard]] QScrollBar& ScrollBar() const { return *scroll_; }

 signals:
  void Closed();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  Analysis& analysis_;
  QScrollBar* scroll_;
};

}  // namespace tolmek
