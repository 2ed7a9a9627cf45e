// The two colour dialogs: the nine editor colours (TDialogFarbenEinstellen) and the two level colours of
// the simulation (TDialogSimFarbenEinstellen). Their texts are German in every language.
#pragma once

#include <QDialog>
#include <vector>

#include "gui/environment.h"

class QFrame;

namespace tolmek {

// Swatches with a button each that opens the standard colour dialog; "&Standard" restores the defaults;
// only "&OK" makes the edited colours the result.
class SwatchDialog : public QDialog {
  Q_OBJECT

 public:
  [[nodiscard]] Color ColorAt(size_t index) const { return colors_.at(index); }
  void SetColorAt(size_t index, Color c);
  // "&Standard".
  void RestoreDefaults();

 protected:
  struct Row {
    const char* caption;
    Color byDefault;
  };
  SwatchDialog(const char* title, std::vector<Row> rows, std::vector<Color> current, QWidget* parent);

 private:
  void Pick(size_t index);

  std::vector<Row> rows_;
  std::vector<Color> colors_;
  std::vector<QFrame*> swatches_;
};

class TDialogFarbenEinstellen final : public SwatchDialog {
  Q_OBJECT

 public:
  TDialogFarbenEinstellen(const Environment& env, QWidget* parent = nullptr);
  // Copies the nine colours into `env` (after OK).
  void Store(Environment& env) const;
};

class TDialogSimFarbenEinstellen final : public SwatchDialog {
  Q_OBJECT

 public:
  TDialogSimFarbenEinstellen(const Environment& env, QWidget* parent = nullptr);
  // Copies ColorHigh and ColorLow into `env` (after OK).
  void Store(Environment& env) const;
};

}  // namespace tolmek
