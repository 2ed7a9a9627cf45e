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

// ---- what both share

ChannelCountDialog::ChannelCountDialog(Messenger& messages, QWidget* parent, const char* first, const char* second)
    : KindDialog(messages, parent) {
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
  first_ = Radio(function, first);
  second_ = Radio(function, second);
  for (QWidget* w : std::initializer_list<QWidget*>{nameLabel, IName, LAnzahl, IAnzahl, function}) Body().addWidget(w);
  first_->setChecked(true);
}

void ChannelCountDialog::LoadNameAndCount(const std::string& name, int count, bool second) {
  oldName_ = name;
  oldCount_ = count;
  IName->setText(QString::fromStdString(name));
  IAnzahl->setText(QString::number(count));
  (second ? second_ : first_)->setChecked(true);
}

bool ChannelCountDialog::ValidateNameAndCount(const char* prefix, int lo, int hi, Msg inputs, Msg outputs) {
  auto name = TakeBlockName(*IName, prefix, oldName_);
  if (!name) return false;
  if (!CountIn(*IAnzahl, lo, hi, count_)) {
    messages_.ShowMessage(second_->isChecked() ? outputs : inputs);
    IAnzahl->setText(QString::number(oldCount_));
    return false;
  }
  name_ = *name;
  return true;
}

// ---- multiplexer

TDialogMux::TDialogMux(Messenger& messages, QWidget* parent)
    : ChannelCountDialog(messages, parent, "NToOne", "OneToN"), NToOne(first_), OneToN(second_) {
  QGroupBox* type = Group(this, "RadioGroup2");
  Bits8 = Radio(type, "Bits8");
  Bits16 = Radio(type, "Bits16");
  Body().addWidget(type);
  Bits8->setChecked(true);
  ApplyCaptions(kMuxCaptions);
  FollowFunction();
  connect(NToOne, &QRadioButton::toggled, this, &TDialogMux::FollowFunction);
}

void TDialogMux::FollowFunction() { ApplyCaptions(OneToN->isChecked() ? kMuxOutputs : kMuxInputs); }

void TDialogMux::Load(const TObjMux& mux) {
  LoadNameAndCount(mux.Name, mux.InputCount, mux.OneToN());
  (mux.Is16Bit() ? Bits16 : Bits8)->setChecked(true);
  FollowFunction();
}

bool TDialogMux::Validate() {
  return ValidateNameAndCount("MX", 2, TObjMux::kChannels, Msg::InputsTwoTo8, Msg::OutputsTwoTo8);
}

void TDialogMux::Apply(TObjMux& mux) const {
  mux.SetName(name_);
  mux.Configure(OneToN->isChecked() ? TObjMux::kOneToN : TObjMux::kNToOne, Bits16->isChecked(), count_);
}

// ---- distributor

TDialogBV::TDialogBV(Messenger& messages, QWidget* parent)
    : ChannelCountDialog(messages, parent, "BitToByte", "ByteToBit"), BitToByte(first_), ByteToBit(second_) {
  ApplyCaptions(kBvCaptions);
  FollowFunction();
  connect(BitToByte, &QRadioButton::toggled, this, &TDialogBV::FollowFunction);
}

void TDialogBV::FollowFunction() { ApplyCaptions(ByteToBit->isChecked() ? kBvOutputs : kBvInputs); }

void TDialogBV::Load(const TObjBv& bv) {
  LoadNameAndCount(bv.Name, bv.BitCount, bv.ByteToBit());
  FollowFunction();
}

bool TDialogBV::Validate() {
  return ValidateNameAndCount("BV", 1, TObjBv::kBits, Msg::InputsOneTo16, Msg::OutputsOneTo16);
}

void TDialogBV::Apply(TObjBv& bv) const {
  bv.SetName(name_);
  bv.Configure(ByteToBit->isChecked() ? TObjBv::kByteToBit : TObjBv::kBitToByte, count_);
}

}  // namespace tolmek
