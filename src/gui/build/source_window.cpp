// TQwindow: painting the preview lines from the scroll position on.
#include "gui/build/source_window.h"

#include <QCloseEvent>
#include <QFile>
#include <QFontDatabase>
#include <QPainter>
#include <QScrollBar>
#include <QWheelEvent>

namespace tolmek {

TQwindow::TQwindow(QWidget* parent) : QWidget(parent) {
  setObjectName("TQwindow");
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle("Quell-Text");
  setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  setAutoFillBackground(true);
  QPalette p = palette();
  p.setColor(QPalette::Window, Qt::white);
  setPalette(p);
  scroll_ = new QScrollBar(Qt::Vertical, this);
  scroll_->setObjectName("ScrollBar1");
  connect(scroll_, &QScrollBar::valueChanged, this, [this] { update(); });
  resize(500, 400);
}

QString TQwindow::RowText(int index, const QString& line) {
  return QString("%1 : %2").arg(index + 1, 5).arg(line);
}

void TQwindow::LoadPreview(const QString& path) {
  lines_.clear();
  QFile f(path);
  if (f.open(QIODevice::ReadOnly)) {
    const QByteArray bytes = f.readAll();
    QString text = QString::fromUtf8(bytes);
    if (text.contains(QChar::ReplacementCharacter)) text = QString::fromLatin1(bytes);
    lines_ = text.split('\n');
    for (QString& l : lines_)
      if (l.endsWith('\r')) l.chop(1);
    if (!lines_.isEmpty() && lines_.back().isEmpty()) lines_.removeLast();
  }
  UpdateRange();
  update();
}

int TQwindow::VisibleRows() const { return std::max(1, height() / std::max(1, fontMetrics().lineSpacing())); }

int TQwindow::FirstShownLine() const { return scroll_->value(); }

void TQwindow::UpdateRange() {
  scroll_->setPageStep(VisibleRows());
  scroll_->setRange(0, std::max(0, int(lines_.size()) - 1));
}

void TQwindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setPen(Qt::black);
  const int step = fontMetrics().lineSpacing();
  const int width = this->width() - scroll_->width();
  int y = 0;
  for (int i = scroll_->value(); i < lines_.size() && y < height(); ++i, y += step) {
    // Tabs of an assembler line are shown as blanks to the next multiple of eight.
    QString line;
    for (QChar c : lines_[i]) {
      if (c == '\t') line += QString(8 - line.size() % 8, ' ');
      else line += c;
    }
    painter.drawText(QRect(2, y, width - 2, step), Qt::AlignLeft | Qt::AlignVCenter, RowText(i, line));
  }
}

void TQwindow::resizeEvent(QResizeEvent*) {
  const int w = scroll_->sizeHint().width();
  scroll_->setGeometry(width() - w, 0, w, height());
  UpdateRange();
}

void TQwindow::wheelEvent(QWheelEvent* e) {
  scroll_->setValue(scroll_->value() - e->angleDelta().y() / 40);
}

void TQwindow::closeEvent(QCloseEvent* e) {
  emit Closed();
  e->accept();
}

}  // namespace tolmek
