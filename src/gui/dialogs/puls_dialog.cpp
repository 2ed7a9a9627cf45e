// TDialogPuls: a mono-flop's name, length (milliseconds or a variable counting ticks) and function.
#include "gui/dialogs/puls_dialog.h"

#include <QVBoxLayout>
#include <algorithm>

#include "components/puls.h"
#include "components/time_base.h"
#include "model/project.h"

namespace tolmek {

namespace {

constexpr Caption kCaptions[] = {
    {"", "Mono-Flop Info", "Mono-Flop Info", "Mono-Flop Info"},
    {"LName", "Name", "Name", "Nome"},
    {"LHint", "oder Variable (Länge in Zeitbasis-Takten zu 256 Befehlszyklen)",
     "or variable (length in time-base ticks of 256 instruction cycles)",
     "o variabile (lunghezza in impulsi della base tempi da 256 cicli)"},
    {"RadioGroup1", "Verzögerung", "Delay", "Ritardo"},
    {"DelayKind0", " Anzug", " On-delay", " All'eccitazione"},
    {"DelayKind1", " Abfall", " Drop-out delay", " Alla diseccitazione"},
    {"RadioGroup2", "Funktion", "Function", "Funzione"},
    {"Function0", " Mono-Flop", " Mono-flop", " Monostabile"},
    {"Function1", " Verzögerung", " Delay", " Ritardo"},
    {"IRetrigger", " Retriggerbar", " Retriggerable", " Riattivabile"},
};

constexpr const char* kLengthWord[] = {"Impulslänge", "Pulse length", "Lunghezza impulso"};

QGroupBox* RadioPair(QWidget* parent, const char* group, const char* item, std::array<QRadioButton*, 2>& buttons) {
  auto* box = new QGroupBox(parent);
  box->setObjectName(group);
  auto* layout = new QVBoxLayout(box);
  for (size_t i = 0; i < buttons.size(); ++i) {
    buttons[i] = new QRadioButton(box);
    buttons[i]->setObjectName(QString::fromLatin1(item) + QString::number(i));
    layout->addWidget(buttons[i]);
  }
  return box;
}

}  // namespace

TDialogPuls::TDialogPuls(Messenger& messages, QWidget* parent) : KindDialog(messages, parent) {
  auto* nameLabel = new QLabel(this);
  nameLabel->setObjectName("LName");
  IName = new QLineEdit(this);
  IName->setObjectName("IName");
  IName->setMaxLength(int(kMaxNameLength));
  Label2 = new QLabel(this);
  Label2->setObjectName("Label2");
  ILaenge = new QLineEdit(this);
  ILaenge->setObjectName("ILaenge");
  ILaenge->setMaxLength(int(kMaxNameLength));
  auto* hint = new QLabel(this);
  hint->setObjectName("LHint");
  hint->setWordWrap(true);
  RadioGroup2 = RadioPair(this, "RadioGroup2", "Function", Function);
  RadioGroup1 = RadioPair(this, "RadioGroup1", "DelayKind", DelayKind);
  GroupBox1 = new QGroupBox(this);
  GroupBox1->setObjectName("GroupBox1");
  auto* retriggerLayout = new QVBoxLayout(GroupBox1);
  IRetrigger = new QCheckBox(GroupBox1);
  IRetrigger->setObjectName("IRetrigger");
  retriggerLayout->addWidget(IRetrigger);
  for (QWidget* w : std::initializer_list<QWidget*>{nameLabel, IName, Label2, ILaenge, hint, RadioGroup2,
                                                     RadioGroup1, GroupBox1})
    Body().addWidget(w);
  ApplyCaptions(kCaptions);
  Function[0]->setChecked(true);
  DelayKind[0]->setChecked(true);
  for (QRadioButton* b : Function) connect(b, &QRadioButton::toggled, this, [this] { ShowFunction(); });
  SetRange(4000000);
  ShowFunction();
}

void TDialogPuls::ShowFunction() {
  const bool delay = Function[1]->isChecked();
  RadioGroup1->setVisible(delay);
  GroupBox1->setVisible(!delay);
}

void TDialogPuls::SetRange(double clockHz) {
  min_ = kMinPulseLength;
  max_ = MaxPulseLength(clockHz);
  const int lang = std::clamp(int(Lang()), 1, 3) - 1;
  Label2->setText(QString("%1 (%2-%3ms)").arg(QString::fromUtf8(kLengthWord[lang])).arg(min_).arg(max_));
}

void TDialogPuls::Load(const TObjPuls& puls) {
  const Project* p = puls.GetProject();
  SetRange(p ? p->Mcu.ClockHz : 4000000);
  oldName_ = puls.Name;
  IName->setText(QString::fromStdString(puls.Name));
  oldLength_ = puls.Length == 0 && !puls.LengthName.empty() ? QString::fromStdString(puls.LengthName)
                                                            : QString::number(puls.Length);
  ILaenge->setText(oldLength_);
  Function[puls.DelayFunction ? 1 : 0]->setChecked(true);
  DelayKind[puls.DelayKind == TObjPuls::DropOutDelay ? 1 : 0]->setChecked(true);
  IRetrigger->setChecked(puls.Retrigger);
  ShowFunction();
}

bool TDialogPuls::Validate() {
  auto name = TakeBlockName(*IName, "MF", oldName_);
  if (!name) return false;
  const QString text = ILaenge->text().trimmed().toUpper();
  bool number = false;
  const long long value = text.toLongLong(&number);
  lengthName_.clear();
  if (!number) {
    if (text.isEmpty() || text[0].unicode() < u'A' || text[0].unicode() > u'Z') {
      messages_.ShowMessage(Msg::InvalidLengthName);
      ILaenge->setText(oldLength_);
      return false;
    }
    lengthName_ = text.toStdString();
    length_ = 0;
  } else {
    if (value < min_ || value > max_) {
      messages_.ShowMessage(Msg::PulseLengthRange, MessageMode::Error, "<" + std::to_string(min_) + ">", "<" + std::to_string(max_) + ">");
      ILaenge->setText(QString::number(std::clamp<long long>(value, min_, max_)));
      return false;
    }
    length_ = uint16_t(value);
  }
  name_ = *name;
  return true;
}

void TDialogPuls::Apply(TObjPuls& puls) const {
  puls.SetName(name_);
  puls.LengthByName = !lengthName_.empty();
  puls.LengthName = lengthName_;
  puls.Length = puls.LengthByName ? 0 : length_;
  puls.DelayFunction = Function[1]->isChecked();
  puls.DelayKind = DelayKind[1]->isChecked() ? TObjPuls::DropOutDelay : TObjPuls::OnDelay;
  puls.Retrigger = IRetrigger->isChecked();
}

}  // namespace tolmek
