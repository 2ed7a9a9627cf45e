// TDialogData8 and TDialogCall: the value of a data block, the table a table call reads, each with its width.
#pragma once

#include <QLineEdit>
#include <QRadioButton>
#include <string>

#include "gui/dialogs/kind_dialog.h"

namespace tolmek {

class TObjData8;
class TObjCall;

class TDialogData8 final : public KindDialog {
  Q_OBJECT

 public:
  TDialogData8(Messenger& messages, QWidget* parent);
  void Load(const TObjData8& block);
  void Apply(TObjData8& block) const;

  QLineEdit* IName;
  QRadioButton* Bits8;  // RadioGroup1 "Typ"
  QRadioButton* Bits16;

 protected:
  bool Validate() override;

 private:
  std::string oldName_, name_;
};

class TDialogCall final : public KindDialog {
  Q_OBJECT

 public:
  TDialogCall(Messenger& messages, QWidget* parent);
  void Load(const TObjCall& call);
  void Apply(TObjCall& call) const;

  QLineEdit* ICall;
  QRadioButton* Bits8;  // RadioGroup1 "Typ"
  QRadioButton* Bits16;

 protected:
  bool Validate() override;

 private:
  std::string oldName_, name_;
};

}  // namespace tolmek
