// The simulated character display of an LCD module: four rows of 255 cells, and the host that shows it.
#pragma once

#include <array>
#include <memory>
#include <string>
#include <string_view>

namespace tolmek {

// What the plan wrote to a display while simulating. A window on screen is a subclass that repaints
// when told; without a screen (batch runs, tests) the cells alone are kept.
class CharacterDisplay {
 public:
  static constexpr int kRows = 4;
  static constexpr int kCells = 255;

  CharacterDisplay();
  virtual ~CharacterDisplay() = default;

  // Copies `text` into `row` starting at cell column + 1 (cells count from 1); characters beyond cell 255
  // are dropped. A column outside 0..254 or a row outside 0..3 is ignored.
  void WriteText(int column, int row, std::string_view text);
  // Every cell back to a blank.
  void Clear();
  [[nodiscard]] const std::string& Row(int row) const { return rows_.at(size_t(row)); }
  // The first `columns` cells of a row (what a module of that width shows).
  [[nodiscard]] std::string Visible(int row, int columns) const;
  // Where the window stands on screen (remembered by the module when the simulation stops).
  [[nodiscard]] virtual int Left() const { return left_; }
  [[nodiscard]] virtual int Top() const { return top_; }
  void Place(int left, int top) { left_ = left, top_ = top; }

 protected:
  virtual void Changed() {}

 private:
  std::array<std::string, kRows> rows_;
  int left_ = 0, top_ = 0;
};

// Opens the display of a module (the GUI shows a window; the plain display serves without one).
class DisplayHost {
 public:
  virtual ~DisplayHost() = default;
  [[nodiscard]] virtual std::unique_ptr<CharacterDisplay> OpenDisplay(const std::string& caption, int columns,
                                                                      int rows, int left, int top) = 0;
};

}  // namespace tolmek
