// TDialogUData: the UART module, the direction and the list of variables a UART data block transfers.
#pragma once

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <vector>

#include "gui/dialogs/kind_dialog.h"

namespace tolmek {

class TObjUdata;

class TDialogUData final : public KindDialog {
  Q_OBJECT

 public:
  TDialogUData(Messenger& messages, QWidget* parent);
  void Load(const TObjUdata& block);
  void Apply(TObjUdata& block) const;

  QLineEdit* IName;
  QComboBox* ComboUart;                      // "Schnittstelle"
  std::vector<QRadioButton*> RadioFunction;  // transmit, receive
  QListWidget* ListRam;                      // "im RAM": variables not yet in the message
  QListWidget* ListItems;                    // the message, in order
  QLabel* LItems;                            // follows the chosen function
  QPushButton* BtnAdd;                       // ">"
  QPushButton* BtnRemove;                    // "<"

 protected:
  bool Validate() override;

 private:
  void Move(QListWidget* from, QListWidget* to);
  void UpdateItemsLabel();

  std::string oldName_, name_;
};

}  // namespace tolmek
