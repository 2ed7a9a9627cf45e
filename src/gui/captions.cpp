// The language mechanism of windows and dialogs.
#include "gui/captions.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

#include "gui/missing_names.h"

namespace tolmek {

QString CaptionText(const Caption& row, Language lang) {
  switch (lang) {
    case Language::English: return QString::fromUtf8(row.english);
    case Language::Italian: return QString::fromUtf8(row.italian);
    default: return QString::fromUtf8(row.german);
  }
}

void SetLanguageCaptions(QWidget& form, std::span<const Caption> rows, Language lang) {
  for (const Caption& row : rows) {
    QString text = CaptionText(row, lang);
    if (!*row.control) {
      form.setWindowTitle(text);
      continue;
    }
    QWidget* w = form.findChild<QWidget*>(QString::fromUtf8(row.control));
    if (!w) {
      NoteMissingName("caption", QString::fromUtf8(row.control));
      continue;
    }
    if (auto* label = qobject_cast<QLabel*>(w))
      label->setText(text);
    else if (auto* button = qobject_cast<QAbstractButton*>(w))
      button->setText(text);
    else if (auto* group = qobject_cast<QGroupBox*>(w))
      group->setTitle(text);
    else if (auto* edit = qobject_cast<QLineEdit*>(w))
      edit->setPlaceholderText(text);
  }
}

std::span<const Caption> ButtonCaptions() {
  static constexpr Caption kRows[] = {
      {"OKBtn", "&OK", "&OK", "&OK"},
      {"CancelBtn", "&Abbrechen", "&Cancel", "&Annulla"},
  };
  return kRows;
}

}  // namespace tolmek
