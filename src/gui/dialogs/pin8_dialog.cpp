// TDialogAnschluss8: the net name of an 8- or 16-bit pin, and of a junction node.
#include "gui/dialogs/pin8_dialog.h"

#include <QLabel>

#include "model/names.h"

namespace tolmek {

namespace {

constexpr Caption kPin8Captions[] = {
    {"", "Anschluß 8-Bit Info", "Pin 8-Bit Info", "Info collegamento 8-Bit"},
    {"LVerbindung", "Verbindung", "Connection", "Collegamento"},
};
constexpr Caption kPin16Captions[] = {
    {"", "Anschluß Info 16-Bit", "Pin Info 16-Bit", "Info collegamento 16-Bit"},
    {"LVerbindung", "Verbindung", "Connection", "Collegamento"},
};
constexpr Caption kNodeCaptions[] = {
    {"", "Knoten Info", "Node Info", "Info nodo"},
    {"LVerbindung", "Verbindung", "Connection", "Collegamento"},
};

}  // namespace

TDialogAnschluss8::TDialogAnschluss8(Use use, Messenger& messages, QWidget* parent)
    : KindDialog(messages, parent), use_(use) {
  auto* label = new QLabel(this);
  label->setObjectName("LVerbindung");
  IVerbindung = new QLineEdit(this);
  IVerbindung->setObjectName("IVerbindung");
  IVerbindung->setMaxLength(int(kMaxNameLength));
  label->setBuddy(IVerbindung);
  Body().addWidget(label);
  Body().addWidget(IVerbindung);
  switch (use) {
    case Use::Pin8: ApplyCaptions(kPin8Captions); break;
    case Use::Pin16: ApplyCaptions(kPin16Captions); break;
    case Use::Node: ApplyCaptions(kNodeCaptions); break;
  }
}

void TDialogAnschluss8::Load(const TBauteil& element) {
  old_ = element.Name;
  IVerbindung->setText(QString::fromStdString(old_));
}

bool TDialogAnschluss8::Validate() {
  std::string typed = IVerbindung->text().toStdString();
  auto name = use_ == Use::Node ? CheckNodeName(typed) : CheckWordPinName(typed);
  if (!name) {
    messages_.ShowMessage(Msg::InvalidName);
    IVerbindung->setText(QString::fromStdString(old_));
    return false;
  }
  name_ = *name;
  return true;
}

void TDialogAnschluss8::Apply(TBauteil& element) const { element.SetName(name_); }

}  // namespace tolmek
