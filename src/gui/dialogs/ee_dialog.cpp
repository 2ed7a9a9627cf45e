// TDialogEE.
#include "gui/dialogs/ee_dialog.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <algorithm>

#include "codegen/analysis.h"
#include "components/ee.h"
#include "model/project.h"

namespace tolmek {

namespace {

constexpr Caption kCaptions[] = {
    {"", "EE-Prom Info", "EE-Prom Info", "Info EE-Prom"},
    {"Label11", "Hinweis: PIC16CE... und 12CE... haben ein eingebautes externes EE-Prom",
     "Note: PIC16CE... and 12CE... have a built-in external EE-Prom",
     "Nota: PIC16CE... e 12CE... hanno una EE-Prom esterna incorporata"},
    {"GroupBox2", "EE-Prom", "EE-Prom", "EE-Prom"},
    {"LRam", "im RAM", "in RAM", "in RAM"},
    {"LEe", "im EE", "in EE", "in EE"},
    {"LFree", "frei:", "free:", "liberi:"},
    {"GroupBox1", "Optionen", "Options", "Opzioni"},
    {"RadioButton1", " internes EE-Prom", " internal EE-Prom", " EE-Prom interna"},
    {"RadioButton2", " externes EE-Prom", " external EE-Prom", " EE-Prom esterna"},
    {"LSize", "Grösse in Byte", "Size in bytes", "Dimensione in byte"},
    {"CheckBox1", " mit Prüfsumme speichern", " store with checksum", " memorizza con checksum"},
    {"CheckBox2", " überprüfen nach schreiben", " verify after writing", " verifica dopo la scrittura"},
    {"LSda", "SDA", "SDA", "SDA"},
    {"LScl", "SCL", "SCL", "SCL"},
    {"LBus", "Bus-Adresse", "Bus address", "Indirizzo bus"},
};

QLabel* NamedLabel(QWidget* parent, const char* name) {
  auto* l = new QLabel(parent);
  l->setObjectName(name);
  return l;
}

bool Digits(const QString& text) {
  for (QChar c : text)
    if (!c.isDigit()) return false;
  return true;
}

}  // namespace

TDialogEE::TDialogEE(Messenger& messages, QWidget* parent) : KindDialog(messages, parent) {
  auto* note = NamedLabel(this, "Label11");
  note->setWordWrap(true);
  Body().addWidget(note);

  auto* lists = new QGroupBox(this);
  lists->setObjectName("GroupBox2");
  auto* grid = new QGridLayout(lists);
  ListBox1 = new QListWidget(lists);
  ListBox1->setObjectName("ListBox1");
  ListBox1->setSelectionMode(QAbstractItemView::ExtendedSelection);
  ListBox2 = new QListWidget(lists);
  ListBox2->setObjectName("ListBox2");
  ListBox2->setSelectionMode(QAbstractItemView::ExtendedSelection);
  ToEe = new QPushButton(">", lists);
  ToEe->setObjectName("ToEe");
  ToRam = new QPushButton("<", lists);
  ToRam->setObjectName("ToRam");
  auto* buttons = new QVBoxLayout;
  buttons->addStretch();
  buttons->addWidget(ToEe);
  buttons->addWidget(ToRam);
  buttons->addStretch();
  Free = new QLabel(lists);
  Free->setObjectName("Free");
  grid->addWidget(NamedLabel(lists, "LRam"), 0, 0);
  grid->addWidget(NamedLabel(lists, "LEe"), 0, 2);
  grid->addWidget(ListBox1, 1, 0);
  grid->addLayout(buttons, 1, 1);
  grid->addWidget(ListBox2, 1, 2);
  auto* freeRow = new QHBoxLayout;
  freeRow->addWidget(NamedLabel(lists, "LFree"));
  freeRow->addWidget(Free);
  freeRow->addStretch();
  grid->addLayout(freeRow, 2, 2);
  Body().addWidget(lists);

  auto* options = new QGroupBox(this);
  options->setObjectName("GroupBox1");
  auto* form = new QGridLayout(options);
  RadioButton1 = new QRadioButton(options);
  RadioButton1->setObjectName("RadioButton1");
  RadioButton2 = new QRadioButton(options);
  RadioButton2->setObjectName("RadioButton2");
  Edit1 = new QLineEdit(options);
  Edit1->setObjectName("Edit1");
  Edit1->setMaxLength(TObjEE::kMaxSizeDigits);
  CheckBox1 = new QCheckBox(options);
  CheckBox1->setObjectName("CheckBox1");
  CheckBox2 = new QCheckBox(options);
  CheckBox2->setObjectName("CheckBox2");
  ComboBox1 = new QComboBox(options);
  ComboBox1->setObjectName("ComboBox1");
  ComboBox1->setEditable(true);
  ComboBox2 = new QComboBox(options);
  ComboBox2->setObjectName("ComboBox2");
  ComboBox2->setEditable(true);
  Edit4 = new QLineEdit(options);
  Edit4->setObjectName("Edit4");
  Edit4->setMaxLength(TObjEE::kMaxBusAddressDigits);
  form->addWidget(RadioButton1, 0, 0, 1, 2);
  form->addWidget(RadioButton2, 1, 0, 1, 2);
  form->addWidget(NamedLabel(options, "LSize"), 2, 0);
  form->addWidget(Edit1, 2, 1);
  form->addWidget(CheckBox1, 3, 0, 1, 2);
  form->addWidget(CheckBox2, 4, 0, 1, 2);
  form->addWidget(NamedLabel(options, "LSda"), 5, 0);
  form->addWidget(ComboBox1, 5, 1);
  form->addWidget(NamedLabel(options, "LScl"), 6, 0);
  form->addWidget(ComboBox2, 6, 1);
  form->addWidget(NamedLabel(options, "LBus"), 7, 0);
  form->addWidget(Edit4, 7, 1);
  Body().addWidget(options);
  ApplyCaptions(kCaptions);

  connect(ToEe, &QPushButton::clicked, this, [this] { Move(ListBox1, ListBox2); });
  connect(ToRam, &QPushButton::clicked, this, [this] { Move(ListBox2, ListBox1); });
  connect(RadioButton1, &QRadioButton::toggled, this, [this] { Refresh(); });
  connect(CheckBox1, &QCheckBox::toggled, this, [this] { Refresh(); });
  connect(Edit1, &QLineEdit::textEdited, this, [this] {
    if (RadioButton2->isChecked()) Refresh();
  });
}

void TDialogEE::Load(const TObjEE& ee) {
  ee_ = &ee;
  Project* project = ee.GetProject();
  props_ = ProcessorPropertiesOf(project ? project->Mcu.ProcessorType : 0);
  externalSize_ = ee.EeSize;
  busAddress_ = ee.EeBusAddress;
  for (const std::string& name : ee.EeVariables) ListBox2->addItem(QString::fromStdString(name));
  if (project && !project->SimActive) {
    Analysis analysis(*project);
    analysis.RunAnalysis(true);
    for (const std::string& name : analysis.VariableNames()) {
      if (name.starts_with("SYS_")) continue;
      if (std::find(ee.EeVariables.begin(), ee.EeVariables.end(), name) != ee.EeVariables.end()) continue;
      ListBox1->addItem(QString::fromStdString(name));
    }
  }
  // The pins of the part's own serial EEPROM come first.
  QStringList sda, scl;
  if (!props_.SerialEepromSda.empty()) {
    sda << QString::fromUtf8(props_.SerialEepromSda.data(), int(props_.SerialEepromSda.size()));
    scl << QString::fromUtf8(props_.SerialEepromScl.data(), int(props_.SerialEepromScl.size()));
  }
  for (const char* s : {"EEINTF.1", "GPIO.6"})
    if (!sda.contains(s)) sda << s;
  for (const char* s : {"EEINTF.2", "GPIO.7"})
    if (!scl.contains(s)) scl << s;
  ComboBox1->addItems(sda);
  ComboBox2->addItems(scl);
  ComboBox1->setEditText(ee.EeSdaPin.empty() ? sda.front() : QString::fromStdString(ee.EeSdaPin));
  ComboBox2->setEditText(ee.EeSclPin.empty() ? scl.front() : QString::fromStdString(ee.EeSclPin));
  Edit4->setText(QString::number(ee.EeBusAddress));
  CheckBox1->setChecked(ee.EeChecksum);
  CheckBox2->setChecked(ee.EeVerify);
  // Without a data EEPROM only the external one is left.
  RadioButton1->setEnabled(props_.HasDataEeprom);
  (ee.EeExternal || !props_.HasDataEeprom ? RadioButton2 : RadioButton1)->setChecked(true);
  Refresh();
}

int TDialogEE::OthersUse(bool external) const {
  int used = 0;
  const Project* project = ee_ ? ee_->GetProject() : nullptr;
  if (!project) return 0;
  for (const auto& e : project->Elements()) {
    if (e.get() == ee_ || e->Kind != kind::EE) continue;
    const auto& other = static_cast<const TObjEE&>(*e);
    if (other.EeExternal == external && !other.EeVariables.empty()) used += other.BytesUsed();
  }
  return used;
}

void TDialogEE::Refresh() {
  const bool external = RadioButton2->isChecked();
  if (!external) {
    Edit1->setText(QString::number(props_.HasDataEeprom ? props_.EepromSize : 0));
  } else if (Edit1->text().isEmpty() || Edit1->isReadOnly()) {
    Edit1->setText(QString::number(externalSize_));
  }
  Edit1->setReadOnly(!external);
  for (QWidget* w : std::initializer_list<QWidget*>{ComboBox1, ComboBox2, Edit4}) w->setEnabled(external);
  const int size = Edit1->text().toInt();
  const int own = ListBox2->count() + (ListBox2->count() > 0 && CheckBox1->isChecked() ? 1 : 0);
  Free->setText(QString::number(size - OthersUse(external) - own));
}

void TDialogEE::Move(QListWidget* from, QListWidget* to) {
  for (QListWidgetItem* item : from->selectedItems()) to->addItem(from->takeItem(from->row(item)));
  Refresh();
}

bool TDialogEE::Validate() {
  if (!Digits(Edit1->text()) || !Digits(Edit4->text())) {
    messages_.ShowMessage(Msg::OnlyNumbers);
    return false;
  }
  if (Edit4->text().toInt() > 7 || Edit1->text().toInt() > 65535) {
    messages_.ShowMessage(Msg::InvalidValue);
    return false;
  }
  if (RadioButton2->isChecked()) externalSize_ = uint16_t(Edit1->text().toInt());
  busAddress_ = uint8_t(Edit4->text().toInt());
  return true;
}

void TDialogEE::Apply(TObjEE& ee) const {
  ee.EeExternal = RadioButton2->isChecked();
  ee.EeChecksum = CheckBox1->isChecked();
  ee.EeVerify = CheckBox2->isChecked();
  ee.EeVariables.clear();
  for (int i = 0; i < ListBox2->count(); ++i) ee.EeVariables.push_back(ListBox2->item(i)->text().toStdString());
  ee.EeSdaPin = UpperName(ComboBox1->currentText().trimmed().toStdString());
  ee.EeSclPin = UpperName(ComboBox2->currentText().trimmed().toStdString());
  ee.EeBusAddress = busAddress_;
  ee.EeSize = externalSize_;
}

}  // namespace tolmek
