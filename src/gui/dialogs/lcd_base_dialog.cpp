// TDialogLCDBase: the LCD module's settings and the wiring it expects.
#include "gui/dialogs/lcd_base_dialog.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>

#include "components/lcd_base.h"
#include "gui/dialogs/lcd_dialogs_common.h"

namespace tolmek {

namespace {

constexpr Caption kCaptions[] = {
    {"", "LCD-Modul Info", "LCD-Module Info", "Info Modulo LCD"},
    {"LName", "Name", "Name", "Nome"},
    {"LPort", "Angeschlossen an Port (Rx)", "Connected to port (Rx)", "Collegato alla porta (Rx)"},
    {"LEnable", "Freigabe Ausgang (E)", "Enable output (E)", "Uscita abilitazione (E)"},
    {"LRows", "Zeilen", "Lines", "Righe"},
    {"LColumns", "Zeichen pro Zeile", "Characters per line", "Caratteri per riga"},
    {"RadioGroup1", "Ausgabeverzögeung", "Output delay", "Ritardo di uscita"},
    {"RadioGroup1_0", " x1 (Standard)", " x1 (default)", " x1 (standard)"},
    {"RadioGroup1_1", " x2", " x2", " x2"},
    {"RadioGroup1_2", " x3", " x3", " x3"},
    {"GroupInfo", "Info", "Info", "Info"},
};

}  // namespace

TDialogLCDBase::TDialogLCDBase(Messenger& messages, QWidget* parent) : KindDialog(messages, parent) {
  auto* grid = new QGridLayout;
  auto row = [&](const char* label, const char* edit, int maxLength, int r) {
    return LabelledEdit(this, grid, r, label, edit, maxLength);
  };
  IName = row("LName", "IName", int(kMaxNameLength), 0);
  IPort = row("LPort", "IPort", int(kMaxNameLength), 1);
  IEnable = row("LEnable", "IEnable", 5, 2);
  IRows = row("LRows", "IRows", 1, 3);
  IColumns = row("LColumns", "IColumns", 2, 4);
  Body().addLayout(grid);
  auto* group = Named<QGroupBox>(this, "RadioGroup1");
  RadioGroup1 = RadioGroup(group, 3);
  Body().addWidget(group);
  auto* info = Named<QGroupBox>(this, "GroupInfo");
  auto* infoLayout = new QVBoxLayout(info);
  for (const char* line : {"Rx.0 = D4", "Rx.1 = D5", "Rx.2 = D6", "Rx.3 = D7", "Rx.4 = RS = RegisterSelect"})
    infoLayout->addWidget(new QLabel(line, info));
  Body().addWidget(info);
  ApplyCaptions(kCaptions);
}

void TDialogLCDBase::Load(const TObjLcdBase& m) {
  oldName_ = m.Name;
  IName->setText(QString::fromStdString(m.Name));
  IPort->setText(QString::fromStdString(m.LcdPort));
  IEnable->setText(QString::fromStdString(m.EnablePin));
  IRows->setText(QString::number(m.Rows));
  IColumns->setText(QString::number(m.Columns));
  RadioGroup1[std::min<size_t>(m.DelayFactor, 2)]->setChecked(true);
}

bool TDialogLCDBase::Validate() {
  auto name = TakeBlockName(*IName, "LB", oldName_);
  if (!name) return false;
  name_ = *name;
  bool ok = false;
  const int rows = IRows->text().trimmed().toInt(&ok);
  rows_ = !ok || rows < 1 ? 4 : std::min(rows, 4);
  const int columns = IColumns->text().trimmed().toInt(&ok);
  columns_ = !ok || columns < 1 ? 20 : columns;
  return true;
}

void TDialogLCDBase::Apply(TObjLcdBase& m) const {
  m.SetName(name_);
  m.LcdPort = IPort->text().toUpper().trimmed().toStdString();
  m.EnablePin = IEnable->text().toUpper().trimmed().toStdString();
  m.Rows = uint8_t(rows_);
  m.Columns = uint8_t(columns_);
  m.DelayFactor = uint8_t(CheckedIndex(RadioGroup1));
}

}  // namespace tolmek
