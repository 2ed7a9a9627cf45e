// The dialogs of the comparator, the arithmetic block and the limiter.
#include "gui/dialogs/arith_dialogs.h"

#include <QVBoxLayout>

#include "components/limit.h"
#include "components/mathe.h"
#include "components/vergl.h"

namespace tolmek {

namespace {

constexpr Caption kVergleich[] = {
    {"", "Vergleich Info", "Compare Info", "Info Comparatore"},
    {"RadioGroup1", "Vergleichen", "Compare", "Confronto"},
    {"RadioGroup1_0", " >", " >", " >"},
    {"RadioGroup1_1", " >=", " >=", " >="},
    {"RadioGroup1_2", " =", " =", " ="},
    {"RadioGroup1_3", " <=", " <=", " <="},
    {"RadioGroup1_4", " <", " <", " <"},
    {"RadioGroup1_5", " <>", " <>", " <>"},
    {"RadioGroup2", "Eingänge", "Inputs", "Ingressi"},
    {"RadioGroup2_0", " 8-Bit", " 8-Bit", " 8-Bit"},
    {"RadioGroup2_1", " 16-Bit", " 16-Bit", " 16-Bit"},
};

constexpr Caption kMathe[] = {
    {"", "Arithmetik Info", "Arithmetic Info", "Info Aritmetica"},
    {"RadioGroup1", "Funktion", "Function", "Funzione"},
    {"RadioGroup1_0", " Addition", " Addition", " Addizione"},
    {"RadioGroup1_1", " Subtraktion", " Subtraction", " Sottrazione"},
    {"RadioGroup1_2", " Multiplikation", " Multiplication", " Moltiplicazione"},
    {"RadioGroup1_3", " Division", " Division", " Divisione"},
    {"RadioGroup2", "Auflösung", "Resolution", "Risoluzione"},
    {"RadioGroup2_0", "8-Bit", "8-Bit", "8-Bit"},
    {"RadioGroup2_1", "16-Bit", "16-Bit", "16-Bit"},
};

constexpr Caption kLimit[] = {
    {"", "Limiter - Info", "Limiter - Info", "Limiter - Info"},
    {"LName", "Name", "Name", "Nome"},
    {"RadioGroup1", "Typ", "Type", "Tipo"},
    {"RadioGroup1_0", " 8-Bit", " 8-Bit", " 8-Bit"},
    {"RadioGroup1_1", " 16-Bit", " 16-Bit", " 16-Bit"},
};
constexpr Caption kLimitRanges8[] = {
    {"LUpper", "Oberes Limit (0 - 255 oder Variable 8-Bit)", "Upper limit (0 - 255 or variable 8-bit)",
     "Limite superiore (0 - 255 o variabile 8-bit)"},
    {"LLower", "Unteres Limit (0 - 255 oder Variable 8-Bit)", "Lower limit (0 - 255 or variable 8-bit)",
     "Limite inferiore (0 - 255 o variabile 8-bit)"},
};
constexpr Caption kLimitRanges16[] = {
    {"LUpper", "Oberes Limit (0 - 65535 oder Variable 16-Bit)", "Upper limit (0 - 65535 or variable 16-bit)",
     "Limite superiore (0 - 65535 o variabile 16-bit)"},
    {"LLower", "Unteres Limit (0 - 65535 oder Variable 16-Bit)", "Lower limit (0 - 65535 or variable 16-bit)",
     "Limite inferiore (0 - 65535 o variabile 16-bit)"},
};

// A titled group of radio buttons named <group>_0, <group>_1, ...
template <size_t N>
QGroupBox* RadioGroup(QWidget* parent, const char* name, std::array<QRadioButton*, N>& buttons) {
  auto* group = new QGroupBox(parent);
  group->setObjectName(name);
  auto* layout = new QVBoxLayout(group);
  for (size_t i = 0; i < N; ++i) {
    buttons[i] = new QRadioButton(group);
    buttons[i]->setObjectName(QString("%1_%2").arg(name).arg(i));
    layout->addWidget(buttons[i]);
  }
  return group;
}

template <size_t N>
size_t Checked(const std::array<QRadioButton*, N>& buttons) {
  for (size_t i = 0; i < N; ++i)
    if (buttons[i]->isChecked()) return i;
  return 0;
}

// A limit as typed: a number (digits only) or a variable name (a letter, then letters, digits and "_").
enum class LimitText { Number, Variable, Invalid };
LimitText Classify(const std::string& text) {
  if (text.empty()) return LimitText::Invalid;
  bool digits = true, name = text[0] >= 'A' && text[0] <= 'Z';
  for (char ch : text) {
    const bool digit = ch >= '0' && ch <= '9';
    digits = digits && digit;
    name = name && (digit || (ch >= 'A' && ch <= 'Z') || ch == '_');
  }
  return digits ? LimitText::Number : name ? LimitText::Variable : LimitText::Invalid;
}

}  // namespace

TDialogVergleich::TDialogVergleich(Messenger& messages, QWidget* parent) : KindDialog(messages, parent) {
  Body().addWidget(RadioGroup(this, "RadioGroup1", RadioGroup1));
  Body().addWidget(RadioGroup(this, "RadioGroup2", RadioGroup2));
  ApplyCaptions(kVergleich);
}

void TDialogVergleich::Load(const TObjVergl& comparator) {
  RadioGroup1[std::min<size_t>(comparator.CompareOp, RadioGroup1.size() - 1)]->setChecked(true);
  RadioGroup2[comparator.Is16Bit() ? 1 : 0]->setChecked(true);
}

void TDialogVergleich::Apply(TObjVergl& comparator) const {
  comparator.SetCompareOp(uint8_t(Checked(RadioGroup1)));
  comparator.SetWidth16(Checked(RadioGroup2) == 1);
}

TDialogMathe::TDialogMathe(Messenger& messages, QWidget* parent) : KindDialog(messages, parent) {
  Body().addWidget(RadioGroup(this, "RadioGroup1", RadioGroup1));
  Body().addWidget(RadioGroup(this, "RadioGroup2", RadioGroup2));
  ApplyCaptions(kMathe);
}

void TDialogMathe::Load(const TObjMathe& block) {
  RadioGroup1[std::min<size_t>(block.Operation, RadioGroup1.size() - 1)]->setChecked(true);
  RadioGroup2[block.Is16Bit() ? 1 : 0]->setChecked(true);
}

void TDialogMathe::Apply(TObjMathe& block) const {
  block.SetOperation(uint8_t(Checked(RadioGroup1)));
  block.SetWidth16(Checked(RadioGroup2) == 1);
}

TDialogLimit::TDialogLimit(Messenger& messages, QWidget* parent) : KindDialog(messages, parent) {
  auto* nameLabel = new QLabel(this);
  nameLabel->setObjectName("LName");
  Edit1 = new QLineEdit(this);
  Edit1->setObjectName("Edit1");
  Edit1->setMaxLength(int(kMaxNameLength));
  LUpper = new QLabel(this);
  LUpper->setObjectName("LUpper");
  Edit2 = new QLineEdit(this);
  Edit2->setObjectName("Edit2");
  Edit2->setMaxLength(int(kMaxNameLength));
  LLower = new QLabel(this);
  LLower->setObjectName("LLower");
  Edit3 = new QLineEdit(this);
  Edit3->setObjectName("Edit3");
  Edit3->setMaxLength(int(kMaxNameLength));
  QGroupBox* type = RadioGroup(this, "RadioGroup1", RadioGroup1);
  for (QWidget* w : std::initializer_list<QWidget*>{nameLabel, Edit1, LUpper, Edit2, LLower, Edit3, type})
    Body().addWidget(w);
  ApplyCaptions(kLimit);
  RadioGroup1[0]->setChecked(true);
  for (QRadioButton* b : RadioGroup1) connect(b, &QRadioButton::toggled, this, [this] { ShowRanges(); });
  ShowRanges();
}

void TDialogLimit::ShowRanges() {
  SetLanguageCaptions(*this, RadioGroup1[1]->isChecked() ? std::span<const Caption>(kLimitRanges16)
                                                         : std::span<const Caption>(kLimitRanges8),
                      Lang());
}

void TDialogLimit::Load(const TObjLimit& limiter) {
  oldName_ = limiter.Name;
  Edit1->setText(QString::fromStdString(limiter.Name));
  Edit2->setText(QString::fromStdString(limiter.UpperLimit));
  Edit3->setText(QString::fromStdString(limiter.LowerLimit));
  RadioGroup1[limiter.Is16Bit() ? 1 : 0]->setChecked(true);
  ShowRanges();
}

bool TDialogLimit::Validate() {
  auto name = TakeBlockName(*Edit1, "LM", oldName_);
  if (!name) return false;
  const long max = RadioGroup1[1]->isChecked() ? 65535 : 255;
  std::string limits[2] = {Edit2->text().trimmed().toUpper().toStdString(),
                           Edit3->text().trimmed().toUpper().toStdString()};
  QLineEdit* edits[2] = {Edit2, Edit3};
  for (int i = 0; i < 2; ++i) {
    const LimitText kind = Classify(limits[i]);
    if (kind == LimitText::Invalid) {
      messages_.ShowMessage(Msg::InvalidValue);
      edits[i]->setFocus();
      return false;
    }
    if (kind == LimitText::Number && (limits[i].size() > 5 || std::stol(limits[i]) > max)) {
      messages_.ShowMessage(Msg::ValueOutOfRange);
      edits[i]->setFocus();
      return false;
    }
  }
  if (Classify(limits[0]) == LimitText::Number && Classify(limits[1]) == LimitText::Number &&
      std::stol(limits[0]) < std::stol(limits[1])) {
    messages_.ShowMessage(Msg::LowerAboveUpper);
    return false;
  }
  name_ = *name;
  upper_ = limits[0];
  lower_ = limits[1];
  return true;
}

void TDialogLimit::Apply(TObjLimit& limiter) const {
  limiter.SetName(name_);
  limiter.UpperLimit = upper_.substr(0, kMaxNameLength);
  limiter.LowerLimit = lower_.substr(0, kMaxNameLength);
  limiter.SetWidth16(RadioGroup1[1]->isChecked());
}

}  // namespace tolmek
