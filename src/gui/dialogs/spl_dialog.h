// TDialogSPL: a label's type and name — a source names itself, a destination picks a source's name.
#pragma once

#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>

#include "components/spl.h"
#include "gui/dialogs/kind_dialog.h"

namespace tolmek {

class TDialogSPL final : public KindDialog {
  Q_OBJECT

 public:
  TDialogSPL(Messenger& messages, QWidget* parent);
  void Load(const TObjSpl& label);
  void Apply(TObjSpl& label) const;

  QRadioButton* Destination;  // " ist Ziel"
  QRadioButton* Source;       // " ist Quelle"
  QGroupBox* NameGroup;
  QLineEdit* Edit1;
  QGroupBox* TargetGroup;
  QComboBox* ComboBox1;

 protected:
  bool Validate() override { return true; }

 private:
  void ShowGroupOfType();
};

}  // namespace tolmek
