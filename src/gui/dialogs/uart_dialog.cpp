// TDialogUART: the UART module's settings; the speed is shown as the project's clock gives it.
#include "gui/dialogs/uart_dialog.h"

#include <QGridLayout>
#include <algorithm>
#include <cmath>

#include "codegen/processors.h"
#include "components/uart.h"
#include "gui/dialogs/lcd_dialogs_common.h"

namespace tolmek {

namespace {

constexpr Caption kCaptions[] = {
    {"", "UART-Info", "UART-Info", "Info UART"},
    {"LName", "Name", "Name", "Nome"},
    {"LTx", "Tx-Pin", "Tx-Pin", "Pin Tx"},
    {"LRx", "Rx-Pin", "Rx-Pin", "Pin Rx"},
    {"LDir", "DIR-Pin", "DIR-Pin", "Pin DIR"},
    {"RadioType", "Typ", "Type", "Tipo"},
    {"RadioType_0", " Hardware", " Hardware", " Hardware"},
    {"RadioType_1", " Software", " Software", " Software"},
    {"RadioRate", "Baudrate", "Baud rate", "Baud rate"},
    {"RadioRate_0", " 1200 Baud", " 1200 Baud", " 1200 Baud"},
    {"RadioRate_1", " 2400 Baud", " 2400 Baud", " 2400 Baud"},
    {"RadioRate_2", " 9600 Baud", " 9600 Baud", " 9600 Baud"},
    {"RadioRate_3", " 19200 Baud", " 19200 Baud", " 19200 Baud"},
    {"CheckCustom", " Selbstdefiniert", " User defined", " Definito dall'utente"},
    {"GroupCustom", "SPBRG", "SPBRG", "SPBRG"},
    {"CheckBrgh", " BRGH = 1", " BRGH = 1", " BRGH = 1"},
    {"CheckHalfDuplex", " Halb-Duplex (RS485)", " Half duplex (RS485)", " Half duplex (RS485)"},
    {"CheckChecksum", " mit Prüfsumme", " with checksum", " con checksum"},
};

}  // namespace

TDialogUART::TDialogUART(Messenger& messages, QWidget* parent) : KindDialog(messages, parent) {
  auto* grid = new QGridLayout;
  auto row = [&](const char* label, const char* edit, int maxLength, int r) {
    return LabelledEdit(this, grid, r, label, edit, maxLength);
  };
  IName = row("LName", "IName", int(kMaxNameLength), 0);
  ITx = row("LTx", "ITx", 30, 1);
  IRx = row("LRx", "IRx", 30, 2);
  IDir = row("LDir", "IDir", 30, 3);
  Body().addLayout(grid);
  auto* type = Named<QGroupBox>(this, "RadioType");
  RadioType = RadioGroup(type, 2);
  Body().addWidget(type);
  RadioRateGroup = Named<QGroupBox>(this, "RadioRate");
  RadioRate = RadioGroup(RadioRateGroup, 4);
  Body().addWidget(RadioRateGroup);
  CheckCustom = Named<QCheckBox>(this, "CheckCustom");
  Body().addWidget(CheckCustom);
  GroupCustom = Named<QGroupBox>(this, "GroupCustom");
  auto* custom = new QVBoxLayout(GroupCustom);
  ISpbrg = Named<QLineEdit>(GroupCustom, "ISpbrg");
  ISpbrg->setMaxLength(3);
  CheckBrgh = Named<QCheckBox>(GroupCustom, "CheckBrgh");
  custom->addWidget(ISpbrg);
  custom->addWidget(CheckBrgh);
  Body().addWidget(GroupCustom);
  CheckHalfDuplex = Named<QCheckBox>(this, "CheckHalfDuplex");
  CheckChecksum = Named<QCheckBox>(this, "CheckChecksum");
  Body().addWidget(CheckHalfDuplex);
  Body().addWidget(CheckChecksum);
  LNote = Named<QLabel>(this, "LNote");
  Body().addWidget(LNote);
  ApplyCaptions(kCaptions);
  auto update = [this] { UpdateShown(); };
  connect(CheckCustom, &QCheckBox::toggled, this, update);
  connect(CheckHalfDuplex, &QCheckBox::toggled, this, update);
  connect(CheckBrgh, &QCheckBox::toggled, this, update);
  connect(ISpbrg, &QLineEdit::textChanged, this, update);
  for (QRadioButton* b : RadioRate) connect(b, &QRadioButton::toggled, this, update);
}

double TDialogUART::Clock() const {
  const Project* p = module_ ? module_->GetProject() : nullptr;
  return p ? p->Mcu.ClockHz : 4000000.0;
}

void TDialogUART::UpdateShown() {
  const bool custom = CheckCustom->isChecked();
  GroupCustom->setVisible(custom);
  RadioRateGroup->setVisible(!custom);
  IDir->setEnabled(CheckHalfDuplex->isChecked());
  TObjUart probe(0, 0);
  probe.CustomRate = custom ? 1 : 0;
  probe.RateIndex = uint8_t(CheckedIndex(RadioRate));
  probe.Spbrg = uint8_t(std::clamp(ISpbrg->text().toInt(), 0, 255));
  probe.Brgh = CheckBrgh->isChecked() ? 1 : 0;
  const TObjUart::BaudSetting s = probe.Baud(Clock());
  QString text = QString("Fosc = %1 MHz: SPBRG = %2, BRGH = %3, %4 Baud")
                     .arg(Clock() / 1e6, 0, 'g', 6)
                     .arg(s.spbrg)
                     .arg(s.brgh ? 1 : 0)
                     .arg(std::lround(s.baud));
  if (!custom) text += QString(" (%1 %)").arg(s.error * 100, 0, 'f', 1);
  LNote->setText(text);
}

void TDialogUART::Load(const TObjUart& m) {
  module_ = &m;
  oldName_ = m.Name;
  IName->setText(QString::fromStdString(m.Name));
  std::string tx = m.TxPin, rx = m.RxPin;
  if (const Project* p = m.GetProject(); p && (tx.empty() || rx.empty())) {
    const ProcessorProps props = ProcessorPropertiesOf(p->Mcu.ProcessorType);
    if (tx.empty()) tx = props.UartTxPin;
    if (rx.empty()) rx = props.UartRxPin;
  }
  ITx->setText(QString::fromStdString(tx));
  IRx->setText(QString::fromStdString(rx));
  IDir->setText(QString::fromStdString(m.DirPin));
  RadioType[m.UartType ? 1 : 0]->setChecked(true);
  RadioRate[std::min<size_t>(m.RateIndex, 3)]->setChecked(true);
  CheckCustom->setChecked(m.CustomRate != 0);
  ISpbrg->setText(QString::number(m.Spbrg));
  CheckBrgh->setChecked(m.Brgh != 0);
  CheckHalfDuplex->setChecked(m.HalfDuplex != 0);
  CheckChecksum->setChecked(m.WithChecksum != 0);
  UpdateShown();
}

bool TDialogUART::Validate() {
  auto name = TakeBlockName(*IName, "UA", oldName_);
  if (!name) return false;
  bool ok = false;
  const int spbrg = ISpbrg->text().trimmed().toInt(&ok);
  if (!ok || spbrg < 0 || spbrg > 255) {
    messages_.ShowMessage(Msg::ByteRange);
    return false;
  }
  // The software type has no code: refused rather than a program without serial code.
  if (RadioType[1]->isChecked()) {
    messages_.ShowMessage(Msg::SoftwareUart, MessageMode::Error, *name);
    return false;
  }
  if (!CheckCustom->isChecked()) {
    const int index = CheckedIndex(RadioRate);
    if (!TObjUart::PresetBaud(TObjUart::kPresetBauds[index], Clock()).reachable)
      messages_.ShowMessage(Msg::BaudUnreachable, MessageMode::Error, *name, std::to_string(TObjUart::kPresetBauds[index]) + " Baud");
  }
  name_ = *name;
  spbrg_ = spbrg;
  return true;
}

void TDialogUART::Apply(TObjUart& m) const {
  m.SetName(name_);
  auto pin = [](const QLineEdit* e) { return e->text().trimmed().toUpper().toStdString(); };
  m.TxPin = pin(ITx);
  m.RxPin = pin(IRx);
  m.DirPin = pin(IDir);
  m.UartType = RadioType[1]->isChecked() ? 1 : 0;
  m.CustomRate = CheckCustom->isChecked() ? 1 : 0;
  m.RateIndex = uint8_t(CheckedIndex(RadioRate));
  m.Spbrg = uint8_t(spbrg_);
  m.Brgh = CheckBrgh->isChecked() ? 1 : 0;
  m.HalfDuplex = CheckHalfDuplex->isChecked() ? 1 : 0;
  m.WithChecksum = CheckChecksum->isChecked() ? 1 : 0;
  m.Redraw();
}

}  // namespace tolmek
