// TDialogGND: GND or VCC, and the side the pin points to.
#include "gui/dialogs/gnd_dialog.h"

#include <QGroupBox>
#include <QVBoxLayout>

namespace tolmek {

namespace {

constexpr Caption kCaptions[] = {
    {"", "GND und Vcc", "GND and Vcc", "GND e Vcc"},
    {"RadioGroup1", "Typ", "Type", "Tipo"},
    {"RadioGroup2", "Ausrichtung", "Orientation", "Orientamento"},
    {"Right", "Rechts", "Right", "Destra"},
    {"Left", "Links", "Left", "Sinistra"},
};

QRadioButton* AddChoice(QGroupBox* group, const char* name, const char* text) {
  auto* b = new QRadioButton(QString::fromUtf8(text), group);
  b->setObjectName(name);
  group->layout()->addWidget(b);
  return b;
}

}  // namespace

TDialogGND::TDialogGND(Messenger& messages, QWidget* parent) : KindDialog(messages, parent) {
  auto* type = new QGroupBox(this);
  type->setObjectName("RadioGroup1");
  new QVBoxLayout(type);
  Gnd = AddChoice(type, "Gnd", "GND");
  Vcc = AddChoice(type, "Vcc", "VCC");
  auto* side = new QGroupBox(this);
  side->setObjectName("RadioGroup2");
  new QVBoxLayout(side);
  Right = AddChoice(side, "Right", "Rechts");
  Left = AddChoice(side, "Left", "Links");
  Body().addWidget(type);
  Body().addWidget(side);
  ApplyCaptions(kCaptions);
}

void TDialogGND::Load(const TObjGnd& supply) {
  (supply.SupplyMode == TObjGnd::kVcc ? Vcc : Gnd)->setChecked(true);
  (supply.Pin().Side == 1 ? Right : Left)->setChecked(true);
}

void TDialogGND::Apply(TObjGnd& supply) const {
  supply.SetSupply(Vcc->isChecked() ? TObjGnd::kVcc : TObjGnd::kGnd, Right->isChecked());
}

}  // namespace tolmek
