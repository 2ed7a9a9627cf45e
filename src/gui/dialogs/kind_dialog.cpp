// The frame every property dialog shares.
#include "gui/dialogs/kind_dialog.h"

#include <QDialogButtonBox>
#include <QPushButton>

#include "gui/file_text.h"

namespace tolmek {

KindDialog::KindDialog(Messenger& messages, QWidget* parent) : QDialog(parent), messages_(messages) {
  auto* outer = new QVBoxLayout(this);
  body_ = new QVBoxLayout;
  outer->addLayout(body_);
  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok = buttons->addButton(QDialogButtonBox::Ok);
  QPushButton* cancel = buttons->addButton(QDialogButtonBox::Cancel);
  ok->setObjectName("OKBtn");
  cancel->setObjectName("CancelBtn");
  ok->setDefault(true);
  connect(buttons, &QDialogButtonBox::accepted, this, &KindDialog::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &KindDialog::reject);
  outer->addWidget(buttons);
}

void KindDialog::accept() {
  if (Validate()) QDialog::accept();
}

void KindDialog::ApplyCaptions(std::span<const Caption> rows) {
  SetLanguageCaptions(*this, rows, Lang());
  SetLanguageCaptions(*this, ButtonCaptions(), Lang());
}

std::optional<std::string> KindDialog::TakeBlockName(QLineEdit& field, const char* emptyDefault,
                                                     const std::string& old) {
  auto name = CheckBlockName(field.text(), emptyDefault);
  if (name) return name;
  messages_.ShowMessage(Msg::InvalidName);
  field.setText(QString::fromStdString(old));
  return std::nullopt;
}

std::optional<std::string> CheckBlockName(const QString& typed, const char* emptyDefault) {
  const QString upper = typed.toUpper();
  // Upper-casing can leave the file's character set ("ÿ" becomes "Ÿ"): such a name could not be saved.
  if (!FitsFileCharacters(upper)) return std::nullopt;
  std::string name = upper.toStdString();
  if (name.empty()) return std::string(emptyDefault);
  if (name[0] < 'A' || name[0] > 'Z') return std::nullopt;
  return name;
}

}  // namespace tolmek
