// TDialogUData: two lists — the plan's variables and the message — with ">" and "<" between them.
#include "gui/dialogs/udata_dialog.h"

#include <QGridLayout>
#include <algorithm>
#include <QGroupBox>
#include <QHBoxLayout>

#include "codegen/analysis.h"
#include "components/udata.h"
#include "gui/dialogs/lcd_dialogs_common.h"

namespace tolmek {

namespace {

constexpr Caption kCaptions[] = {
    {"", "UART-Daten", "UART-Data", "Dati UART"},
    {"LName", "Name", "Name", "Nome"},
    {"LUart", "Schnittstelle", "Interface", "Interfaccia"},
    {"RadioFunction", "Funktion", "Function", "Funzione"},
    {"RadioFunction_0", " Übertragen", " Transmit", " Trasmettere"},
    {"RadioFunction_1", " Empfangen", " Receive", " Ricevere"},
    {"LRam", "im RAM", "in RAM", "in RAM"},
};

}  // namespace

TDialogUData::TDialogUData(Messenger& messages, QWidget* parent) : KindDialog(messages, parent) {
  auto* grid = new QGridLayout;
  grid->addWidget(Named<QLabel>(this, "LName"), 0, 0);
  IName = Named<QLineEdit>(this, "IName");
  IName->setMaxLength(int(kMaxNameLength));
  grid->addWidget(IName, 0, 1);
  grid->addWidget(Named<QLabel>(this, "LUart"), 1, 0);
  ComboUart = Named<QComboBox>(this, "ComboUart");
  ComboUart->setEditable(true);
  grid->addWidget(ComboUart, 1, 1);
  Body().addLayout(grid);
  auto* function = Named<QGroupBox>(this, "RadioFunction");
  RadioFunction = RadioGroup(function, 2);
  Body().addWidget(function);
  auto* lists = new QGridLayout;
  lists->addWidget(Named<QLabel>(this, "LRam"), 0, 0);
  LItems = Named<QLabel>(this, "LItems");
  lists->addWidget(LItems, 0, 2);
  ListRam = Named<QListWidget>(this, "ListRam");
  ListItems = Named<QListWidget>(this, "ListItems");
  for (QListWidget* l : {ListRam, ListItems}) l->setSelectionMode(QAbstractItemView::ExtendedSelection);
  auto* buttons = new QVBoxLayout;
  BtnAdd = Named<QPushButton>(this, "BtnAdd");
  BtnAdd->setText(">");
  BtnRemove = Named<QPushButton>(this, "BtnRemove");
  BtnRemove->setText("<");
  buttons->addWidget(BtnAdd);
  buttons->addWidget(BtnRemove);
  lists->addWidget(ListRam, 1, 0);
  lists->addLayout(buttons, 1, 1);
  lists->addWidget(ListItems, 1, 2);
  Body().addLayout(lists);
  ApplyCaptions(kCaptions);
  connect(BtnAdd, &QPushButton::clicked, this, [this] { Move(ListRam, ListItems); });
  connect(BtnRemove, &QPushButton::clicked, this, [this] { Move(ListItems, ListRam); });
  for (QRadioButton* b : RadioFunction) connect(b, &QRadioButton::toggled, this, [this] { UpdateItemsLabel(); });
}

void TDialogUData::UpdateItemsLabel() {
  const int f = CheckedIndex(RadioFunction);
  LItems->setText(CaptionText(kCaptions[4 + f], Lang()).trimmed());
}

// Moves the selected rows, keeping the order of the list they leave; the two lists never share a name.
void TDialogUData::Move(QListWidget* from, QListWidget* to) {
  for (int row = 0; row < from->count();) {
    if (!from->item(row)->isSelected()) {
      ++row;
      continue;
    }
    to->addItem(from->takeItem(row)->text());
  }
}

void TDialogUData::Load(const TObjUdata& b) {
  oldName_ = b.Name;
  IName->setText(QString::fromStdString(b.Name));
  ComboUart->addItems(NamesOfKind(b, kind::Uart));
  ComboUart->setCurrentText(QString::fromStdString(b.UartName));
  RadioFunction[b.Direction == TObjUdata::kReceive ? 1 : 0]->setChecked(true);
  for (const std::string& item : b.Items) ListItems->addItem(QString::fromStdString(item));
  if (Project* p = b.GetProject()) {
    Analysis analysis(*p);
    analysis.RunAnalysis(false);
    for (const std::string& v : analysis.VariableNames()) {
      if (v.starts_with("SYS_") || v.ends_with("_FD")) continue;
      if (std::find(b.Items.begin(), b.Items.end(), v) != b.Items.end()) continue;
      ListRam->addItem(QString::fromStdString(v));
    }
  }
  UpdateItemsLabel();
}

bool TDialogUData::Validate() {
  auto name = TakeBlockName(*IName, "UD", oldName_);
  if (!name) return false;
  name_ = *name;
  return true;
}

void TDialogUData::Apply(TObjUdata& b) const {
  b.SetName(name_);
  b.UartName = ComboUart->currentText().trimmed().toUpper().toStdString().substr(0, kMaxNameLength);
  b.Direction = RadioFunction[1]->isChecked() ? TObjUdata::kReceive : TObjUdata::kTransmit;
  b.Items.clear();
  for (int i = 0; i < ListItems->count(); ++i)
    b.Items.push_back(ListItems->item(i)->text().toStdString().substr(0, kMaxNameLength));
  b.Redraw();
}

}  // namespace tolmek
