// TDialogAnschluss8: the net name of an 8- or 16-bit pin, and of a junction node.
#pragma once

#include <QLineEdit>

#include "gui/dialogs/kind_dialog.h"
#include "model/element.h"

namespace tolmek {

class TDialogAnschluss8 final : public KindDialog {
  Q_OBJECT

 public:
  enum class Use { Pin8, Pin16, Node };
  TDialogAnschluss8(Use use, Messenger& messages, QWidget* parent);
  void Load(const TBauteil& element);
  // Names the pin (whose SetName spreads it to the net) or the node (which floods its net).
  void Apply(TBauteil& element) const;

  QLineEdit* IVerbindung;

 protected:
  bool Validate() override;

 private:
  Use use_;
  std::string old_, name_;
};

}  // namespace tolmek
