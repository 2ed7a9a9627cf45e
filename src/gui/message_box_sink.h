// Messages of the catalogue shown as message boxes.
#pragma once

#include <QWidget>
#include <QPointer>

#include "model/messages.h"

namespace tolmek {

class QtMessageSink final : public MessageSink {
 public:
  explicit QtMessageSink(QWidget* parent = nullptr) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }
  Answer Present(Msg number, MessageMode mode, const std::string& title, const std::string& text) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace tolmek
