// TDialogMux and TDialogBV: name, count and function of a multiplexer or a bit/byte distributor.
#include "gui/dialogs/mux_dialog.h"

#include <QVBoxLayout>

#include "components/bv.h"
#include "components/mux.h"

namespace tolmek {

namespace {

constexpr Caption kMuxCaptions[] = {
    {"", "Multiplexer Info", "Multiplexer Info", "Info Multiplexer"},
    {"LName", "Name", "Name", "Nome"},
    {"RadioGroup1", "Funktion", "Function", "Funzione"},
    {"NToOne", "n zu 1", "n to 1", "n a 1"},
    {"OneToN", "1 zu n", "1 to n", "1 a n"},
    {"RadioGroup2", "Typ", "Type", "Tipo"},
    {"Bits8", " 8-Bit", " 8-Bit", " 8-Bit"},
    {"Bits16", " 16-Bit", " 16-Bit", " 16-Bit"},
};
constexpr Caption kMuxInputs[] = {
    {"LAnzahl", "Anzahl der Eingänge (2-8)", "Number of inputs (2-8)", "Numero degli ingressi (2-8)"}};
constexpr Caption kMuxOutputs[] = {
    {"LAnzahl", "Anzahl der Ausgänge (2-8)", "Number of outputs (2-8)", "Numero delle uscite (2-8)"}};

constexpr Caption kBvCaptions[] = {
    {"", "Verteiler Info", "Distributor Info", "Info Distributore"},
    {"LName", "Name", "Name", "Nome"},
    {"RadioGroup1", "Funktion", "Function", "Funzione"},
    {"BitToByte", "Bit -> Byte", "Bit -> Byte", "Bit -> Byte"},
    {"ByteToBit", "Byte -> Bit", "Byte -> Bit", "Byte -> Bit"},
};
constexpr Caption kBvInputs[] = {
    {"LAnzahl", "Anzahl der Eingänge (1-16)", "Number of inputs (1-16)", "Numero degli ingressi (1-16)"}};
constexpr Caption kBvOutputs[] = {
    {"LAnzahl", "Anzahl der Ausgänge (1-16)", "Number of outputs (1-16)", "Numero delle uscite (1-16)"}};

QRadioButton* Radio(QGroupBox* group, const char* name) {
  auto* r = new QRadioButton(group);
  r->setObjectName(name);
  group->layout()->addWidget(r);
  return r;
}

QGroupBox* Group(QWidget* parent, const char* name) {
  auto* g = new QGroupBox(parent);
  g->setObjectName(name);
  new QVBoxLayout(g);
  return g;
}

// A whole number lo..hi, typed.
bool CountIn(const QLineEdit& edit, int lo, int hi, int& out) {
  bool number = false;
  const int n = edit.text().trimmed().toInt(&number);
  if (!number || n < lo || n > hi) return false;
  out = n;
  return true;
}

}  // namespace

// ---- multiplexer

TDialogMux::TDialogMux(Messenger& messages, QWidget* parent) : KindDialog(messages, parent) {
  auto* nameLabel = new QLabel(this);
  nameLabel->setObjectName("LName");
  IName = new QLineEdit(this);
  IName->setObjectName("IName");
  IName->setMaxLength(int(kMaxNameLength));
  LAnzahl = new QLabel(this);
  LAnzahl->setObjectName("LAnzahl");
  IAnzahl = new QLineEdit(this);
  IAnzahl->setObjectName("IAnzahl");
  QGroupBox* function = Group(this, "RadioGroup1");
  NToOne = Radio(function, "NToOne");
  OneToN = Radio(function, "OneToN");
  QGroupBox* type = Group(this, "RadioGroup2");
  Bits8 = Radio(type, "Bits8");
  Bits16 = Radio(type, "Bits16");
  for (QWidget* w : std::initializer_list<QWidget*>{nameLabel, IName, LAnzahl, IAnzahl, function, type})
    Body().addWidget(w);
  NToOne->setChecked(true);
  Bits8->setChecked(true);
  ApplyCaptions(kMuxCaptions);
  FollowFunction();
  connect(NToOne, &QRadioButton::toggled, this, &TDialogMux::FollowFunction);
}

void TDialogMux::FollowFunction() { ApplyCaptions(OneToN->isChecked() ? kMuxOutputs : kMuxInputs); }

void TDialogMux::Load(const TObjMux& mux) {
  oldName_ = mux.Name;
  oldCount_ = mux.InputCount;
  IName->setText(QString::fromStdString(mux.Name));
  IAnzahl->setText(QString::number(mux.InputCount));
  (mux.OneToN() ? OneToN : NToOne)->setChecked(true);
  (mux.Is16Bit() ? Bits16 : Bits8)->setChecked(true);
  FollowFunction();
}

bool TDialogMux::Validate() {
  auto name = CheckBlockName(IName->text(), "MX");
  if (!name) {
    messages_.ShowMessage(Msg::InvalidName);
    IName->setText(QString::fromStdString(oldName_));
    return false;
  }
  if (!CountIn(*IAnzahl, 2, TObjMux::kChannels, count_)) {
    messages_.ShowMessage(OneToN->isChecked() ? Msg::OutputsTwoTo8 : Msg::InputsTwoTo8);
    IAnzahl->setText(QString::number(oldCount_));
    return false;
  }
  name_ = *name;
  return true;
}

void TDialogMux::Apply(TObjMux& mux) const {
  mux.SetName(name_);
  mux.Configure(OneToN->isChecked() ? TObjMux::kOneToN : TObjMux::kNToOne, Bits16->isChecked(), count_);
}

// ---- distributor

TDialogBV::TDialogBV(Messenger& messages, QWidget* parent) : KindDialog(messages, parent) {
  auto* nameLabel = new QLabel(this);
  nameLabel->setObjectName("LName");
  IName = new QLineEdit(this);
  IName->setObjectName("IName");
  IName->setMaxLength(int(kMaxNameLength));
  LAnzahl = new QLabel(this);
  LAnzahl->setObjectName("LAnzahl");
  IAnzahl = new QLineEdit(this);
  IAnzahl->setObjectName("IAnzahl");
  QGroupBox* function = Group(this, "RadioGroup1");
  BitToByte = Radio(function, "BitToByte");
  ByteToBit = Radio(function, "ByteToBit");
  for (QWidget* w : std::initializer_list<QWidget*>{nameLabel, IName, LAnzahl, IAnzahl, function}) Body().addWidget(w);
  BitToByte->setChecked(true);
  ApplyCaptions(kBvCaptions);
  FollowFunction();
  connect(BitToByte, &QRadioButton::toggled, this, &TDialogBV::FollowFunction);
}

void TDialogBV::FollowFunction() { ApplyCaptions(ByteToBit->isChecked() ? kBvOutputs : kBvInputs); }

void TDialogBV::Load(const TObjBv& bv) {
  oldName_ = bv.Name;
  oldCount_ = bv.BitCount;
  IName->setText(QString::fromStdString(bv.Name));
  IAnzahl->setText(QString::number(bv.BitCount));
  (bv.ByteToBit() ? ByteToBit : BitToByte)->setChecked(true);
  FollowFunction();
}

bool TDialogBV::Validate() {
  auto name = CheckBlockName(IName->text(), "BV");
  if (!name) {
    messages_.ShowMessage(Msg::InvalidName);
    IName->setText(QString::fromStdString(oldName_));
    return false;
  }
  if (!CountIn(*IAnzahl, 1, TObjBv::kBits, count_)) {
    messages_.ShowMessage(ByteToBit->isChecked() ? Msg::OutputsOneTo16 : Msg::InputsOneTo16);
    IAnzahl->setText(QString::number(oldCount_));
    return false;
  }
  name_ = *name;
  return true;
}

void TDialogBV::Apply(TObjBv& bv) const {
  bv.SetName(name_);
  bv.Configure(ByteToBit->isChecked() ? TObjBv::kByteToBit : TObjBv::kBitToByte, count_);
}

}  // namespace tolmek
