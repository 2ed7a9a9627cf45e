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

// What both dialogs share: the block's name, a count of channels or bits, and a function of two choices
// (RadioGroup1) whose second one turns the counted inputs into outputs.
class ChannelCountDialog : public KindDialog {
 public:
  QLineEdit* IName;
  QLineEdit* IAnzahl;
  QLabel* LAnzahl;

 protected:
  // `first` and `second` name the function's two choices.
  ChannelCountDialog(Messenger& messages, QWidget* parent, const char* first, const char* second);
  void LoadNameAndCount(const std::string& name, int count, bool second);
  // A block name with `prefix` and a count lo..hi; otherwise the message (`inputs` or, with the second
  // function, `outputs`), the old text back and false.
  bool ValidateNameAndCount(const char* prefix, int lo, int hi, Msg inputs, Msg outputs);

  QRadioButton* first_;
  QRadioButton* second_;
  std::string name_;
  int count_ = 2;

 private:
  std::string oldName_;
  int oldCount_ = 2;
};

class TDialogMux final : public ChannelCountDialog {
  Q_OBJECT

 public:
  TDialogMux(Messenger& messages, QWidget* parent);
  void Load(const TObjMux& mux);
  void Apply(TObjMux& mux) const;

  QRadioButton* NToOne;  // RadioGroup1 "Funktion"
  QRadioButton* OneToN;
  QRadioButton* Bits8;   // RadioGroup2 "Typ"
  QRadioButton* Bits16;

 protected:
  bool Validate() override;

 private:
  void FollowFunction();
};

class TDialogBV final : public ChannelCountDialog {
  Q_OBJECT

 public:
  TDialogBV(Messenger& messages, QWidget* parent);
  void Load(const TObjBv& bv);
  void Apply(TObjBv& bv) const;

  QRadioButton* BitToByte;  // RadioGroup1 "Funktion"
  QRadioButton* ByteToBit;

 protected:
  bool Validate() override;

 private:
  void FollowFunction();
};

}  // namespace tolmek
