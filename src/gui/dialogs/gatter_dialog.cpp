// TDialogGatter: a gate's name, number of inputs and type.
#include "gui/dialogs/gatter_dialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

namespace tolmek {

namespace {

constexpr Caption kCaptions[] = {
    {"", "Gatter Info", "Gate Info", "Operatori Booleani"},
    {"LName", "Name", "Name", "Nome"},
    {"LAnzahl", "Anzahl der Eingänge (1 - 16)", "Number of inputs (1 - 16)", "Specificare gli imputs (1- 16 )"},
    {"RadioGroup1", "Typ", "Type", "Operatore"},
    {"RadioGroup1_0", " &UND-Gatter", " &AND-Gate", " &AND-gate"},
    {"RadioGroup1_1", " &Oder-Gatter", " &OR-Gate", " &OR-gate"},
    {"RadioGroup1_2", " E&xklusiv-Oder-Gatter", " E&xOR-Gate", " E&XOR-gate (esclusivo)"},
};

}  // namespace

TDialogGatter::TDialogGatter(Messenger& messages, QWidget* parent) : KindDialog(messages, parent) {
  auto* nameLabel = new QLabel(this);
  nameLabel->setObjectName("LName");
  IName = new QLineEdit(this);
  IName->setObjectName("IName");
  IName->setMaxLength(int(kMaxNameLength));
  auto* countLabel = new QLabel(this);
  countLabel->setObjectName("LAnzahl");
  IAnzahl = new QLineEdit(this);
  IAnzahl->setObjectName("IAnzahl");
  auto* group = new QGroupBox(this);
  group->setObjectName("RadioGroup1");
  auto* groupLayout = new QVBoxLayout(group);
  for (size_t i = 0; i < RadioGroup1.size(); ++i) {
    RadioGroup1[i] = new QRadioButton(group);
    RadioGroup1[i]->setObjectName(QString("RadioGroup1_%1").arg(i));
    groupLayout->addWidget(RadioGroup1[i]);
  }
  for (QWidget* w : std::initializer_list<QWidget*>{nameLabel, IName, countLabel, IAnzahl, group}) Body().addWidget(w);
  ApplyCaptions(kCaptions);
}

void TDialogGatter::Load(const TObjGatter& gate) {
  oldName_ = gate.Name;
  oldCount_ = gate.InputCount;
  IName->setText(QString::fromStdString(gate.Name));
  IAnzahl->setText(QString::number(gate.InputCount));
  RadioGroup1[std::min<size_t>(gate.GateType, 2)]->setChecked(true);
}

bool TDialogGatter::Validate() {
  auto name = TakeBlockName(*IName, "LG", oldName_);
  if (!name) return false;
  bool number = false;
  int count = IAnzahl->text().trimmed().toInt(&number);
  if (!number || count < 1 || count > TObjGatter::kMaxInputs) {
    messages_.ShowMessage(Msg::InputsOneTo16);
    IAnzahl->setText(QString::number(oldCount_));
    return false;
  }
  name_ = *name;
  count_ = count;
  return true;
}

void TDialogGatter::Apply(TObjGatter& gate) const {
  gate.SetName(name_);
  uint8_t type = RadioGroup1[2]->isChecked() ? TObjGatter::ExclusiveOr
                 : RadioGroup1[1]->isChecked() ? TObjGatter::Or
                                               : TObjGatter::And;
  gate.ApplySettings(type, count_);
}

}  // namespace tolmek
