// TDialogPIC: the microcontroller settings — type, configuration fuses, oscillator, clock, calibration,
// MCLR choice, debugger mode and the bank-selection optimisation.
#pragma once

#include <QDialog>

#include "model/messages.h"
#include "model/project.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;

namespace tolmek {

class TDialogPIC final : public QDialog {
  Q_OBJECT

 public:
  TDialogPIC(const McuSettings& mcu, bool optimise, Messenger& messages, QWidget* parent = nullptr);

  // What OK stored (the values passed in until then).
  [[nodiscard]] const McuSettings& Mcu() const { return mcu_; }
  [[nodiscard]] bool Optimise() const { return optimise_; }

  void SetLanguageCaptions(Language lang);
  // Selects a type in the list as the user does; the enabling rules follow.
  void SelectType(int type);
  // OK: stores every control; a clock of 99 Hz or less becomes 100 with message 11.
  void accept() override;

  // Controls, for tests.
  [[nodiscard]] QComboBox& TypeList() const { return *types_; }
  [[nodiscard]] QCheckBox& Icd() const { return *icd_; }
  [[nodiscard]] QCheckBox& PowerOnTimer() const { return *pot_; }
  [[nodiscard]] QCheckBox& BrownOut() const { return *bod_; }
  [[nodiscard]] QCheckBox& Watchdog() const { return *wdt_; }
  [[nodiscard]] QLineEdit& Clock() const { return *clock_; }
  [[nodiscard]] QLineEdit& Calibration() const { return *calibration_; }
  [[nodiscard]] QGroupBox& MclreGroup() const { return *mclreGroup_; }
  [[nodiscard]] QRadioButton& Oscillator(int choice) const { return *oscillators_[choice]; }

 signals:
  // "Hilfe": the help page on the microcontroller settings.
  void HelpRequested();

 private:
  void ApplyRules();
  void ClockEdited(const QString& text);
  void Coupled(QCheckBox* changed);

  McuSettings mcu_;
  bool optimise_;
  Messenger& messages_;
  QComboBox* types_;
  QCheckBox* wdt_;
  QCheckBox* pot_;
  QCheckBox* pbpu_;
  QCheckBox* cp_;
  QCheckBox* bod_;
  QRadioButton* oscillators_[5] = {};
  QLineEdit* clock_;
  QCheckBox* optimize_;
  QCheckBox* icd_;
  QLabel* calibrationLabel_;
  QLineEdit* calibration_;
  QGroupBox* mclreGroup_;
  QRadioButton* mclre_[2] = {};
  bool coupling_ = false;
};

}  // namespace tolmek
