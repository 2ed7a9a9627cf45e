// TDialogKommentar: a comment's text and font.
#pragma once

#include <QLineEdit>
#include <QPushButton>

#include "components/text.h"
#include "gui/dialogs/kind_dialog.h"

namespace tolmek {

class TDialogKommentar final : public KindDialog {
  Q_OBJECT

 public:
  TDialogKommentar(Messenger& messages, QWidget* parent);
  void Load(const TObjText& comment);
  void Apply(TObjText& comment) const;

  QLineEdit* IText;
  QPushButton* FontButton;
  QPushButton* ColorButton;
  Font ChosenFont;  // what the font and colour dialogs chose

 protected:
  bool Validate() override { return true; }

 private:
  void ChooseFont();
  void ChooseColor();
  void ShowFont();
};

}  // namespace tolmek
