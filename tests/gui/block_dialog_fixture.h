// The fixture of the block dialogs' tests: a project with a message recorder in one language, blocks placed
// at (100, 100), and OK pressed the way a user presses it.
#pragma once

#include <QDialog>
#include <QPushButton>

#include "gui_support.h"
#include "model/project.h"

namespace tolmek::test {

template <Language lang>
class BlockDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { App(); }
  template <class T>
  T& Add(uint8_t kindCode) {
    return static_cast<T&>(*project.CreateElement(kindCode, 100, 100));
  }
  // True when the dialog accepted its fields and closed.
  static bool PressOk(QDialog& d) {
    d.setResult(QDialog::Rejected);
    d.findChild<QPushButton*>("OKBtn")->click();
    return d.result() == QDialog::Accepted;
  }
  RecordingSink sink;
  Messenger messages{&sink, lang};
  Project project{messages};
};

}  // namespace tolmek::test
