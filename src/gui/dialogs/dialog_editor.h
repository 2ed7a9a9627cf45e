// The property dialogs of the plan's elements, chosen by kind (and pin width) from one table.
#pragma once

#include <QPointer>
#include <QWidget>

#include "model/element.h"
#include "model/messages.h"

namespace tolmek {

class DialogEditor final : public ElementEditor {
 public:
  DialogEditor(Messenger& messages, QWidget* parent) : messages_(messages), parent_(parent) {}
  // Opens the element's dialog modally; true when it was accepted and applied.
  bool Edit(TBauteil& element) override;
  // Whether a dialog exists for the element.
  [[nodiscard]] static bool HasDialog(const TBauteil& element);

 private:
  Messenger& messages_;
  QPointer<QWidget> parent_;
};

}  // namespace tolmek
