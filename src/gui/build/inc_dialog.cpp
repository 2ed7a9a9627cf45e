// TDialogInc: loading and applying the include block's values; the length must be a number.
#include "gui/build/inc_dialog.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

namespace tolmek {

namespace {

constexpr Caption kCaptions[] = {
    {"", "Include Info", "Include Info", "Include Info"},
    {"Label1", "Dateiname", "Name of the file", "Nome del file"},
    {"RadioGroup1", "Wo einbinden ?", "Include position ?", "Posizione include ?"},
    {"Position0", "Beginn Initialisierung", "Start initialization", "Inizio inizializzazione"},
    {"Position1", "Ende Initialisierung", "End of initialization", "Fine inizializzazione"},
    {"Position2", "Interrupt Routine", "Interruptroutine", "Routine interrupt"},
    {"Position3", "Hauptprogramm", "Mainprogram", "Programma principale"},
    {"Position4", "Unterprogramm", "Subroutine", "Sottoprogramma"},
    {"Label2", "Länge (setzt Tolmek)", "Length (setting by Tolmek)", "Lunghezza (impostata da Tolmek)"},
    {"Button1", "Bearbeiten ...", "Edit ...", "Modifica ..."},
};

}  // namespace

std::function<void(const std::string&)>& TDialogInc::EditFile() {
  static std::function<void(const std::string&)> hook;
  return hook;
}

TDialogInc::TDialogInc(Messenger& messages, QWidget* parent) : KindDialog(messages, parent) {
  auto* label1 = new QLabel(this);
  label1->setObjectName("Label1");
  IDatei = new QLineEdit(this);
  IDatei->setObjectName("IDatei");
  IDatei->setMaxLength(int(TObjInc::kMaxFileNameLength));
  IDatei->setMinimumWidth(320);
  Body().addWidget(label1);
  Body().addWidget(IDatei);

  auto* group = new QGroupBox(this);
  group->setObjectName("RadioGroup1");
  auto* groupLayout = new QVBoxLayout(group);
  RadioGroup1 = new QButtonGroup(this);
  for (int i = 0; i <= TObjInc::Subroutines; ++i) {
    auto* b = new QRadioButton(group);
    b->setObjectName(QString("Position%1").arg(i));
    RadioGroup1->addButton(b, i);
    groupLayout->addWidget(b);
  }
  Body().addWidget(group);

  auto* row = new QHBoxLayout;
  auto* label2 = new QLabel(this);
  label2->setObjectName("Label2");
  Edit1 = new QLineEdit(this);
  Edit1->setObjectName("Edit1");
  Edit1->setMaxLength(TObjInc::kMaxLengthDigits);
  row->addWidget(label2);
  row->addWidget(Edit1);
  Body().addLayout(row);

  Button1 = new QPushButton(this);
  Button1->setObjectName("Button1");
  Button1->setAutoDefault(false);
  Body().addWidget(Button1);
  connect(Button1, &QPushButton::clicked, this, [this] { EditClicked(); });
  ApplyCaptions(kCaptions);
}

void TDialogInc::Load(const TObjInc& inc) {
  IDatei->setText(QString::fromStdString(inc.IncludeFile));
  if (auto* b = RadioGroup1->button(inc.IncludePosition)) b->setChecked(true);
  Edit1->setText(QString::number(inc.IncludeLength));
}

bool TDialogInc::Validate() {
  if (!TObjInc::ParseLength(Edit1->text().toStdString())) {
    messages_.ShowMessage(Msg::OnlyNumbers);
    Edit1->setFocus();
    return false;
  }
  return true;
}

void TDialogInc::Apply(TObjInc& inc) const {
  const int position = RadioGroup1->checkedId();
  inc.ApplySettings(IDatei->text().toStdString(), uint8_t(position < 0 ? inc.IncludePosition : position),
                    TObjInc::ParseLength(Edit1->text().toStdString()).value_or(inc.IncludeLength));
}

void TDialogInc::EditClicked() {
  const std::string file = IDatei->text().trimmed().toStdString();
  if (file.empty() || !EditFile()) return;
  // The dialog closes as with OK, so that a name typed just now is kept; a bad length keeps it open.
  if (!Validate()) return;
  EditFile()(file);
  QDialog::accept();
}

}  // namespace tolmek
