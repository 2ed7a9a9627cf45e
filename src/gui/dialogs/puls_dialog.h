// TDialogPuls: a mono-flop's name, length (milliseconds or a variable counting ticks) and function.
#pragma once

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <array>

#include "gui/dialogs/kind_dialog.h"

namespace tolmek {

class TObjPuls;

class TDialogPuls final : public KindDialog {
  Q_OBJECT

 public:
  TDialogPuls(Messenger& messages, QWidget* parent);
  // Takes the allowed range from the clock of the mono-flop's project.
  void Load(const TObjPuls& puls);
  void Apply(TObjPuls& puls) const;

  QLineEdit* IName;
  QLineEdit* ILaenge;
  QLabel* Label2;                          // "Impulslänge (min-max ms)"
  QGroupBox* RadioGroup1;                  // delay kind, shown for the delay function
  std::array<QRadioButton*, 2> DelayKind{};  // " Anzug", " Abfall"
  QGroupBox* RadioGroup2;                  // "Funktion"
  std::array<QRadioButton*, 2> Function{};   // " Mono-Flop", " Verzögerung"
  QGroupBox* GroupBox1;                    // holds IRetrigger, shown for the mono-flop function
  QCheckBox* IRetrigger;

 protected:
  bool Validate() override;

 private:
  void SetRange(double clockHz);
  void ShowFunction();

  long min_ = 1, max_ = 65535;
  std::string oldName_, name_, lengthName_;
  QString oldLength_;
  uint16_t length_ = 20;
};

}  // namespace tolmek
