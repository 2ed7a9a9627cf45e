// TDialogData8 and TDialogCall: the value of a data block, the table a table call reads, each with its width.
#include "gui/dialogs/data8_dialog.h"

#include <QGroupBox>
#include <QLabel>
#include <QVBoxLayout>

#include "components/call.h"
#include "components/data8.h"
#include "components/strigg8.h"

namespace tolmek {

namespace {

constexpr Caption kData8Captions[] = {
    {"", "Daten Info", "Data Info", "Info Dati"},
    {"LName", "Wert / Name", "Value / Name", "Valore / Nome"},
    {"RadioGroup1", "Typ", "Type", "Tipo"},
    {"Bits8", "8-Bit", "8-Bit", "8-Bit"},
    {"Bits16", "16-Bit", "16-Bit", "16-Bit"},
};

constexpr Caption kCallCaptions[] = {
    {"", "Call Info", "Call Info", "Info Call"},
    {"LCall", "Name des Unterprogrammes", "Name of the subroutine", "Nome della subroutine"},
    {"RadioGroup1", "Typ", "Type", "Tipo"},
    {"Bits8", " 8-Bit", " 8-Bit", " 8-Bit"},
    {"Bits16", " 16-Bit", " 16-Bit", " 16-Bit"},
};

// A name field above a "Typ" group of 8-Bit and 16-Bit.
void BuildForm(KindDialog& d, QVBoxLayout& body, const char* labelName, QLineEdit*& edit, const char* editName,
               QRadioButton*& bits8, QRadioButton*& bits16) {
  auto* label = new QLabel(&d);
  label->setObjectName(labelName);
  edit = new QLineEdit(&d);
  edit->setObjectName(editName);
  edit->setMaxLength(int(kMaxNameLength));
  auto* group = new QGroupBox(&d);
  group->setObjectName("RadioGroup1");
  auto* layout = new QVBoxLayout(group);
  bits8 = new QRadioButton(group);
  bits8->setObjectName("Bits8");
  bits16 = new QRadioButton(group);
  bits16->setObjectName("Bits16");
  layout->addWidget(bits8);
  layout->addWidget(bits16);
  bits8->setChecked(true);
  body.addWidget(label);
  body.addWidget(edit);
  body.addWidget(group);
}

}  // namespace

// ---- data block

TDialogData8::TDialogData8(Messenger& messages, QWidget* parent) : KindDialog(messages, parent) {
  BuildForm(*this, Body(), "LName", IName, "IName", Bits8, Bits16);
  ApplyCaptions(kData8Captions);
}

void TDialogData8::Load(const TObjData8& block) {
  oldName_ = block.Name;
  IName->setText(QString::fromStdString(block.Name));
  (block.Is16Bit() ? Bits16 : Bits8)->setChecked(true);
}

bool TDialogData8::Validate() {
  const std::string typed = IName->text().trimmed().toUpper().toStdString();
  const bool allDigits = !typed.empty() && typed.find_first_not_of("0123456789") == std::string::npos;
  if (allDigits) {
    // A constant must fit the block's width: 0..255 for 8 bits, 0..65535 for 16.
    const auto value = typed.size() <= 6 ? DecimalConstant(typed) : std::nullopt;
    if (!value || *value > (Bits16->isChecked() ? 65535 : 255)) {
      messages_.ShowMessage(Msg::ValueOutOfRange);
      IName->setText(QString::fromStdString(oldName_));
      return false;
    }
  } else if (typed.empty() || typed[0] < 'A' || typed[0] > 'Z') {
    messages_.ShowMessage(Msg::InvalidValue);
    IName->setText(QString::fromStdString(oldName_));
    return false;
  }
  name_ = typed;
  return true;
}

void TDialogData8::Apply(TObjData8& block) const {
  block.SetWidth16(Bits16->isChecked());
  block.SetName(name_);
}

// ---- table call

TDialogCall::TDialogCall(Messenger& messages, QWidget* parent) : KindDialog(messages, parent) {
  BuildForm(*this, Body(), "LCall", ICall, "ICall", Bits8, Bits16);
  ApplyCaptions(kCallCaptions);
}

void TDialogCall::Load(const TObjCall& call) {
  oldName_ = call.Name;
  ICall->setText(QString::fromStdString(call.Name));
  (call.Is16Bit() ? Bits16 : Bits8)->setChecked(true);
}

bool TDialogCall::Validate() {
  const std::string typed = ICall->text().trimmed().toUpper().toStdString();
  if (typed.empty() || typed[0] < 'A' || typed[0] > 'Z') {
    messages_.ShowMessage(Msg::InvalidName);
    ICall->setText(QString::fromStdString(oldName_));
    return false;
  }
  name_ = typed;
  return true;
}

void TDialogCall::Apply(TObjCall& call) const {
  call.SetName(name_);
  call.SetWidth16(Bits16->isChecked());
}

}  // namespace tolmek
