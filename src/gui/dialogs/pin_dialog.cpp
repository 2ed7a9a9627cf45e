// TDialogAnschluss: the net name and inversion of a 1-bit pin.
#include "gui/dialogs/pin_dialog.h"

#include <QLabel>

#include "model/names.h"

namespace tolmek {

namespace {

constexpr Caption kCaptions[] = {
    {"", "Anschluß Info", "Pin Info", "Info collegamento"},
    {"LVerbindung", "Verbindung", "Connection", "Collegamento"},
    {"IInvertierung", "Invertiert", "Inverted", "Invertito"},
};

}  // namespace

TDialogAnschluss::TDialogAnschluss(Messenger& messages, QWidget* parent) : KindDialog(messages, parent) {
  auto* label = new QLabel(this);
  label->setObjectName("LVerbindung");
  IVerbindung = new QLineEdit(this);
  IVerbindung->setObjectName("IVerbindung");
  IVerbindung->setMaxLength(int(kMaxNameLength));
  label->setBuddy(IVerbindung);
  IInvertierung = new QCheckBox(this);
  IInvertierung->setObjectName("IInvertierung");
  Body().addWidget(label);
  Body().addWidget(IVerbindung);
  Body().addWidget(IInvertierung);
  ApplyCaptions(kCaptions);
}

void TDialogAnschluss::Load(const TObjAnschluss& pin) {
  IVerbindung->setText(QString::fromStdString(pin.Name));
  IInvertierung->setChecked(pin.Inverted);
  IInvertierung->setEnabled(pin.InvertAllowed);
}

bool TDialogAnschluss::Validate() {
  auto name = CheckBitPinName(IVerbindung->text().toStdString());
  if (!name) {
    messages_.ShowMessage(Msg::InvalidName);
    return false;
  }
  name_ = *name;
  return true;
}

void TDialogAnschluss::Apply(TObjAnschluss& pin) const {
  pin.SetName(name_);
  pin.Inverted = IInvertierung->isChecked();
}

}  // namespace tolmek
