// TLCDDisplay: the simulated character display of an LCD module — four rows of 255 cells.
#pragma once

#include <QWidget>
#include <array>
#include <string>
#include <string_view>

#include "sim/char_display.h"

namespace tolmek {

class TLCDDisplay final : public QWidget {
  Q_OBJECT

 public:
  static constexpr int kRows = 4;
  static constexpr int kCells = 255;
  static constexpr int kMaxColumn = kCells - 1;

  explicit TLCDDisplay(QWidget* parent = nullptr);

  // Copies `text` into `row` from cell column + 1 on (cells count from 1); characters past cell 255 are
  // dropped. A column outside 0..254 or a row outside 0..3 is ignored.
  void WriteText(int column, int row, std::string_view text);
  // Every cell back to a blank.
  void Clear();
  // Sizes the client area to show exactly `columns` x `rows` cells.
  void SetCells(int columns, int rows);

  [[nodiscard]] const std::string& Row(int row) const { return rows_.at(size_t(row)); }
  [[nodiscard]] QSize CellSize() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  std::array<std::string, kRows> rows_;
};

// Opens a TLCDDisplay for each LCD module while simulating; the module's cells are mirrored into it.
class LcdDisplayHost final : public DisplayHost {
 public:
  explicit LcdDisplayHost(QWidget* owner) : owner_(owner) {}
  [[nodiscard]] std::unique_ptr<CharacterDisplay> OpenDisplay(const std::string& caption, int columns, int rows,
                                                              int left, int top) override;

 private:
  QWidget* owner_;
};

}  // namespace tolmek
