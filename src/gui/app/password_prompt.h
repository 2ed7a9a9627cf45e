// The password of a protected plan, asked through TDialogPasswort.
#pragma once

#include <QPointer>
#include <QWidget>

#include "model/messages.h"
#include "model/project_file.h"

namespace tolmek {

class DialogPasswordPrompt final : public PasswordPrompt {
 public:
  DialogPasswordPrompt(Messenger& messages, QWidget* parent) : messages_(messages), parent_(parent) {}
  [[nodiscard]] std::optional<std::string> AskPassword() override;

 private:
  Messenger& messages_;
  QPointer<QWidget> parent_;
};

}  // namespace tolmek
