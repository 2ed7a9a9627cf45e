// TDialogMux and TDialogBV: name, count and function of a multiplexer or a bit/byte distributor (and the
// multiplexer's value width).
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <string>

#include "gui/dialogs/kind_dialog.h"

namespace tolmek {

class TObjMux;
class TObjBv;

class TDialogMux final : public KindDialog {
  Q_OBJECT

 public:
  TDialogMux(Messenger& messages, QWidget* parent);
  void Load(const TObjMux& mux);
  void Apply(TObjMux& mux) const;

  QLineEdit* IName;
  QLineEdit* IAnzahl;
  QLabel* LAnzahl;
  QRadioButton* NToOne;  // RadioGroup1 "Funktion"
  QRadioButton* OneToN;
  QRadioButton* Bits8;   // RadioGroup2 "Typ"
  QRadioButton* Bits16;

 protected:
  bool Validate() override;

 private:
  void FollowFunction();
  std::string oldName_, name_;
  int oldCount_ = 2, count_ = 2;
};

class TDialogBV final : public KindDialog {
  Q_OBJECT

 public:
  TDialogBV(Messenger& messages, QWidget* parent);
  void Load(const TObjBv& bv);
  void Apply(TObjBv& bv) const;

  QLineEdit* IName;
  QLineEdit* IAnzahl;
  QLabel* LAnzahl;
  QRadioButton* BitToByte;  // RadioGroup1 "Funktion"
  QRadioButton* ByteToBit;

 protected:
  bool Validate() override;

 private:
  void FollowFunction();
  std::string oldName_, name_;
  int oldCount_ = 2, count_ = 2;
};

}  // namespace tolmek
