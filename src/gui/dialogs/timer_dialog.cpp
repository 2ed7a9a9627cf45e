// TDialogTimer: a timer's name and its period, in milliseconds or as the name of a variable counting ticks.
#include "gui/dialogs/timer_dialog.h"

#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "components/time_base.h"
#include "components/timer.h"
#include "model/project.h"

namespace tolmek {

namespace {

constexpr Caption kCaptions[] = {
    {"", "Timer - Info", "Timer - Info", "Timer - Info"},
    {"LName", "Name", "Name", "Nome"},
    {"LHint", "oder Variable (Halbperiode in Zeitbasis-Takten zu 256 Befehlszyklen)",
     "or variable (half period in time-base ticks of 256 instruction cycles)",
     "o variabile (semiperiodo in impulsi della base tempi da 256 cicli)"},
};

constexpr const char* kPeriodWord[] = {"Periodendauer", "Period", "Periodo"};

}  // namespace

TDialogTimer::TDialogTimer(Messenger& messages, QWidget* parent) : KindDialog(messages, parent) {
  auto* nameLabel = new QLabel(this);
  nameLabel->setObjectName("LName");
  IName = new QLineEdit(this);
  IName->setObjectName("IName");
  IName->setMaxLength(int(kMaxNameLength));
  Label1 = new QLabel(this);
  Label1->setObjectName("Label1");
  IPDauer = new QLineEdit(this);
  IPDauer->setObjectName("IPDauer");
  IPDauer->setMaxLength(int(kMaxNameLength));
  auto* hint = new QLabel(this);
  hint->setObjectName("LHint");
  hint->setWordWrap(true);
  for (QWidget* w : std::initializer_list<QWidget*>{nameLabel, IName, Label1, IPDauer, hint}) Body().addWidget(w);
  ApplyCaptions(kCaptions);
  SetRange(4000000);
}

void TDialogTimer::SetRange(double clockHz) {
  min_ = kMinTimerPeriod;
  max_ = MaxTimerPeriod(clockHz);
  const int lang = std::clamp(int(Lang()), 1, 3) - 1;
  Label1->setText(QString("%1 (%2-%3ms)").arg(QString::fromUtf8(kPeriodWord[lang])).arg(min_).arg(max_));
}

void TDialogTimer::Load(const TObjTimer& timer) {
  const Project* p = timer.GetProject();
  SetRange(p ? p->Mcu.ClockHz : 4000000);
  oldName_ = timer.Name;
  IName->setText(QString::fromStdString(timer.Name));
  IPDauer->setText(timer.PeriodByName ? QString::fromStdString(timer.PeriodName)
                                      : QString::number(2 * long(timer.HalfPeriod)));
}

bool TDialogTimer::Validate() {
  auto name = TakeBlockName(*IName, "TR", oldName_);
  if (!name) return false;
  const QString text = IPDauer->text().trimmed().toUpper();
  bool number = false;
  const long long value = text.toLongLong(&number);
  periodName_.clear();
  if (!number) {
    if (text.isEmpty() || text[0].unicode() < u'A' || text[0].unicode() > u'Z') {
      messages_.ShowMessage(Msg::InvalidPeriod);
      return false;
    }
    periodName_ = text.toStdString();
    halfPeriod_ = 0;
  } else {
    const long period = long(std::clamp<long long>(value, -1, 131070));
    long half = period / 2;
    if (2 * half < min_ || 2 * half > max_) {
      messages_.ShowMessage(Msg::InvalidPeriod);
      // The nearest period allowed at this clock stands in the field.
      half = 2 * half < min_ ? std::lround(min_ / 2.0) : max_ / 2;
      IPDauer->setText(QString::number(2 * half));
      return false;
    }
    halfPeriod_ = uint16_t(half);
  }
  name_ = *name;
  return true;
}

void TDialogTimer::Apply(TObjTimer& timer) const {
  timer.SetName(name_);
  timer.PeriodByName = !periodName_.empty();
  timer.PeriodName = periodName_;
  timer.HalfPeriod = timer.PeriodByName ? 0 : halfPeriod_;
}

}  // namespace tolmek
