// Line edits that refuse characters the project file cannot store.
#include "gui/file_text.h"

#include <QLineEdit>
#include <QSignalBlocker>
#include <QWidget>
#include <memory>
#include <utility>

namespace tolmek {

bool FitsFileCharacters(const QString& text) {
  for (QChar c : text)
    if (c.unicode() > 0xFF) return false;
  return true;
}

QValidator::State FileTextValidator::validate(QString& input, int&) const {
  if (FitsFileCharacters(input)) return Acceptable;
  refused_ = true;
  return Invalid;
}

bool FileTextValidator::TakeRefusal() const { return std::exchange(refused_, false); }

void GuardFileText(QWidget& root, Messenger& messages) {
  for (QLineEdit* edit : root.findChildren<QLineEdit*>()) {
    if (edit->validator()) continue;  // a field with rules of its own (digits, hex) admits less already
    auto* validator = new FileTextValidator(edit);
    edit->setValidator(validator);
    QObject::connect(edit, &QLineEdit::inputRejected, edit, [validator, &messages] {
      if (validator->TakeRefusal()) messages.ShowMessage(Msg::CharacterNotStorable);
    });
    // A paste can reach the text without the validator's say: such a change is taken back whole.
    auto kept = std::make_shared<QString>(edit->text());
    QObject::connect(edit, &QLineEdit::textChanged, edit, [edit, kept, &messages](const QString& text) {
      if (FitsFileCharacters(text)) {
        *kept = text;
        return;
      }
      const QSignalBlocker quiet(edit);
      edit->setText(*kept);
      messages.ShowMessage(Msg::CharacterNotStorable);
    });
  }
}

}  // namespace tolmek
