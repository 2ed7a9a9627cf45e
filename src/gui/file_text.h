// Keeps text the project file cannot hold out of the dialogs: what the user sees there is what is saved.
#pragma once

#include <QString>
#include <QValidator>

#include "model/messages.h"

class QWidget;

namespace tolmek {

// True when every character of `text` is one of the file's 8-bit character set (Latin-1).
[[nodiscard]] bool FitsFileCharacters(const QString& text);

// Refuses an edit that would bring a character outside Latin-1 into the field, and remembers that it did,
// so that the field can tell that refusal from others (a full field also refuses a key).
class FileTextValidator final : public QValidator {
 public:
  using QValidator::QValidator;
  State validate(QString& input, int& pos) const override;
  // True once after an edit was refused for its characters.
  bool TakeRefusal() const;

 private:
  mutable bool refused_ = false;
};

// Gives every line edit under `root` that has no validator of its own the file's character set; a refused
// character shows message 55 and leaves the field as it was.
void GuardFileText(QWidget& root, Messenger& messages);

}  // namespace tolmek
