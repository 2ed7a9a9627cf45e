// TDialogAnalog: the value window through which the user reads and sets a byte or word while simulating.
#pragma once

#include <QWidget>
#include <cstdint>
#include <optional>

class QLineEdit;
class QScrollBar;

namespace tolmek {

class TBauteil;
class SimEngine;
class Project;

// What the window shows and changes: a variable's value as 8- or 16-bit quantity.
struct ValueBinding {
  int32_t* target = nullptr;
  bool wordMode = false;
  bool isAdc = false;   // word mode: an A/D reading, moved in steps of 1 up to adcMax
  int adcMax = 255;
};

// How a block kind that feeds values (the data block, the pulse input) binds the window: registered by
// the kind's window code. Returns nothing when the block's variable is not resolved.
using ValueBinder = std::optional<ValueBinding> (*)(TBauteil& block, SimEngine& engine, const Project& project);
void RegisterValueBinder(uint8_t kindCode, ValueBinder binder);
[[nodiscard]] ValueBinder FindValueBinder(uint8_t kindCode);

class TDialogAnalog final : public QWidget {
  Q_OBJECT

 public:
  explicit TDialogAnalog(QWidget* parent = nullptr);

  // Shows the value of `binding` with the window's top-left corner at `screenPos`; hides the window when
  // the binding has no target. Filling the controls never writes the value.
  void ShowBinding(const ValueBinding& binding, QPoint screenPos);
  // Hides the window and forgets the target.
  void HideValue();

  [[nodiscard]] const ValueBinding& Binding() const { return binding_; }
  [[nodiscard]] QLineEdit& Edit() const { return *edit_; }
  [[nodiscard]] QScrollBar& Scroll() const { return *scroll_; }

 private:
  void Scrolled(int position);
  void Typed(const QString& text);

  ValueBinding binding_;
  QLineEdit* edit_;
  QScrollBar* scroll_;
  bool filling_ = false;
};

}  // namespace tolmek
