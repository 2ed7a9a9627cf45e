// TLCDDisplay: green tool window with black fixed-pitch characters on lime cells.
#include "gui/app/lcd_display.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPointer>

namespace tolmek {

TLCDDisplay::TLCDDisplay(QWidget* parent)
    : QWidget(parent, Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowMinMaxButtonsHint |
                          Qt::WindowStaysOnTopHint) {
  setObjectName("TLCDDisplay");
  setWindowTitle("LCDDisplay");
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, QColor(0, 128, 0));
  setPalette(p);
  QFont f("Monospace");
  f.setStyleHint(QFont::TypeWriter);
  f.setPixelSize(12);
  setFont(f);
  Clear();
}

void TLCDDisplay::WriteText(int column, int row, std::string_view text) {
  if (column < 0 || column > kMaxColumn || row < 0 || row >= kRows) return;
  std::string& cells = rows_[size_t(row)];
  const size_t room = size_t(kCells - column);
  const std::string_view kept = text.substr(0, std::min(text.size(), room));
  cells.replace(size_t(column), kept.size(), kept);
  update();
}

void TLCDDisplay::Clear() {
  for (std::string& r : rows_) r.assign(kCells, ' ');
  update();
}

QSize TLCDDisplay::CellSize() const {
  const QFontMetrics m(font());
  return {m.horizontalAdvance('A') + 2, m.height() + 2};
}

void TLCDDisplay::SetCells(int columns, int rows) {
  const QSize cell = CellSize();
  setFixedSize(cell.width() * columns + 2, cell.height() * rows + 2);
}

void TLCDDisplay::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setFont(font());
  const QSize cell = CellSize();
  const QFontMetrics m(font());
  for (int r = 0; r < kRows; ++r) {
    const int y = 2 + r * cell.height();
    if (y > height()) break;
    for (int i = 0; i < kCells; ++i) {
      const int x = 2 + i * cell.width();
      if (x > width()) break;
      p.fillRect(QRect(x, y, m.horizontalAdvance('A'), m.height()), QColor(0, 255, 0));
      p.setPen(Qt::black);
      p.drawText(QPoint(x, y + m.ascent()), QString(QChar::fromLatin1(rows_[size_t(r)][size_t(i)])));
    }
  }
}

namespace {

// The cells of a module shown in a window; the window's place is what the module remembers.
class ShownDisplay final : public CharacterDisplay {
 public:
  ShownDisplay(QWidget* owner, const std::string& caption, int columns, int rows, int left, int top)
      : window_(new TLCDDisplay(owner)) {
    window_->setWindowTitle(QString::fromLatin1(caption.c_str()));
    window_->SetCells(columns, rows);
    window_->move(left, top);
    window_->show();
    Place(left, top);
  }
  ~ShownDisplay() override { delete window_.data(); }
  [[nodiscard]] int Left() const override { return window_ ? window_->x() : CharacterDisplay::Left(); }
  [[nodiscard]] int Top() const override { return window_ ? window_->y() : CharacterDisplay::Top(); }
  [[nodiscard]] TLCDDisplay* Window() const { return window_; }

 protected:
  void Changed() override {
    if (!window_) return;
    for (int r = 0; r < kRows; ++r) window_->WriteText(0, r, Row(r));
  }

 private:
  QPointer<TLCDDisplay> window_;
};

}  // namespace

std::unique_ptr<CharacterDisplay> LcdDisplayHost::OpenDisplay(const std::string& caption, int columns, int rows,
                                                              int left, int top) {
  return std::make_unique<ShownDisplay>(owner_, caption, columns, rows, left, top);
}

}  // namespace tolmek
