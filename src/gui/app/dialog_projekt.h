// TDialogProjekt: project dates, version numbers, automatic build counting and the password.
#pragma once

#include <QDialog>
#include <array>

#include "model/messages.h"
#include "model/project.h"

class QCheckBox;
class QLineEdit;

namespace tolmek {

class TDialogProjekt final : public QDialog {
  Q_OBJECT

 public:
  TDialogProjekt(const ProjectInfo& info, Messenger& messages, QWidget* parent = nullptr);

  // What OK stored (the values passed in until then).
  [[nodiscard]] const ProjectInfo& Info() const { return info_; }
  void SetLanguageCaptions(Language lang);
  void accept() override;

  // The major, minor and build fields (0..2), for tests.
  [[nodiscard]] QLineEdit& Version(int i) const { return *versions_[size_t(i)]; }
  [[nodiscard]] QLineEdit& Password() const { return *password_; }

 private:
  // Checks a version field after every change: no number shows message 12 and brings the last good
  // text back; 256 or more becomes "255".
  void VersionEdited(int i);

  ProjectInfo info_;
  Messenger& messages_;
  std::array<QLineEdit*, 3> versions_{};
  std::array<QString, 3> lastGood_;
  QCheckBox* autoIncrement_;
  QLineEdit* password_;
};

// "Passwort ?": the password asked when a protected plan is opened.
class TDialogPasswort final : public QDialog {
  Q_OBJECT

 public:
  TDialogPasswort(Language lang, QWidget* parent = nullptr);
  [[nodiscard]] QString Text() const;

 private:
  QLineEdit* edit_;
};

}  // namespace tolmek
