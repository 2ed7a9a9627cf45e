// The language mechanism of windows and dialogs: every visible text of a form as one table row per
// control, in German, English and Italian.
#pragma once

#include <QString>
#include <QWidget>
#include <span>

#include "model/messages.h"

namespace tolmek {

struct Caption {
  const char* control;  // the control's object name; "" for the form's own title
  const char* german;
  const char* english;
  const char* italian;
};

[[nodiscard]] QString CaptionText(const Caption& row, Language lang);

// Sets the texts of `form` and its named children for the language; labels, buttons, group boxes and
// line edits (their placeholder) are known. German is the form's own design; out-of-range keeps German.
void SetLanguageCaptions(QWidget& form, std::span<const Caption> rows, Language lang);

// "&OK" and "&Abbrechen" in the three languages, for every dialog's button box.
[[nodiscard]] std::span<const Caption> ButtonCaptions();

}  // namespace tolmek
