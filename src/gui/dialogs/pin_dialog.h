// TDialogAnschluss: the net name and inversion of a 1-bit pin.
#pragma once

#include <QCheckBox>
#include <QLineEdit>

#include "gui/dialogs/kind_dialog.h"
#include "model/pin.h"

namespace tolmek {

class TDialogAnschluss final : public KindDialog {
  Q_OBJECT

 public:
  TDialogAnschluss(Messenger& messages, QWidget* parent);
  void Load(const TObjAnschluss& pin);
  void Apply(TObjAnschluss& pin) const;

  QLineEdit* IVerbindung;
  QCheckBox* IInvertierung;

 protected:
  bool Validate() override;

 private:
  std::string name_;
};

}  // namespace tolmek
