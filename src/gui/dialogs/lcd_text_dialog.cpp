// TDialogLCDText: format, position fields (a number is a constant, a name a variable) and module choice.
#include "gui/dialogs/lcd_text_dialog.h"

#include <QGridLayout>
#include <QGroupBox>

#include "components/lcd_base.h"
#include "components/lcd_text.h"
#include "components/strigg8.h"
#include "gui/dialogs/lcd_dialogs_common.h"

namespace tolmek {

namespace {

constexpr Caption kCaptions[] = {
    {"", "LCD-Ausgabe Info", "LCD-Output Info", "Info uscita LCD"},
    {"LName", "Name", "Name", "Nome"},
    {"LLcd", "Ausgabe auf", "Output to", "Uscita su"},
    {"RadioFormat", "Anzeige", "Display", "Visualizzazione"},
    {"RadioFormat_0", " Text", " Text", " Testo"},
    {"RadioFormat_1", " Dezimal", " Decimal", " Decimale"},
    {"RadioFormat_2", " Hexadezimal", " Hexadecimal", " Esadecimale"},
    {"RadioFormat_3", " Binär", " Binary", " Binario"},
    {"RadioZeros", "führende Nullen", "leading zeros", "zeri iniziali"},
    {"RadioZeros_0", " Leerzeichen", " Blanks", " Spazi"},
    {"RadioZeros_1", " Nullen anzeigen", " Show zeros", " Mostra zeri"},
    {"CheckFixed", " konstante Länge", " fixed length", " lunghezza costante"},
    {"LText", "Text", "Text", "Testo"},
};

// A position field: a whole number is the constant, anything else names the variable.
void StorePosition(const QString& typed, uint8_t& constant, std::string& name) {
  const std::string text = typed.trimmed().toUpper().toStdString();
  if (auto n = DecimalConstant(text)) {
    constant = uint8_t(std::min(*n, 255L));
    name.clear();
  } else {
    constant = 0;
    name = text.substr(0, kMaxNameLength);
  }
}

QString ShowPosition(uint8_t constant, const std::string& name) {
  const std::string variable = TObjLcdText::PositionVariable(name);
  return variable.empty() ? QString::number(constant) : QString::fromStdString(variable);
}

}  // namespace

TDialogLCDText::TDialogLCDText(Messenger& messages, QWidget* parent) : KindDialog(messages, parent) {
  auto* grid = new QGridLayout;
  grid->addWidget(Named<QLabel>(this, "LName"), 0, 0);
  IName = Named<QLineEdit>(this, "IName");
  IName->setMaxLength(int(kMaxNameLength));
  grid->addWidget(IName, 0, 1);
  grid->addWidget(Named<QLabel>(this, "LLcd"), 1, 0);
  ComboLcd = Named<QComboBox>(this, "ComboLcd");
  ComboLcd->setEditable(true);
  grid->addWidget(ComboLcd, 1, 1);
  LX = Named<QLabel>(this, "LX");
  IX = Named<QLineEdit>(this, "IX");
  IX->setMaxLength(int(kMaxNameLength));
  LY = Named<QLabel>(this, "LY");
  IY = Named<QLineEdit>(this, "IY");
  IY->setMaxLength(int(kMaxNameLength));
  grid->addWidget(LX, 2, 0);
  grid->addWidget(IX, 2, 1);
  grid->addWidget(LY, 3, 0);
  grid->addWidget(IY, 3, 1);
  grid->addWidget(Named<QLabel>(this, "LText"), 4, 0);
  IText = Named<QLineEdit>(this, "IText");
  IText->setMaxLength(255);
  grid->addWidget(IText, 4, 1);
  Body().addLayout(grid);
  auto* format = Named<QGroupBox>(this, "RadioFormat");
  RadioFormat = RadioGroup(format, 4);
  auto* zeros = Named<QGroupBox>(this, "RadioZeros");
  RadioZeros = RadioGroup(zeros, 2);
  Body().addWidget(format);
  Body().addWidget(zeros);
  CheckFixed = Named<QCheckBox>(this, "CheckFixed");
  IFixedCount = Named<QLineEdit>(this, "IFixedCount");
  IFixedCount->setMaxLength(2);
  Body().addWidget(CheckFixed);
  Body().addWidget(IFixedCount);
  ApplyCaptions(kCaptions);
  for (QRadioButton* b : RadioFormat) connect(b, &QRadioButton::toggled, this, [this] { UpdateEnabled(); });
  connect(CheckFixed, &QCheckBox::toggled, this, [this] { UpdateEnabled(); });
  connect(ComboLcd, &QComboBox::currentTextChanged, this, [this] { UpdatePositionLabels(); });
}

void TDialogLCDText::UpdateEnabled() {
  const int format = CheckedIndex(RadioFormat);
  IText->setEnabled(format == TObjLcdText::kText);
  const bool digits = format == TObjLcdText::kDecimal || format == TObjLcdText::kBinary;
  for (QRadioButton* b : RadioZeros) b->setEnabled(digits);
  CheckFixed->setEnabled(digits);
  IFixedCount->setEnabled(digits && CheckFixed->isChecked());
}

void TDialogLCDText::UpdatePositionLabels() {
  int columns = 20, rows = 4;
  if (block_)
    if (const Project* p = block_->GetProject())
      if (const TObjLcdBase* m = FindLcdModule(*p, ComboLcd->currentText().toUpper().toStdString())) {
        columns = m->UsedColumns();
        rows = m->UsedRows();
      }
  LX->setText(QString("X (0...%1)").arg(columns - 1));
  LY->setText(QString("Y (0...%1)").arg(rows - 1));
}

void TDialogLCDText::Load(const TObjLcdText& b) {
  block_ = &b;
  oldName_ = b.Name;
  IName->setText(QString::fromStdString(b.Name));
  ComboLcd->addItems(NamesOfKind(b, kind::LcdBase));
  ComboLcd->setCurrentText(QString::fromStdString(b.LcdName));
  RadioFormat[std::min<size_t>(b.Format, 3)]->setChecked(true);
  RadioZeros[b.LeadingZeros ? 1 : 0]->setChecked(true);
  CheckFixed->setChecked(b.FixedLength != 0);
  IFixedCount->setText(QString::number(b.FixedCount));
  IX->setText(ShowPosition(b.PosX, b.PosXName));
  IY->setText(ShowPosition(b.PosY, b.PosYName));
  IText->setText(QString::fromStdString(b.Text));
  UpdatePositionLabels();
  UpdateEnabled();
}

bool TDialogLCDText::Validate() {
  auto name = TakeBlockName(*IName, "LT", oldName_);
  if (!name) return false;
  name_ = *name;
  return true;
}

void TDialogLCDText::Apply(TObjLcdText& b) const {
  b.SetName(name_);
  b.LcdName = ComboLcd->currentText().trimmed().toUpper().toStdString().substr(0, kMaxNameLength);
  b.Format = uint8_t(CheckedIndex(RadioFormat));
  b.LeadingZeros = uint8_t(CheckedIndex(RadioZeros));
  b.FixedLength = CheckFixed->isChecked() ? 1 : 0;
  bool ok = false;
  const int count = IFixedCount->text().trimmed().toInt(&ok);
  b.FixedCount = uint8_t(ok && count >= 0 && count <= 255 ? count : 1);
  StorePosition(IX->text(), b.PosX, b.PosXName);
  StorePosition(IY->text(), b.PosY, b.PosYName);
  b.Text = IText->text().toStdString();
  b.Redraw();
}

}  // namespace tolmek
