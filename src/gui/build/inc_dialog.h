// TDialogInc "Include Info": the include block's file, place and length, and "Bearbeiten ..." to edit the file.
#pragma once

#include <QButtonGroup>
#include <QLineEdit>
#include <QPushButton>
#include <functional>
#include <string>

#include "components/inc.h"
#include "gui/dialogs/kind_dialog.h"

namespace tolmek {

class TDialogInc final : public KindDialog {
  Q_OBJECT

 public:
  TDialogInc(Messenger& messages, QWidget* parent);
  void Load(const TObjInc& inc);
  void Apply(TObjInc& inc) const;

  // What "Bearbeiten ..." does with the file name: set by the build commands (internal or external
  // editor). Without it the button does nothing.
  static std::function<void(const std::string& file)>& EditFile();

  QLineEdit* IDatei;
  QButtonGroup* RadioGroup1;
  QLineEdit* Edit1;
  QPushButton* Button1;

 protected:
  bool Validate() override;

 private:
  void EditClicked();
};

}  // namespace tolmek
