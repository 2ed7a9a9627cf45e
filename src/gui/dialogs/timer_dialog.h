// TDialogTimer: a timer's name and its period, in milliseconds or as the name of a variable counting ticks.
#pragma once

#include <QLabel>
#include <QLineEdit>
#include <cstdint>
#include <string>

#include "gui/dialogs/kind_dialog.h"

namespace tolmek {

class TObjTimer;

class TDialogTimer final : public KindDialog {
  Q_OBJECT

 public:
  TDialogTimer(Messenger& messages, QWidget* parent);
  // Takes the allowed range from the clock of the timer's project.
  void Load(const TObjTimer& timer);
  void Apply(TObjTimer& timer) const;

  QLineEdit* IName;
  QLineEdit* IPDauer;
  QLabel* Label1;  // "Periodendauer (min-max ms)"

 protected:
  bool Validate() override;

 private:
  void SetRange(double clockHz);

  long min_ = 2, max_ = 131070;
  std::string oldName_, name_, periodName_;
  uint16_t halfPeriod_ = 1000;
};

}  // namespace tolmek
