// TDialogZaehler: name and number of outputs of a counter or a shift register; TDialogVRZaehler: name,
// width and number of outputs of an up/down counter.
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <array>

#include "gui/dialogs/kind_dialog.h"

namespace tolmek {

class TCountBlock;
class TObjVrzaehl;

class TDialogZaehler final : public KindDialog {
  Q_OBJECT

 public:
  enum class Use { Counter, ShiftRegister };
  TDialogZaehler(Use use, Messenger& messages, QWidget* parent);
  void Load(const TCountBlock& block);
  void Apply(TCountBlock& block) const;

  QLineEdit* IName;
  QLineEdit* IAnzahl;

 protected:
  bool Validate() override;

 private:
  Use use_;
  std::string oldName_, name_;
  int count_ = 1;
};

class TDialogVRZaehler final : public KindDialog {
  Q_OBJECT

 public:
  TDialogVRZaehler(Messenger& messages, QWidget* parent);
  void Load(const TObjVrzaehl& counter);
  void Apply(TObjVrzaehl& counter) const;

  QLineEdit* Edit1;  // name
  QLineEdit* Edit2;  // number of outputs
  QLabel* Label2;    // "Ausgänge (0 - 8)" or "(0 - 16)" after the type
  QGroupBox* RadioGroup1;
  std::array<QRadioButton*, 2> Type{};  // 8-bit, 16-bit

 protected:
  bool Validate() override;

 private:
  void ShowRange();

  std::string oldName_, name_;
  int count_ = 0;
};

}  // namespace tolmek
