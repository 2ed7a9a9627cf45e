// The cells of a simulated character display.
#include "sim/char_display.h"

#include <algorithm>

namespace tolmek {

CharacterDisplay::CharacterDisplay() {
  for (std::string& r : rows_) r.assign(kCells, ' ');
}

void CharacterDisplay::WriteText(int column, int row, std::string_view text) {
  if (column < 0 || column >= kCells || row < 0 || row >= kRows) return;
  std::string& cells = rows_[size_t(row)];
  const std::string_view kept = text.substr(0, std::min(text.size(), size_t(kCells - column)));
  cells.replace(size_t(column), kept.size(), kept);
  Changed();
}

void CharacterDisplay::Clear() {
  for (std::string& r : rows_) r.assign(kCells, ' ');
  Changed();
}

std::string CharacterDisplay::Visible(int row, int columns) const {
  return Row(row).substr(0, size_t(std::clamp(columns, 0, kCells)));
}

}  // namespace tolmek
