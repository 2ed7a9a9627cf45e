// TDialogEE ("EE-Prom Info"): the variables kept in EEPROM, internal or external EEPROM and its options.
#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "codegen/processors.h"
#include "gui/dialogs/kind_dialog.h"

namespace tolmek {

class TObjEE;

class TDialogEE final : public KindDialog {
  Q_OBJECT

 public:
  TDialogEE(Messenger& messages, QWidget* parent);
  // "im RAM" lists the plan's variables (without the "SYS_" ones) not yet kept; the part decides whether the
  // internal EEPROM can be chosen, its size and the built-in serial EEPROM's pins.
  void Load(const TObjEE& ee);
  void Apply(TObjEE& ee) const;

  QListWidget* ListBox1;  // "im RAM"
  QListWidget* ListBox2;  // "im EE"
  QPushButton* ToEe;      // ">"
  QPushButton* ToRam;     // "<"
  QLabel* Free;           // free EEPROM bytes
  QRadioButton* RadioButton1;  // " internes EE-Prom"
  QRadioButton* RadioButton2;  // " externes EE-Prom"
  QLineEdit* Edit1;            // size in bytes
  QCheckBox* CheckBox1;        // checksum
  QCheckBox* CheckBox2;        // verify
  QComboBox* ComboBox1;        // SDA
  QComboBox* ComboBox2;        // SCL
  QLineEdit* Edit4;            // bus address

 protected:
  bool Validate() override;

 private:
  void Move(QListWidget* from, QListWidget* to);
  void Refresh();
  [[nodiscard]] int OthersUse(bool external) const;

  ProcessorProps props_;
  const TObjEE* ee_ = nullptr;
  uint16_t externalSize_ = 0;
  uint8_t busAddress_ = 0;
};

}  // namespace tolmek
