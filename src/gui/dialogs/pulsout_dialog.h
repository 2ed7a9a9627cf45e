// TDialogPulsOut ("Impuls, PWM Info"): name, pulse or hardware PWM, and the CCP output the part offers.
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>

#include "codegen/processors.h"
#include "gui/dialogs/kind_dialog.h"

namespace tolmek {

class TObjPulsOut;

class TDialogPulsOut final : public KindDialog {
  Q_OBJECT

 public:
  static constexpr int kMaxName = 30;

  TDialogPulsOut(Messenger& messages, QWidget* parent);
  // The output choice follows the part of the block's project: one CCP shows its pin as text, two CCPs a
  // choice of RC.1 (CCP2) and RC.2 (CCP1), none disables the PWM.
  void Load(const TObjPulsOut& block);
  void Apply(TObjPulsOut& block) const;

  QLineEdit* IName;
  QGroupBox* RadioGroup1;  // "Typ"
  QRadioButton* Pulse;     // " Impuls"
  QRadioButton* Pwm;       // " Hardware-PWM"
  QGroupBox* RadioGroup2;  // "Ausgang"
  QLabel* FixedOutput;     // "RB.3", "RC.2" or "PWM nicht verfügbar"
  QRadioButton* OutputRC1;
  QRadioButton* OutputRC2;

 protected:
  bool Validate() override;

 private:
  void TypeChanged();
  ProcessorProps props_;
  std::string oldName_, name_;
};

}  // namespace tolmek
