// TDialogPulsOut.
#include "gui/dialogs/pulsout_dialog.h"

#include <QVBoxLayout>

#include "components/pulsout.h"
#include "model/project.h"

namespace tolmek {

namespace {

constexpr Caption kCaptions[] = {
    {"", "Impuls, PWM Info", "Pulse, PWM Info", "Info impulso, PWM"},
    {"LName", "Name", "Name", "Nome"},
    {"RadioGroup1", "Typ", "Type", "Tipo"},
    {"Pulse", " Impuls", " Pulse", " Impulso"},
    {"Pwm", " Hardware-PWM", " Hardware-PWM", " Hardware-PWM"},
    {"RadioGroup2", "Ausgang", "Output", "Uscita"},
};

}  // namespace

TDialogPulsOut::TDialogPulsOut(Messenger& messages, QWidget* parent) : KindDialog(messages, parent) {
  auto* nameLabel = new QLabel(this);
  nameLabel->setObjectName("LName");
  IName = new QLineEdit(this);
  IName->setObjectName("IName");
  IName->setMaxLength(kMaxName);
  RadioGroup1 = new QGroupBox(this);
  RadioGroup1->setObjectName("RadioGroup1");
  auto* types = new QVBoxLayout(RadioGroup1);
  Pulse = new QRadioButton(RadioGroup1);
  Pulse->setObjectName("Pulse");
  Pwm = new QRadioButton(RadioGroup1);
  Pwm->setObjectName("Pwm");
  types->addWidget(Pulse);
  types->addWidget(Pwm);
  RadioGroup2 = new QGroupBox(this);
  RadioGroup2->setObjectName("RadioGroup2");
  auto* outputs = new QVBoxLayout(RadioGroup2);
  FixedOutput = new QLabel(RadioGroup2);
  FixedOutput->setObjectName("FixedOutput");
  OutputRC1 = new QRadioButton("RC.1", RadioGroup2);
  OutputRC1->setObjectName("OutputRC1");
  OutputRC2 = new QRadioButton("RC.2", RadioGroup2);
  OutputRC2->setObjectName("OutputRC2");
  outputs->addWidget(FixedOutput);
  outputs->addWidget(OutputRC1);
  outputs->addWidget(OutputRC2);
  Body().addWidget(nameLabel);
  Body().addWidget(IName);
  Body().addWidget(RadioGroup1);
  Body().addWidget(RadioGroup2);
  ApplyCaptions(kCaptions);
  connect(Pwm, &QRadioButton::toggled, this, [this] { TypeChanged(); });
}

void TDialogPulsOut::Load(const TObjPulsOut& block) {
  const Project* p = block.GetProject();
  props_ = ProcessorPropertiesOf(p ? p->Mcu.ProcessorType : 0);
  oldName_ = block.Name;
  IName->setText(QString::fromStdString(oldName_));
  const int ccps = props_.CcpCount();
  (block.IsPwm() && ccps > 0 ? Pwm : Pulse)->setChecked(true);
  RadioGroup1->setEnabled(ccps > 0);
  OutputRC1->setVisible(ccps == 2);
  OutputRC2->setVisible(ccps == 2);
  FixedOutput->setVisible(ccps < 2);
  if (ccps == 0) FixedOutput->setText("PWM nicht verfügbar");
  if (ccps == 1) FixedOutput->setText(QString::fromUtf8(props_.CcpPins[0].data(), int(props_.CcpPins[0].size())));
  // The first entry is RC.1, CCP2.
  (block.Ccp() == 2 ? OutputRC1 : OutputRC2)->setChecked(true);
  TypeChanged();
}

void TDialogPulsOut::TypeChanged() { RadioGroup2->setEnabled(Pwm->isChecked() && props_.CcpCount() > 0); }

bool TDialogPulsOut::Validate() {
  auto name = TakeBlockName(*IName, "PO", oldName_);
  if (!name) return false;
  name_ = *name;
  return true;
}

void TDialogPulsOut::Apply(TObjPulsOut& block) const {
  block.SetName(name_);
  const uint8_t ccp = props_.CcpCount() == 2 && OutputRC1->isChecked() ? 2 : 1;
  block.ApplySettings(Pwm->isChecked() ? TObjPulsOut::kPwm : TObjPulsOut::kPulse, ccp, props_);
}

}  // namespace tolmek
