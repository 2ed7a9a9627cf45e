// TDialogLang: the choice of language at the first start.
#pragma once

#include <QDialog>
#include <QLocale>

#include "model/messages.h"

class QRadioButton;

namespace tolmek {

class TDialogLang final : public QDialog {
  Q_OBJECT

 public:
  // Starts with the language of `locale` chosen and shown (German, Italian, else English).
  explicit TDialogLang(QWidget* parent = nullptr, const QLocale& locale = QLocale::system());

  // 1 German, 2 English, 3 Italian.
  [[nodiscard]] int LanguageIndex() const { return language_; }
  // Chooses an item as a click does: the dialog re-labels itself at once.
  void Choose(int index);
  void SetLanguageCaptions(Language lang);

 private:
  int language_ = 2;
  QRadioButton* items_[3] = {};
};

// 1 German, 2 English or 3 Italian: the language of `locale`, English for any other.
[[nodiscard]] int LanguageOfLocale(const QLocale& locale);

// Shows the dialog modally and returns the language chosen (the system's when closed without a choice).
int AskLanguage(QWidget* parent = nullptr);

}  // namespace tolmek
