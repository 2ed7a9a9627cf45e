// TEWindow: showing the error file and reading the place of a message from its line.
#include "gui/build/error_window.h"

#include <QFileInfo>
#include <QFontDatabase>
#include <QMouseEvent>
#include <QTextBlock>
#include <QVBoxLayout>

namespace tolmek {

void ErrorText::mouseDoubleClickEvent(QMouseEvent* e) {
  QPlainTextEdit::mouseDoubleClickEvent(e);
  if (DoubleClicked) DoubleClicked(cursorForPosition(e->position().toPoint()).blockNumber());
}

TEWindow::TEWindow(QWidget* parent) : QWidget(parent) {
  setObjectName("TEWindow");
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle("Error-Window");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  memo_ = new ErrorText(this);
  memo_->setObjectName("Memo1");
  memo_->setReadOnly(true);
  memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
  memo_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  layout->addWidget(memo_);
  memo_->DoubleClicked = [this](int line) {
    if (auto where = LocationOfLine(line); where && OpenLocation) OpenLocation(*where);
  };
  resize(600, 200);
}

void TEWindow::ShowErrors(const QString& path, const QString& text) {
  memo_->setPlainText(text);
  // Warnings of a build whose assembler never ran come without an error file.
  const QString name = QFileInfo(path).fileName();
  setWindowTitle(name.isEmpty() ? QString("Error-Window") : "Error-Window - " + name);
}

std::optional<ErrorLocation> TEWindow::LocationOfLine(int line) const {
  const QTextBlock block = memo_->document()->findBlockByNumber(line);
  if (!block.isValid()) return std::nullopt;
  return ParseErrorLine(block.text().toStdString());
}

}  // namespace tolmek
