// TDialogUART: pins, type, speed (preset or SPBRG/BRGH), half duplex and checksum of a UART module.
#pragma once

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <vector>

#include "gui/dialogs/kind_dialog.h"

namespace tolmek {

class TObjUart;

class TDialogUART final : public KindDialog {
  Q_OBJECT

 public:
  TDialogUART(Messenger& messages, QWidget* parent);
  void Load(const TObjUart& module);
  void Apply(TObjUart& module) const;

  QLineEdit* IName;
  QLineEdit* ITx;
  QLineEdit* IRx;
  QLineEdit* IDir;
  std::vector<QRadioButton*> RadioType;  // hardware, software
  std::vector<QRadioButton*> RadioRate;  // 1200, 2400, 9600, 19200
  QGroupBox* RadioRateGroup;
  QCheckBox* CheckCustom;
  QGroupBox* GroupCustom;
  QLineEdit* ISpbrg;
  QCheckBox* CheckBrgh;
  QCheckBox* CheckHalfDuplex;
  QCheckBox* CheckChecksum;
  QLabel* LNote;  // the speed the setting gives at the project's clock

 protected:
  bool Validate() override;

 private:
  void UpdateShown();
  [[nodiscard]] double Clock() const;

  const TObjUart* module_ = nullptr;
  std::string oldName_, name_;
  int spbrg_ = 0;
};

}  // namespace tolmek
