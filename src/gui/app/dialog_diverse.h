// TDialogDiverse: the environment dialog — editing options, view options, refresh period and language.
#pragma once

#include <QDialog>

#include "gui/environment.h"
#include "model/messages.h"

class QCheckBox;
class QLineEdit;
class QRadioButton;

namespace tolmek {

struct EnvironmentChoice {
  Environment env;
  int simRate = 100;
  int language = 2;  // 1..3
};

class TDialogDiverse final : public QDialog {
  Q_OBJECT

 public:
  // `messages` tells why a refresh text is refused (none: refused silently).
  explicit TDialogDiverse(const EnvironmentChoice& current, Messenger* messages = nullptr, QWidget* parent = nullptr);

  // What OK accepted (the values passed in until then).
  [[nodiscard]] const EnvironmentChoice& Result() const { return result_; }
  void SetLanguageCaptions(Language lang);
  // OK: a refresh text that is no number keeps the dialog open with message 12; the number is clamped to
  // 1..65535.
  void accept() override;

 private:
  EnvironmentChoice result_;
  Messenger* messages_;
  QCheckBox* signale_;
  QCheckBox* rechteMaus_;
  QCheckBox* shift_;
  QCheckBox* winkel_;
  QCheckBox* threeD_;
  QCheckBox* autoFenster_;
  QCheckBox* pfeile_;
  QLineEdit* rate_;
  QRadioButton* languages_[3] = {};
};

}  // namespace tolmek
