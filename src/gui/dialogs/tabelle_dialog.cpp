// TDialogTabelle: a table's name, length, width and values, with value files.
#include "gui/dialogs/tabelle_dialog.h"

#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <algorithm>
#include <vector>

namespace tolmek {

namespace {

constexpr Caption kCaptions[] = {
    {"", "Tabellen Info", "Table Info", "Info Tabella"},
    {"LName", "Name", "Name", "Nome"},
    {"LLaenge", "Länge", "Length", "Lunghezza"},
    {"RadioGroup1", "Anzeige", "Display", "Visualizzazione"},
    {"RadioGroup1_0", " &Dezimal", " &Decimal", " &Decimale"},
    {"RadioGroup1_1", " He&x", " He&x", " Esadecimale (&x)"},
    {"RadioGroup1_2", " &Binär", " &Binary", " &Binario"},
    {"RadioGroup1_3", " A&SCII", " A&SCII", " A&SCII"},
    {"RadioGroup2", "Typ", "Type", "Tipo"},
    {"Bits8", " 8-Bit", " 8-Bit", " 8-Bit"},
    {"Bits16", " 16-Bit", " 16-Bit", " 16-Bit"},
    {"Button1", "&Laden...", "&Load...", "&Carica..."},
    {"Button2", "&Speichern...", "&Save...", "&Salva..."},
};

}  // namespace

TDialogTabelle::TDialogTabelle(Messenger& messages, QWidget* parent) : KindDialog(messages, parent) {
  auto* nameLabel = new QLabel(this);
  nameLabel->setObjectName("LName");
  Edit17 = new QLineEdit(this);
  Edit17->setObjectName("Edit17");
  Edit17->setMaxLength(int(kMaxNameLength));
  auto* lengthLabel = new QLabel(this);
  lengthLabel->setObjectName("LLaenge");
  Edit18 = new QLineEdit(this);
  Edit18->setObjectName("Edit18");

  auto* values = new QWidget(this);
  auto* grid = new QGridLayout(values);
  for (int i = 0; i < kFields; ++i) {
    auto* index = new QLabel(values);
    index->setObjectName(QString("LIndex%1").arg(i + 1));
    Edit[size_t(i)] = new QLineEdit(values);
    Edit[size_t(i)]->setObjectName(QString("Edit%1").arg(i + 1));
    grid->addWidget(index, i, 0);
    grid->addWidget(Edit[size_t(i)], i, 1);
  }
  ScrollBar1 = new QScrollBar(Qt::Vertical, values);
  ScrollBar1->setObjectName("ScrollBar1");
  grid->addWidget(ScrollBar1, 0, 2, kFields, 1);

  auto* radix = new QGroupBox(this);
  radix->setObjectName("RadioGroup1");
  auto* radixLayout = new QVBoxLayout(radix);
  for (size_t i = 0; i < RadioGroup1.size(); ++i) {
    RadioGroup1[i] = new QRadioButton(radix);
    RadioGroup1[i]->setObjectName(QString("RadioGroup1_%1").arg(i));
    radixLayout->addWidget(RadioGroup1[i]);
  }
  RadioGroup1[0]->setChecked(true);
  auto* type = new QGroupBox(this);
  type->setObjectName("RadioGroup2");
  auto* typeLayout = new QVBoxLayout(type);
  Bits8 = new QRadioButton(type);
  Bits8->setObjectName("Bits8");
  Bits16 = new QRadioButton(type);
  Bits16->setObjectName("Bits16");
  typeLayout->addWidget(Bits8);
  typeLayout->addWidget(Bits16);
  Bits8->setChecked(true);
  Button1 = new QPushButton(this);
  Button1->setObjectName("Button1");
  Button2 = new QPushButton(this);
  Button2->setObjectName("Button2");
  auto* files = new QHBoxLayout;
  files->addWidget(Button1);
  files->addWidget(Button2);

  for (QWidget* w : std::initializer_list<QWidget*>{nameLabel, Edit17, lengthLabel, Edit18, values, radix, type})
    Body().addWidget(w);
  Body().addLayout(files);
  ApplyCaptions(kCaptions);

  ChooseFile = [this](bool save) {
    const QString filter = "Textdateien (*.txt);;Alle Dateien (*.*)";
    return save ? QFileDialog::getSaveFileName(this, QString(), QString(), filter)
                : QFileDialog::getOpenFileName(this, QString(), QString(), filter);
  };
  connect(ScrollBar1, &QScrollBar::valueChanged, this, &TDialogTabelle::Scrolled);
  for (QRadioButton* r : RadioGroup1)
    connect(r, &QRadioButton::toggled, this, [this](bool on) {
      if (on) RadixChanged();
    });
  connect(Bits16, &QRadioButton::toggled, this, &TDialogTabelle::WidthChanged);
  connect(Edit18, &QLineEdit::editingFinished, this, [this] {
    if (ReadFields()) ReadLength();
  });
  connect(Button1, &QPushButton::clicked, this, [this] {
    const QString path = ChooseFile ? ChooseFile(false) : QString();
    if (!path.isEmpty()) LoadFile(path);
  });
  connect(Button2, &QPushButton::clicked, this, [this] {
    const QString path = ChooseFile ? ChooseFile(true) : QString();
    if (!path.isEmpty()) SaveFile(path);
  });
}

int TDialogTabelle::Radix() const {
  for (size_t i = 0; i < RadioGroup1.size(); ++i)
    if (RadioGroup1[i]->isChecked()) return int(i);
  return 0;
}

void TDialogTabelle::Load(const TObjTabelle& table) {
  oldName_ = table.Name;
  values_ = table.Values;
  filling_ = true;
  Edit17->setText(QString::fromStdString(table.Name));
  (table.Is16Bit() ? Bits16 : Bits8)->setChecked(true);
  filling_ = false;
  SetLength(std::clamp<int>(table.Length, 1, table.MaxLength()));
}

void TDialogTabelle::SetLength(int length) {
  length_ = length;
  filling_ = true;
  Edit18->setText(QString::number(length));
  ScrollBar1->setRange(0, std::max(0, length - kFields));
  ScrollBar1->setEnabled(length > kFields);
  offset_ = std::min(offset_, ScrollBar1->maximum());
  ScrollBar1->setValue(offset_);
  filling_ = false;
  ShowFields();
}

bool TDialogTabelle::ReadLength() {
  const int max = Wide() ? TObjTabelle::kMaxLength16 : TObjTabelle::kMaxLength;
  bool number = false;
  const int n = Edit18->text().trimmed().toInt(&number);
  if (!number || n < 1 || n > max) {
    messages_.ShowMessage(Msg::TableLength);
    SetLength(max);
    return false;
  }
  if (n != length_) SetLength(n);
  return true;
}

bool TDialogTabelle::ReadFields() {
  for (int i = 0; i < kFields && offset_ + i < length_; ++i) {
    auto value = ParseTableValue(Edit[size_t(i)]->text().toLatin1().toStdString(), MaxValue());
    if (!value) {
      messages_.ShowMessage(Msg::ByteRange);
      Edit[size_t(i)]->setFocus();
      return false;
    }
    values_[size_t(offset_ + i)] = *value;
  }
  return true;
}

void TDialogTabelle::ShowFields() {
  filling_ = true;
  for (int i = 0; i < kFields; ++i) {
    const int index = offset_ + i;
    QLineEdit& e = *Edit[size_t(i)];
    if (auto* label = findChild<QLabel*>(QString("LIndex%1").arg(i + 1))) label->setText(QString::number(index));
    const bool used = index < length_;
    e.setEnabled(used);
    e.setText(used ? QString::fromLatin1(FormatTableValue(values_[size_t(index)], Radix(), Wide()).c_str())
                   : QString());
  }
  filling_ = false;
}

void TDialogTabelle::Scrolled(int position) {
  if (filling_ || position == offset_) return;
  if (!ReadFields()) {
    filling_ = true;
    ScrollBar1->setValue(offset_);
    filling_ = false;
    return;
  }
  offset_ = position;
  ShowFields();
}

void TDialogTabelle::RadixChanged() {
  if (filling_) return;
  ReadFields();
  ShowFields();
}

void TDialogTabelle::WidthChanged() {
  if (filling_) return;
  // The values are read as the width they were shown in.
  const bool wide = Wide();
  for (int i = 0; i < kFields && offset_ + i < length_; ++i)
    if (auto v = ParseTableValue(Edit[size_t(i)]->text().toLatin1().toStdString(), 0xFFFF))
      values_[size_t(offset_ + i)] = *v;
  if (wide && length_ > TObjTabelle::kMaxLength16) {
    messages_.ShowMessage(Msg::TableLength);
    SetLength(TObjTabelle::kMaxLength16);
    return;
  }
  ReadLength();
  ShowFields();
}

bool TDialogTabelle::LoadFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return false;
  const QByteArray bytes = file.readAll();
  const size_t max = size_t(Wide() ? TObjTabelle::kMaxLength16 : TObjTabelle::kMaxLength);
  auto values = ParseTableFile(std::string_view(bytes.constData(), size_t(bytes.size())), max, MaxValue());
  if (!values || values->empty()) {
    messages_.ShowMessage(values ? Msg::TableLength : Msg::ByteRange);
    return false;
  }
  std::copy(values->begin(), values->end(), values_.begin());
  offset_ = 0;
  SetLength(int(values->size()));
  return true;
}

bool TDialogTabelle::SaveFile(const QString& path) {
  if (!ReadFields() || !ReadLength()) return false;
  std::vector<uint16_t> values(values_.begin(), values_.begin() + length_);
  const std::string text = TableFileText(values);
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
  return file.write(text.data(), qint64(text.size())) == qint64(text.size());
}

bool TDialogTabelle::Validate() {
  auto name = TakeBlockName(*Edit17, "TAB", oldName_);
  if (!name) return false;
  if (!ReadLength() || !ReadFields()) return false;
  name_ = name->substr(0, kMaxNameLength);
  return true;
}

void TDialogTabelle::Apply(TObjTabelle& table) const {
  table.SetName(name_);
  table.Width16 = Bits16->isChecked() ? 1 : 0;
  table.Length = uint16_t(length_);
  table.Values = values_;
  if (!table.Is16Bit())
    for (auto& v : table.Values) v &= 0xFF;
}

}  // namespace tolmek
