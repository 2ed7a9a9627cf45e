// TDialogSuchen "Suchen..." and TDialogObRf "Objektreihenfolge ändern".
#pragma once

#include <QDialog>

#include "model/clipboard.h"
#include "model/messages.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace tolmek {

// The name to search for, upper case, at most 30 characters; a "*" searches by beginning.
class TDialogSuchen final : public QDialog {
  Q_OBJECT

 public:
  TDialogSuchen(Language lang, QWidget* parent = nullptr);
  [[nodiscard]] QString SearchText() const;

  QLineEdit* Edit1;
  QPushButton* SearchButton;
  QPushButton* CancelButton;
};

// The object order: names and numbers side by side; "nach vorne" and "nach hinten" exchange the selected
// element with its neighbour in the list.
class TDialogObRf final : public QDialog {
  Q_OBJECT

 public:
  TDialogObRf(ObjectOrder& order, Language lang, QWidget* parent = nullptr);

  void ForwardClicked();
  void BackwardClicked();
  [[nodiscard]] int SelectedRow() const;
  void SelectRow(int row);

  QListWidget* ListBox1;  // "Name"
  QListWidget* ListBox2;  // "interne #"
  QPushButton* ForwardButton;
  QPushButton* BackwardButton;

 private:
  void Fill();

  ObjectOrder& order_;
};

}  // namespace tolmek
