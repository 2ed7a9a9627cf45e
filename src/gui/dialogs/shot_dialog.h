// TDialogOShot: the name of a one-shot.
#pragma once

#include <QLineEdit>

#include "gui/dialogs/kind_dialog.h"

namespace tolmek {

class TObjShot;

class TDialogOShot final : public KindDialog {
  Q_OBJECT

 public:
  TDialogOShot(Messenger& messages, QWidget* parent);
  void Load(const TObjShot& shot);
  void Apply(TObjShot& shot) const;

  QLineEdit* Edit1;

 protected:
  bool Validate() override;

 private:
  std::string oldName_, name_;
};

}  // namespace tolmek
