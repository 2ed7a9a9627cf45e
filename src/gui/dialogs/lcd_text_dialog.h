// TDialogLCDText: what an LCD output block writes, in which format, where and on which module.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <vector>

#include "gui/dialogs/kind_dialog.h"

namespace tolmek {

class TObjLcdText;

class TDialogLCDText final : public KindDialog {
  Q_OBJECT

 public:
  TDialogLCDText(Messenger& messages, QWidget* parent);
  void Load(const TObjLcdText& block);
  void Apply(TObjLcdText& block) const;

  QLineEdit* IName;
  QComboBox* ComboLcd;                     // "Ausgabe auf"
  std::vector<QRadioButton*> RadioFormat;  // Text, Dezimal, Hexadezimal, Binär
  std::vector<QRadioButton*> RadioZeros;   // blanks, zeros
  QCheckBox* CheckFixed;
  QLineEdit* IFixedCount;
  QLabel* LX;
  QLabel* LY;
  QLineEdit* IX;
  QLineEdit* IY;
  QLineEdit* IText;

 protected:
  bool Validate() override;

 private:
  void UpdateEnabled();
  void UpdatePositionLabels();

  const TObjLcdText* block_ = nullptr;
  std::string oldName_, name_;
};

}  // namespace tolmek
