// TDialogPulsIn ("Impuls Eingang") and TDialogSleep ("Sleep Info"): the blocks of the port-B interrupts.
#pragma once

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <array>

#include "gui/dialogs/kind_dialog.h"
#include "model/element.h"

namespace tolmek {

class TObjPulsIn;
class TObjSleep;

class TDialogPulsIn final : public KindDialog {
  Q_OBJECT

 public:
  TDialogPulsIn(Messenger& messages, QWidget* parent);
  void Load(const TObjPulsIn& input);
  void Apply(TObjPulsIn& input) const;

  QGroupBox* RadioGroup1;  // "Eingang"
  std::array<QRadioButton*, 4> Inputs{};
  QCheckBox* CheckBox1;  // "negative Flanke"
  QLineEdit* IName;

 protected:
  bool Validate() override;

 private:
  std::string oldName_, name_;
};

class TDialogSleep final : public KindDialog {
  Q_OBJECT

 public:
  TDialogSleep(Messenger& messages, QWidget* parent);
  // The GPIO parts (processor types 30..37) wake by pin change only: " RB0" cleared and disabled, the other
  // box ticked, disabled and captioned " GP0,1,3".
  void Load(const TObjSleep& sleep);
  void Apply(TObjSleep& sleep) const;

  QGroupBox* GroupBox1;  // "Wake-Up"
  QCheckBox* CheckBox1;  // " RB0"
  QCheckBox* CheckBox2;  // " RB4...7"

 protected:
  bool Validate() override { return true; }
};

}  // namespace tolmek
