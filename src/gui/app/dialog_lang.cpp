// TDialogLang: three radio items that re-label the dialog as soon as one is picked.
#include "gui/app/dialog_lang.h"

#include <QGroupBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/app/lang.h"

namespace tolmek {

namespace {

constexpr Caption kCaptions[] = {
    {"", "Sprache auswählen", "Choose language", "Lingua ( scelta )"},
    {"RadioGroup1", "Sprache", "Language", "Lingua"},
    {"Item1", "&Deutsch", "&German", "&Tedesco"},
    {"Item2", "&Englisch", "&English", "&Inglese"},
    {"Item3", "&Italienisch", "&Italian", "I&taliano"},
    {"OKBtn", "&Ok", "&Ok", "&Ok"},
};

}  // namespace

int LanguageOfLocale(const QLocale& locale) {
  switch (locale.language()) {
    case QLocale::German: return 1;
    case QLocale::Italian: return 3;
    default: return 2;
  }
}

TDialogLang::TDialogLang(QWidget* parent, const QLocale& locale) : QDialog(parent) {
  setObjectName("TDialogLang");
  auto* layout = new QVBoxLayout(this);
  auto* group = new QGroupBox(this);
  group->setObjectName("RadioGroup1");
  auto* groupLayout = new QVBoxLayout(group);
  for (int i = 0; i < 3; ++i) {
    items_[i] = new QRadioButton(group);
    items_[i]->setObjectName(QString("Item%1").arg(i + 1));
    groupLayout->addWidget(items_[i]);
    connect(items_[i], &QRadioButton::clicked, this, [this, i] { Choose(i + 1); });
  }
  layout->addWidget(group);
  auto* ok = new QPushButton(this);
  ok->setObjectName("OKBtn");
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  layout->addWidget(ok);
  // The language of the system is chosen already; one click on "&Ok" takes it.
  Choose(LanguageOfLocale(locale));
  setMinimumWidth(260);
}

void TDialogLang::Choose(int index) {
  if (index < 1 || index > 3) return;
  language_ = index;
  items_[index - 1]->setChecked(true);
  SetLanguageCaptions(LanguageFromIndex(index));
}

void TDialogLang::SetLanguageCaptions(Language lang) { ApplyCaptions(*this, kCaptions, lang); }

int AskLanguage(QWidget* parent) {
  TDialogLang dialog(parent);
  dialog.exec();
  return dialog.LanguageIndex();
}

}  // namespace tolmek
