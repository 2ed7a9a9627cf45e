// TQwindow: the preview of the generated program with line numbers, kept current while it is open.
#pragma once

#include <QStringList>
#include <QWidget>

class QScrollBar;

namespace tolmek {

class TQwindow final : public QWidget {
  Q_OBJECT

 public:
  explicit TQwindow(QWidget* parent = nullptr);

  // Shows the lines of the preview file (none when it cannot be read).
  void LoadPreview(const QString& path);
  [[nodiscard]] const QStringList& Lines() const { return lines_; }
  // The text of a shown row as painted: the 1-based number right-aligned in five places, " : ", the line.
  [[nodiscard]] static QString RowText(int index, const QString& line);
  [[nodiscard]] QScrollBar& ScrollBar1() const { return *scroll_; }
  [[nodiscard]] int FirstShownLine() const;

 signals:
  void Closed();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void UpdateRange();
  [[nodiscard]] int VisibleRows() const;

  QStringList lines_;
  QScrollBar* scroll_;
};

}  // namespace tolmek
