// TDialogRSFF: the name of an RS flip-flop, or name and value width of a Schmitt trigger.
#include "gui/dialogs/rsff_dialog.h"

#include <QLabel>
#include <QVBoxLayout>

#include "components/rsff.h"
#include "components/strigg8.h"

namespace tolmek {

namespace {

constexpr Caption kCommon[] = {
    {"LName", "Name", "Name", "Nome"},
    {"RadioGroup1", "Eingänge", "Inputs", "Ingressi"},
    {"Bits8", " 8-Bit", " 8-Bit", " 8-Bit"},
    {"Bits16", " 16-Bit", " 16-Bit", " 16-Bit"},
};
constexpr Caption kFlipFlop[] = {{"", "Flip-Flop Info", "Flip-Flop Info", "Info Flip-Flop"}};
constexpr Caption kTrigger[] = {{"", "Schmitt-Trigger Info", "Schmitt-Trigger Info", "Info Schmitt-Trigger"}};

}  // namespace

TDialogRSFF::TDialogRSFF(Use use, Messenger& messages, QWidget* parent) : KindDialog(messages, parent), use_(use) {
  auto* nameLabel = new QLabel(this);
  nameLabel->setObjectName("LName");
  IName = new QLineEdit(this);
  IName->setObjectName("IName");
  IName->setMaxLength(int(kMaxNameLength));
  RadioGroup1 = new QGroupBox(this);
  RadioGroup1->setObjectName("RadioGroup1");
  auto* groupLayout = new QVBoxLayout(RadioGroup1);
  Bits8 = new QRadioButton(RadioGroup1);
  Bits8->setObjectName("Bits8");
  Bits16 = new QRadioButton(RadioGroup1);
  Bits16->setObjectName("Bits16");
  groupLayout->addWidget(Bits8);
  groupLayout->addWidget(Bits16);
  Body().addWidget(nameLabel);
  Body().addWidget(IName);
  Body().addWidget(RadioGroup1);
  RadioGroup1->setVisible(use == Use::SchmittTrigger);
  ApplyCaptions(kCommon);
  ApplyCaptions(use == Use::FlipFlop ? std::span<const Caption>(kFlipFlop) : std::span<const Caption>(kTrigger));
}

void TDialogRSFF::Load(const TObjRsff& flipFlop) {
  oldName_ = flipFlop.Name;
  IName->setText(QString::fromStdString(oldName_));
}

void TDialogRSFF::Load(const TObjStrigg8& trigger) {
  oldName_ = trigger.Name;
  IName->setText(QString::fromStdString(oldName_));
  (trigger.Is16Bit() ? Bits16 : Bits8)->setChecked(true);
}

bool TDialogRSFF::Validate() {
  auto name = CheckBlockName(IName->text(), use_ == Use::FlipFlop ? "RS1" : "ST");
  if (!name) {
    messages_.ShowMessage(Msg::InvalidName);
    IName->setText(QString::fromStdString(oldName_));
    return false;
  }
  name_ = *name;
  return true;
}

void TDialogRSFF::Apply(TObjRsff& flipFlop) const { flipFlop.SetName(name_); }

void TDialogRSFF::Apply(TObjStrigg8& trigger) const {
  trigger.SetName(name_);
  trigger.SetWidth16(Bits16->isChecked());
}

}  // namespace tolmek
