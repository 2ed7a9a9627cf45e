// TDialogRSFF: the name of an RS flip-flop, or name and value width of a Schmitt trigger.
#pragma once

#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>

#include "gui/dialogs/kind_dialog.h"
#include "model/element.h"

namespace tolmek {

class TObjRsff;
class TObjStrigg8;

class TDialogRSFF final : public KindDialog {
  Q_OBJECT

 public:
  enum class Use { FlipFlop, SchmittTrigger };
  TDialogRSFF(Use use, Messenger& messages, QWidget* parent);
  void Load(const TObjRsff& flipFlop);
  void Load(const TObjStrigg8& trigger);
  void Apply(TObjRsff& flipFlop) const;
  void Apply(TObjStrigg8& trigger) const;

  QLineEdit* IName;
  QGroupBox* RadioGroup1;  // "Eingänge", shown for the Schmitt trigger only
  QRadioButton* Bits8;
  QRadioButton* Bits16;

 protected:
  bool Validate() override;

 private:
  Use use_;
  std::string oldName_, name_;
};

}  // namespace tolmek
