// The dialogs of the numeric blocks: TDialogVergleich (comparator), TDialogMathe (arithmetic) and
// TDialogLimit (limiter).
#pragma once

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <array>
#include <string>

#include "gui/dialogs/kind_dialog.h"

namespace tolmek {

class TObjVergl;
class TObjMathe;
class TObjLimit;

class TDialogVergleich final : public KindDialog {
  Q_OBJECT

 public:
  TDialogVergleich(Messenger& messages, QWidget* parent);
  void Load(const TObjVergl& comparator);
  void Apply(TObjVergl& comparator) const;

  std::array<QRadioButton*, 6> RadioGroup1{};  // ">", ">=", "=", "<=", "<", "<>"
  std::array<QRadioButton*, 2> RadioGroup2{};  // 8-bit, 16-bit

 protected:
  bool Validate() override { return true; }
};

class TDialogMathe final : public KindDialog {
  Q_OBJECT

 public:
  TDialogMathe(Messenger& messages, QWidget* parent);
  void Load(const TObjMathe& block);
  void Apply(TObjMathe& block) const;

  std::array<QRadioButton*, 4> RadioGroup1{};  // addition, subtraction, multiplication, division
  std::array<QRadioButton*, 2> RadioGroup2{};  // 8-bit, 16-bit

 protected:
  bool Validate() override { return true; }
};

class TDialogLimit final : public KindDialog {
  Q_OBJECT

 public:
  TDialogLimit(Messenger& messages, QWidget* parent);
  void Load(const TObjLimit& limiter);
  void Apply(TObjLimit& limiter) const;

  QLineEdit* Edit1;  // name
  QLineEdit* Edit2;  // upper limit
  QLineEdit* Edit3;  // lower limit
  QLabel* LUpper;
  QLabel* LLower;
  std::array<QRadioButton*, 2> RadioGroup1{};  // 8-bit, 16-bit

 protected:
  bool Validate() override;

 private:
  // The limit labels name the range of the chosen width.
  void ShowRanges();
  std::string oldName_, name_, upper_, lower_;
};

}  // namespace tolmek
