// TDialogGatter: a gate's name, number of inputs and type.
#pragma once

#include <QLineEdit>
#include <QRadioButton>
#include <array>

#include "components/gatter.h"
#include "gui/dialogs/kind_dialog.h"

namespace tolmek {

class TDialogGatter final : public KindDialog {
  Q_OBJECT

 public:
  TDialogGatter(Messenger& messages, QWidget* parent);
  void Load(const TObjGatter& gate);
  void Apply(TObjGatter& gate) const;

  QLineEdit* IName;
  QLineEdit* IAnzahl;
  std::array<QRadioButton*, 3> RadioGroup1{};  // AND, OR, exclusive OR

 protected:
  bool Validate() override;

 private:
  std::string oldName_, name_;
  int oldCount_ = 2, count_ = 2;
};

}  // namespace tolmek
