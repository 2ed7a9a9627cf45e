// TVarWindow: painting names and bit rows from the analysis' registries.
#include "gui/build/variable_window.h"

#include <QCloseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

#include "codegen/analysis.h"

namespace tolmek {

namespace {
// Name, bit row, separator: three text lines per variable.
constexpr int kLinesPerVariable = 3;
}  // namespace

TVarWindow::TVarWindow(Analysis& analysis, QWidget* parent) : QWidget(parent), analysis_(analysis) {
  setObjectName("TVarWindow");
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle("Variable");
  setToolTip("Benutzte Variable");
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, QColor(192, 192, 192));
  setPalette(p);
  scroll_ = new QScrollBar(Qt::Vertical, this);
  connect(scroll_, &QScrollBar::valueChanged, this, [this] { update(); });
  analysis_.VariableWindowOpen = true;
  analysis_.RunAnalysis(false);
  resize(170, 400);
  Refresh();
}

TVarWindow::~TVarWindow() { analysis_.VariableWindowOpen = false; }

void TVarWindow::Refresh() {
  scroll_->setRange(0, std::max(0, int(analysis_.VariableNames().size()) - 1));
  update();
}

bool TVarWindow::BitUsed(const std::string& name, int bit) const {
  for (const BitRecord& b : analysis_.BitNames())
    if (b.ByteName == name && b.Bit == bit) return true;
  return false;
}

void TVarWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const int step = fontMetrics().lineSpacing();
  const auto& names = analysis_.VariableNames();
  int y = 0;
  for (size_t i = size_t(scroll_->value()); i < names.size() && y < height(); ++i) {
    painter.setPen(Qt::black);
    painter.drawText(4, y + fontMetrics().ascent(), QString::fromStdString(names[i]));
    y += step;
    int x = 4;
    for (int bit = 7; bit >= 0; --bit) {
      const QString digit = QString::number(bit) + ' ';
      painter.setPen(BitUsed(names[i], bit) ? Qt::red : QColor(0, 128, 0));
      painter.drawText(x, y + fontMetrics().ascent(), digit);
      x += fontMetrics().horizontalAdvance(digit);
    }
    const int line = y + step + step / 2;
    painter.setPen(Qt::white);
    painter.drawLine(0, line, width() - scroll_->width(), line);
    painter.setPen(Qt::gray);
    painter.drawLine(0, line + 1, width() - scroll_->width(), line + 1);
    y += step * (kLinesPerVariable - 1);
  }
}

void TVarWindow::resizeEvent(QResizeEvent*) {
  const int w = scroll_->sizeHint().width();
  scroll_->setGeometry(width() - w, 0, w, height());
  scroll_->setPageStep(std::max(1, height() / std::max(1, fontMetrics().lineSpacing() * kLinesPerVariable)));
}

void TVarWindow::wheelEvent(QWheelEvent* e) { scroll_->setValue(scroll_->value() - e->angleDelta().y() / 120); }

void TVarWindow::closeEvent(QCloseEvent* e) {
  analysis_.VariableWindowOpen = false;
  emit Closed();
  e->accept();
}

}  // namespace tolmek
