// TEWindow: the assembler's error file, read-only; a double click on a message opens its line in the editor.
#pragma once

#include <QPlainTextEdit>
#include <QWidget>
#include <functional>

#include "codegen/build_tools.h"

namespace tolmek {

class ErrorText final : public QPlainTextEdit {
  Q_OBJECT

 public:
  using QPlainTextEdit::QPlainTextEdit;
  std::function<void(int line)> DoubleClicked;

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;
};

class TEWindow final : public QWidget {
  Q_OBJECT

 public:
  explicit TEWindow(QWidget* parent = nullptr);

  // Shows `text` as the error file `path`; the caption shows the file's name.
  void ShowErrors(const QString& path, const QString& text);
  [[nodiscard]] QPlainTextEdit& Memo() const { return *memo_; }
  // The place of the message in text line `line` (0-based), when it names one.
  [[nodiscard]] std::optional<ErrorLocation> LocationOfLine(int line) const;
  // What a double click on a message does (the build commands open the editor there).
  std::function<void(const ErrorLocation&)> OpenLocation;

 private:
  ErrorText* memo_;
};

}  // namespace tolmek
