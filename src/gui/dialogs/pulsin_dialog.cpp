// TDialogPulsIn and TDialogSleep.
#include "gui/dialogs/pulsin_dialog.h"

#include <QLabel>
#include <QVBoxLayout>
#include <algorithm>

#include "components/pulsin.h"
#include "codegen/processors.h"
#include "components/sleep.h"
#include "model/project.h"

namespace tolmek {

namespace {

constexpr Caption kPulsIn[] = {
    {"", "Impuls Eingang", "Pulse input", "Ingresso impulsi"},
    {"RadioGroup1", "Eingang", "Input", "Ingresso"},
    {"CheckBox1", "negative Flanke", "negative edge", "fronte negativo"},
    {"LName", "Name", "Name", "Nome"},
};

constexpr Caption kSleep[] = {
    {"", "Sleep Info", "Sleep Info", "Info Sleep"},
    {"GroupBox1", "Wake-Up", "Wake-Up", "Wake-Up"},
    {"CheckBox1", " RB0", " RB0", " RB0"},
    {"CheckBox2", " RB4...7", " RB4...7", " RB4...7"},
};

}  // namespace

TDialogPulsIn::TDialogPulsIn(Messenger& messages, QWidget* parent) : KindDialog(messages, parent) {
  RadioGroup1 = new QGroupBox(this);
  RadioGroup1->setObjectName("RadioGroup1");
  auto* group = new QVBoxLayout(RadioGroup1);
  for (size_t i = 0; i < Inputs.size(); ++i) {
    Inputs[i] = new QRadioButton(QString(" RB.%1").arg(4 + i), RadioGroup1);
    Inputs[i]->setObjectName(QString("Input%1").arg(i));
    group->addWidget(Inputs[i]);
  }
  CheckBox1 = new QCheckBox(this);
  CheckBox1->setObjectName("CheckBox1");
  auto* nameLabel = new QLabel(this);
  nameLabel->setObjectName("LName");
  IName = new QLineEdit(this);
  IName->setObjectName("IName");
  IName->setMaxLength(int(kMaxNameLength));
  Body().addWidget(RadioGroup1);
  Body().addWidget(CheckBox1);
  Body().addWidget(nameLabel);
  Body().addWidget(IName);
  ApplyCaptions(kPulsIn);
}

void TDialogPulsIn::Load(const TObjPulsIn& input) {
  oldName_ = input.Name;
  IName->setText(QString::fromStdString(oldName_));
  Inputs[std::min<size_t>(input.PulseInput, 3)]->setChecked(true);
  CheckBox1->setChecked(input.NegativeEdge);
}

bool TDialogPulsIn::Validate() {
  auto name = TakeBlockName(*IName, "PI", oldName_);
  if (!name) return false;
  name_ = *name;
  return true;
}

void TDialogPulsIn::Apply(TObjPulsIn& input) const {
  uint8_t chosen = 0;
  for (size_t i = 0; i < Inputs.size(); ++i)
    if (Inputs[i]->isChecked()) chosen = uint8_t(i);
  input.SetName(name_);
  input.ApplySettings(chosen, CheckBox1->isChecked());
}

TDialogSleep::TDialogSleep(Messenger& messages, QWidget* parent) : KindDialog(messages, parent) {
  GroupBox1 = new QGroupBox(this);
  GroupBox1->setObjectName("GroupBox1");
  auto* group = new QVBoxLayout(GroupBox1);
  CheckBox1 = new QCheckBox(GroupBox1);
  CheckBox1->setObjectName("CheckBox1");
  CheckBox2 = new QCheckBox(GroupBox1);
  CheckBox2->setObjectName("CheckBox2");
  group->addWidget(CheckBox1);
  group->addWidget(CheckBox2);
  Body().addWidget(GroupBox1);
  ApplyCaptions(kSleep);
}

void TDialogSleep::Load(const TObjSleep& sleep) {
  CheckBox1->setChecked(sleep.WakeRB0);
  CheckBox2->setChecked(sleep.WakeRB47);
  const Project* p = sleep.GetProject();
  if (p && TObjSleep::PinChangeOnly(ProcessorPropertiesOf(p->Mcu.ProcessorType))) {
    CheckBox1->setChecked(false);
    CheckBox1->setEnabled(false);
    CheckBox2->setChecked(true);
    CheckBox2->setEnabled(false);
    CheckBox2->setText(" GP0,1,3");
  }
}

void TDialogSleep::Apply(TObjSleep& sleep) const {
  sleep.WakeRB0 = CheckBox1->isChecked();
  sleep.WakeRB47 = CheckBox2->isChecked();
}

}  // namespace tolmek
