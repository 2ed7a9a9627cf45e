// TDialogGND: GND or VCC, and the side the pin points to.
#pragma once

#include <QRadioButton>

#include "components/gnd.h"
#include "gui/dialogs/kind_dialog.h"

namespace tolmek {

class TDialogGND final : public KindDialog {
  Q_OBJECT

 public:
  TDialogGND(Messenger& messages, QWidget* parent);
  void Load(const TObjGnd& supply);
  void Apply(TObjGnd& supply) const;

  QRadioButton* Gnd;
  QRadioButton* Vcc;
  QRadioButton* Right;
  QRadioButton* Left;

 protected:
  bool Validate() override { return true; }
};

}  // namespace tolmek
