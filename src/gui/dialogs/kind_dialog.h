// The frame every property dialog shares: OK and Cancel, captions per language, and validation on OK
// that keeps the dialog open after a refused input.
#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QVBoxLayout>
#include <optional>
#include <span>
#include <string>

#include "gui/captions.h"
#include "model/messages.h"

class QDialogButtonBox;

namespace tolmek {

class KindDialog : public QDialog {
  Q_OBJECT

 public:
  KindDialog(Messenger& messages, QWidget* parent);

  // OK: validates; a refused input shows its message and leaves the dialog open.
  void accept() override;

 protected:
  // Checks the inputs (showing the message itself); false keeps the dialog open.
  virtual bool Validate() = 0;
  // Sets the dialog's texts from its caption table and the button captions, for the current language.
  void ApplyCaptions(std::span<const Caption> rows);
  [[nodiscard]] QVBoxLayout& Body() { return *body_; }
  [[nodiscard]] Language Lang() const { return messages_.CurrentLanguage(); }
  // The block name typed in `field` (see CheckBlockName); otherwise message 14, `old` back in the field and
  // nothing.
  [[nodiscard]] std::optional<std::string> TakeBlockName(QLineEdit& field, const char* emptyDefault,
                                                         const std::string& old);

  Messenger& messages_;

 private:
  QVBoxLayout* body_;
};

// A block's name as typed: upper-cased; empty gives `emptyDefault`; nullopt when the first character is
// not a letter A..Z (message 14).
[[nodiscard]] std::optional<std::string> CheckBlockName(const QString& typed, const char* emptyDefault);

}  // namespace tolmek
