// TDialogLCDBase: name, port, enable pin, size and output delay of an LCD module.
#pragma once

#include <QLineEdit>
#include <QRadioButton>
#include <vector>

#include "gui/dialogs/kind_dialog.h"

namespace tolmek {

class TObjLcdBase;

class TDialogLCDBase final : public KindDialog {
  Q_OBJECT

 public:
  TDialogLCDBase(Messenger& messages, QWidget* parent);
  void Load(const TObjLcdBase& module);
  void Apply(TObjLcdBase& module) const;

  QLineEdit* IName;
  QLineEdit* IPort;
  QLineEdit* IEnable;
  QLineEdit* IRows;
  QLineEdit* IColumns;
  std::vector<QRadioButton*> RadioGroup1;  // delay x1, x2, x3

 protected:
  bool Validate() override;

 private:
  std::string oldName_, name_;
  int rows_ = 4, columns_ = 20;
};

}  // namespace tolmek
