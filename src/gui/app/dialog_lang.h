// TDialogLang: the choice of language at the first start.
#pragma once

#include <QDialog>

#include "model/messages.h"

class QRadioButton;

namespace tolmek {

class TDialogLang final : public QDialog {
  Q_OBJECT

 public:
  // Starts in English with no item chosen; the language is 2 until the user picks one.
  explicit TDialogLang(QWidget* parent = nullptr);

  // 1 German, 2 English, 3 Italian.
  [[nodiscard]] int LanguageIndex() const { return language_; }
  // Chooses an item as a click does: the dialog re-labels itself at once.
  void Choose(int index);
  void SetLanguageCaptions(Language lang);

 private:
  int language_ = 2;
  QRadioButton* items_[3] = {};
};

// Shows the dialog modally and returns the language chosen (2 when it was closed without a choice).
int AskLanguage(QWidget* parent = nullptr);

}  // namespace tolmek
