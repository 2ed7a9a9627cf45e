// TDialogPIC: the microcontroller dialog with its enabling and coupling rules.
#include "gui/app/dialog_pic.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>
#include <cmath>

#include "codegen/config_word.h"
#include "codegen/processors.h"
#include "gui/app/lang.h"

namespace tolmek {

namespace {

constexpr Msg kClockMessage = Msg::AtClock;
constexpr double kMinClock = 100;

constexpr Caption kCaptions[] = {
    {"", "Prozessor-Einstellungen", "Processor settings", "Impostazioni processore"},
    {"Label5", "Microcontroller", "Microcontroller", "Microcontroller"},
    {"GroupBox1", "Konfiguration", "Configuration", "Configurazione"},
    {"CBWDT", "Watch-Dog-Timer", "Watch-Dog-Timer", "Watch-Dog-Timer"},
    {"CBPOT", "Power-On-Timer", "Power-On-Timer", "Power-On-Timer"},
    {"CBPBPU", "PORTB-Pull-Up", "PORTB-Pull-Up", "PORTB-Pull-Up"},
    {"CBCP", "Code-Protected", "Code-Protected", "Code-Protected"},
    {"CBBOD", "Brown-Out-Detect", "Brown-Out-Detect", "Brown-Out-Detect"},
    {"RadioGroup2", "Oscillator", "Oscillator", "Oscillatore"},
    {"GroupBox3", "Diverses", "Miscellaneous", "Varie"},
    {"Label1", "Taktfrequenz in Hz (min.100)", "Clock frequency in Hz (min.100)", "Frequenza di clock in Hz (min.100)"},
    {"optimize1", " Optimieren", " Optimize", " Ottimizzare"},
    {"CheckBox1", " MPLAB-ICD", " MPLAB-ICD", " MPLAB-ICD"},
    {"Label6", "Calibration value (hex)", "Calibration value (hex)", "Valore di calibrazione (hex)"},
    {"RadioGroup1", "MCLRE", "MCLRE", "MCLRE"},
    {"Mclre0", " MCLR = MCLR", " MCLR = MCLR", " MCLR = MCLR"},
    {"Mclre1", " MCLR = I/O Pin, MCLR int. tied to VDD", " MCLR = I/O Pin, MCLR int. tied to VDD",
     " MCLR = pin I/O, MCLR collegato internamente a VDD"},
    {"Label4", "Achtung bei JW-Typen:", "Attention with JW types:", "Attenzione con i tipi JW:"},
    {"Label2", "Kopierschutz nur aktivieren,", "Only activate code protection", "Attivare la protezione solo"},
    {"Label3", "wenn der Prozessor nicht mehr gelöscht werden soll !", "if the chip will never be erased again !",
     "se il processore non deve più essere cancellato !"},
    {"OKBtn", "&OK", "&OK", "&OK"},
    {"CancelBtn", "&Abbruch", "&Cancel", "&Annulla"},
    {"HelpBtn", "Hilfe", "Help", "Aiuto"},
};

constexpr const char* kOscillatorTexts[kOscillatorCount] = {" RC (ext.)", " LP", " XT", " HS", " RC (int.)"};

QCheckBox* Check(QWidget* parent, QLayout* layout, const char* name, bool on) {
  auto* box = new QCheckBox(parent);
  box->setObjectName(name);
  box->setChecked(on);
  layout->addWidget(box);
  return box;
}

QLabel* Warning(QWidget* parent, QLayout* layout, const char* name) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setStyleSheet("color: red; font-weight: bold;");
  layout->addWidget(label);
  return label;
}

// A clock text: digits only (the field takes at most nine).
bool ParseClock(const QString& text, double& value) {
  bool ok = false;
  const qulonglong v = text.trimmed().toULongLong(&ok);
  if (ok) value = double(v);
  return ok;
}

}  // namespace

TDialogPIC::TDialogPIC(const McuSettings& mcu, bool optimise, Messenger& messages, QWidget* parent)
    : QDialog(parent), mcu_(mcu), optimise_(optimise), messages_(messages) {
  setObjectName("TDialogPIC");
  auto* layout = new QGridLayout(this);

  auto* typeRow = new QHBoxLayout;
  auto* typeLabel = new QLabel(this);
  typeLabel->setObjectName("Label5");
  types_ = new QComboBox(this);
  types_->setObjectName("ComboBox1");
  types_->setMaxVisibleItems(16);
  for (int t = 0; t < ProcessorCount; ++t) types_->addItem(QString::fromStdString(ProcessorDisplayName(t)));
  typeRow->addWidget(typeLabel);
  typeRow->addWidget(types_, 1);
  layout->addLayout(typeRow, 0, 0, 1, 2);

  auto* config = new QGroupBox(this);
  config->setObjectName("GroupBox1");
  auto* configLayout = new QVBoxLayout(config);
  wdt_ = Check(config, configLayout, "CBWDT", mcu.Watchdog);
  pot_ = Check(config, configLayout, "CBPOT", mcu.PowerUpTimer);
  pbpu_ = Check(config, configLayout, "CBPBPU", mcu.PullUps);
  cp_ = Check(config, configLayout, "CBCP", mcu.CodeProtect);
  cp_->setStyleSheet("color: red;");
  bod_ = Check(config, configLayout, "CBBOD", mcu.BrownOut);
  layout->addWidget(config, 1, 0);

  auto* osc = new QGroupBox(this);
  osc->setObjectName("RadioGroup2");
  auto* oscLayout = new QVBoxLayout(osc);
  for (int i = 0; i < kOscillatorCount; ++i) {
    oscillators_[i] = new QRadioButton(QString::fromUtf8(kOscillatorTexts[i]), osc);
    oscillators_[i]->setObjectName(QString("Osc%1").arg(i));
    oscLayout->addWidget(oscillators_[i]);
    connect(oscillators_[i], &QRadioButton::toggled, this, [this](bool on) {
      if (on) ApplyRules();
    });
  }
  layout->addWidget(osc, 1, 1);

  auto* misc = new QGroupBox(this);
  misc->setObjectName("GroupBox3");
  auto* miscLayout = new QGridLayout(misc);
  auto* clockLabel = new QLabel(misc);
  clockLabel->setObjectName("Label1");
  clock_ = new QLineEdit(misc);
  clock_->setObjectName("ITakt");
  clock_->setMaxLength(9);
  optimize_ = new QCheckBox(misc);
  optimize_->setObjectName("optimize1");
  optimize_->setChecked(optimise);
  icd_ = new QCheckBox(misc);
  icd_->setObjectName("CheckBox1");
  icd_->setChecked(mcu.IcdMode);
  calibrationLabel_ = new QLabel(misc);
  calibrationLabel_->setObjectName("Label6");
  calibration_ = new QLineEdit(misc);
  calibration_->setObjectName("Edit1");
  calibration_->setMaxLength(2);
  calibration_->setFixedWidth(40);
  // Only hexadecimal digits can be typed, so OK always has a value to store.
  calibration_->setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9A-Fa-f]{0,2}"), calibration_));
  connect(calibration_, &QLineEdit::textEdited, this, [this](const QString& t) {
    const int pos = calibration_->cursorPosition();
    calibration_->setText(t.toUpper());
    calibration_->setCursorPosition(pos);
  });
  miscLayout->addWidget(clockLabel, 0, 0);
  miscLayout->addWidget(clock_, 0, 1);
  miscLayout->addWidget(optimize_, 1, 0);
  miscLayout->addWidget(icd_, 1, 1);
  miscLayout->addWidget(calibrationLabel_, 2, 0);
  miscLayout->addWidget(calibration_, 2, 1);
  layout->addWidget(misc, 2, 0, 1, 2);

  mclreGroup_ = new QGroupBox(this);
  mclreGroup_->setObjectName("RadioGroup1");
  auto* mclreLayout = new QVBoxLayout(mclreGroup_);
  for (int i = 0; i < 2; ++i) {
    mclre_[i] = new QRadioButton(mclreGroup_);
    mclre_[i]->setObjectName(QString("Mclre%1").arg(i));
    mclreLayout->addWidget(mclre_[i]);
  }
  mclre_[mcu.Mclre == 1 ? 1 : 0]->setChecked(true);
  layout->addWidget(mclreGroup_, 3, 0, 1, 2);

  auto* warning = new QVBoxLayout;
  Warning(this, warning, "Label4");
  Warning(this, warning, "Label2");
  Warning(this, warning, "Label3");
  layout->addLayout(warning, 4, 0, 1, 2);

  auto* buttons = new QHBoxLayout;
  auto* help = new QPushButton(this);
  help->setObjectName("HelpBtn");
  auto* ok = new QPushButton(this);
  ok->setObjectName("OKBtn");
  ok->setDefault(true);
  auto* cancel = new QPushButton(this);
  cancel->setObjectName("CancelBtn");
  buttons->addWidget(help);
  buttons->addStretch();
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  layout->addLayout(buttons, 5, 0, 1, 2);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(help, &QPushButton::clicked, this, &TDialogPIC::HelpRequested);

  // Every control shows its setting; the rules then decide what is enabled.
  types_->setCurrentIndex(std::clamp(mcu.ProcessorType, 0, ProcessorCount - 1));
  oscillators_[std::clamp(mcu.Oscillator, 0, kOscillatorCount - 1)]->setChecked(true);
  clock_->setText(QString::number(static_cast<qulonglong>(std::llround(std::max(0.0, mcu.ClockHz)))));
  calibration_->setText(QString("%1").arg(mcu.CalibrationValue & 0xFF, 2, 16, QChar('0')).toUpper());
  ApplyRules();

  connect(types_, &QComboBox::currentIndexChanged, this, [this] { ApplyRules(); });
  connect(pot_, &QCheckBox::toggled, this, [this] { Coupled(pot_); });
  connect(bod_, &QCheckBox::toggled, this, [this] { Coupled(bod_); });
  connect(clock_, &QLineEdit::textEdited, this, &TDialogPIC::ClockEdited);
  SetLanguageCaptions(messages.CurrentLanguage());
}

void TDialogPIC::SetLanguageCaptions(Language lang) { ApplyCaptions(*this, kCaptions, lang); }

void TDialogPIC::SelectType(int type) { types_->setCurrentIndex(type); }

void TDialogPIC::ApplyRules() {
  const int type = types_->currentIndex();
  const ProcessorProps props = ProcessorPropertiesOf(type);
  if (!props.IcdCapable) icd_->setChecked(false);
  icd_->setEnabled(props.IcdCapable);

  coupling_ = true;  // taking the timer's state is no user click on either box
  if (props.HasBoden) {
    bod_->setEnabled(true);
    bod_->setChecked(pot_->isChecked());
  } else {
    bod_->setChecked(false);
    bod_->setEnabled(false);
  }
  coupling_ = false;

  calibration_->setEnabled(props.HasOscCal);
  calibrationLabel_->setEnabled(props.HasOscCal);
  mclreGroup_->setEnabled(props.HasMclreOption);

  // Only the oscillators whose symbol the part's include file defines can be chosen.
  int chosen = kOscXt;
  for (int i = 0; i < kOscillatorCount; ++i)
    if (oscillators_[i]->isChecked()) chosen = i;
  for (int i = 0; i < kOscillatorCount; ++i) oscillators_[i]->setEnabled(OscillatorOffered(type, i));
  const int offered = OfferedOscillator(type, chosen);
  if (offered != chosen) oscillators_[offered]->setChecked(true);
}

void TDialogPIC::Coupled(QCheckBox* changed) {
  if (coupling_ || !bod_->isEnabled()) return;
  coupling_ = true;
  QCheckBox* other = changed == pot_ ? bod_ : pot_;
  other->setChecked(changed->isChecked());
  coupling_ = false;
}

void TDialogPIC::ClockEdited(const QString& text) {
  double value = 0;
  if (text.isEmpty() || ParseClock(text, value)) return;
  clock_->setText(QString::number(static_cast<qulonglong>(std::llround(std::max(0.0, mcu_.ClockHz)))));
  messages_.ShowMessage(kClockMessage);
}

void TDialogPIC::accept() {
  McuSettings m = mcu_;
  double clock = 0;
  if (ParseClock(clock_->text(), clock) && clock > 99) {
    m.ClockHz = clock;
  } else {
    m.ClockHz = kMinClock;
    clock_->setText(QString::number(int(kMinClock)));
    messages_.ShowMessage(kClockMessage);
  }
  m.ProcessorType = types_->currentIndex();
  m.Watchdog = wdt_->isChecked();
  m.PowerUpTimer = pot_->isChecked();
  m.PullUps = pbpu_->isChecked();
  m.CodeProtect = cp_->isChecked();
  m.BrownOut = bod_->isChecked();
  for (int i = 0; i < kOscillatorCount; ++i)
    if (oscillators_[i]->isChecked()) m.Oscillator = i;
  m.IcdMode = icd_->isChecked();
  m.Mclre = mclre_[1]->isChecked() ? 1 : 0;
  bool hex = false;
  const int calibration = calibration_->text().toInt(&hex, 16);
  m.CalibrationValue = hex ? calibration & 0xFF : 0;
  mcu_ = m;
  optimise_ = optimize_->isChecked();
  QDialog::accept();
}

}  // namespace tolmek
