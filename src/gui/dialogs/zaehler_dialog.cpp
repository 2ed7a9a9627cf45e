// The dialogs of the counter, the shift register and the up/down counter.
#include "gui/dialogs/zaehler_dialog.h"

#include <QVBoxLayout>
#include <algorithm>

#include "components/count_block.h"
#include "components/vrzaehl.h"

namespace tolmek {

namespace {

constexpr Caption kCommon[] = {
    {"LName", "Name", "Name", "Nome"},
    {"LAnzahl", "Anzahl der Ausgänge (1 - 8)", "number of outputs (1 - 8)", "Numero uscite (1- 8)"},
};
constexpr Caption kCounter[] = {{"", "Zähler Info", "Counter Info", "Info Contatore"}};
constexpr Caption kShiftRegister[] = {{"", "Schieberegister Info", "Shift register Info", "Info Registro a scorrimento"}};

constexpr Caption kUpDown[] = {
    {"", "Zähler Info", "Counter Info", "Info Contatore"},
    {"LName", "Name", "Name", "Nome"},
    {"RadioGroup1", "Typ", "Type", "Tipo"},
    {"Type0", "8-Bit Zähler", "8-bit counter", "Contatore 8 bit"},
    {"Type1", "16-Bit Zähler", "16-bit counter", "Contatore 16 bit"},
};
constexpr const char* kOutputsWord[] = {"Ausgänge", "Outputs", "Uscite"};

QLineEdit* NameEdit(QWidget* parent, const char* objectName) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(objectName);
  edit->setMaxLength(int(kMaxNameLength));
  return edit;
}

}  // namespace

TDialogZaehler::TDialogZaehler(Use use, Messenger& messages, QWidget* parent)
    : KindDialog(messages, parent), use_(use) {
  auto* nameLabel = new QLabel(this);
  nameLabel->setObjectName("LName");
  IName = NameEdit(this, "IName");
  auto* countLabel = new QLabel(this);
  countLabel->setObjectName("LAnzahl");
  IAnzahl = new QLineEdit(this);
  IAnzahl->setObjectName("IAnzahl");
  for (QWidget* w : std::initializer_list<QWidget*>{nameLabel, IName, countLabel, IAnzahl}) Body().addWidget(w);
  ApplyCaptions(kCommon);
  ApplyCaptions(use == Use::Counter ? std::span<const Caption>(kCounter) : std::span<const Caption>(kShiftRegister));
}

void TDialogZaehler::Load(const TCountBlock& block) {
  oldName_ = block.Name;
  IName->setText(QString::fromStdString(block.Name));
  IAnzahl->setText(QString::number(block.ActiveOutputs()));
}

bool TDialogZaehler::Validate() {
  auto name = CheckBlockName(IName->text(), use_ == Use::Counter ? "ZR" : "SR");
  if (!name) {
    messages_.ShowMessage(Msg::InvalidName);
    IName->setText(QString::fromStdString(oldName_));
    return false;
  }
  bool number = false;
  const int count = IAnzahl->text().trimmed().toInt(&number);
  if (!number || count < 1 || count > 8) {
    messages_.ShowMessage(Msg::OutputsOneTo8);
    IAnzahl->setText("1");
    return false;
  }
  name_ = *name;
  count_ = count;
  return true;
}

void TDialogZaehler::Apply(TCountBlock& block) const {
  block.SetName(name_);
  block.SetOutputCount(count_);
}

TDialogVRZaehler::TDialogVRZaehler(Messenger& messages, QWidget* parent) : KindDialog(messages, parent) {
  auto* nameLabel = new QLabel(this);
  nameLabel->setObjectName("LName");
  Edit1 = NameEdit(this, "Edit1");
  Label2 = new QLabel(this);
  Label2->setObjectName("Label2");
  Edit2 = new QLineEdit(this);
  Edit2->setObjectName("Edit2");
  RadioGroup1 = new QGroupBox(this);
  RadioGroup1->setObjectName("RadioGroup1");
  auto* layout = new QVBoxLayout(RadioGroup1);
  for (size_t i = 0; i < Type.size(); ++i) {
    Type[i] = new QRadioButton(RadioGroup1);
    Type[i]->setObjectName(QString("Type") + QString::number(i));
    layout->addWidget(Type[i]);
    connect(Type[i], &QRadioButton::toggled, this, [this] { ShowRange(); });
  }
  for (QWidget* w : std::initializer_list<QWidget*>{nameLabel, Edit1, Label2, Edit2, RadioGroup1}) Body().addWidget(w);
  ApplyCaptions(kUpDown);
  Type[0]->setChecked(true);
  ShowRange();
}

void TDialogVRZaehler::ShowRange() {
  const int lang = std::clamp(int(Lang()), 1, 3) - 1;
  Label2->setText(QString("%1 (0 - %2)").arg(QString::fromUtf8(kOutputsWord[lang])).arg(Type[1]->isChecked() ? 16 : 8));
}

void TDialogVRZaehler::Load(const TObjVrzaehl& counter) {
  oldName_ = counter.Name;
  Edit1->setText(QString::fromStdString(counter.Name));
  Edit2->setText(QString::number(counter.ActiveOutputs()));
  Type[counter.Wide() ? 1 : 0]->setChecked(true);
  ShowRange();
}

bool TDialogVRZaehler::Validate() {
  auto name = TakeBlockName(*Edit1, "ZV", oldName_);
  if (!name) return false;
  bool number = false;
  const int count = Edit2->text().trimmed().toInt(&number);
  if (!number) {
    messages_.ShowMessage(Msg::AtOutputs);
    return false;
  }
  const bool wide = Type[1]->isChecked();
  if (count < 0 || count > (wide ? 16 : 8)) {
    messages_.ShowMessage(wide ? Msg::OutputsZeroTo16 : Msg::OutputsZeroTo8);
    Edit2->setText("0");
    return false;
  }
  name_ = *name;
  count_ = count;
  return true;
}

void TDialogVRZaehler::Apply(TObjVrzaehl& counter) const {
  counter.SetName(name_);
  counter.SetWidth16(Type[1]->isChecked());
  counter.SetOutputCount(count_);
}

}  // namespace tolmek
