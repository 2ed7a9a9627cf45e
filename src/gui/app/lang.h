// The language mechanism for whole windows: caption and hint tables applied to actions, menus and widgets.
#pragma once

#include <QObject>
#include <QString>
#include <span>

#include "gui/captions.h"
#include "model/messages.h"

namespace tolmek {

// Language index 1..3 of the settings file as a language; anything else is German, the forms' own design.
[[nodiscard]] Language LanguageFromIndex(int index);
[[nodiscard]] inline int LanguageIndex(Language lang) { return static_cast<int>(lang); }

// Sets the texts of the objects named in `rows` under `root`: actions (text), menus (title), buttons,
// labels and group boxes; the row with the empty name sets the window title of `root`.
void ApplyCaptions(QObject& root, std::span<const Caption> rows, Language lang);
// Sets tool tip and status-line hint of the named actions and widgets; the empty name is `root` itself.
void ApplyHints(QObject& root, std::span<const Caption> rows, Language lang);

// The first object called `name` of `type` under `root`, nearest first, not looking into the child windows
// of a multiple-document area.
[[nodiscard]] QObject* FindOwnObject(QObject& root, const QString& name, const QMetaObject& type);
template <class T>
[[nodiscard]] T* FindOwn(QObject& root, const char* name) {
  return static_cast<T*>(FindOwnObject(root, QString::fromUtf8(name), T::staticMetaObject));
}

// One text of a row of a table, looked up by the control's name; empty when the table has no such row.
[[nodiscard]] QString TableText(std::span<const Caption> rows, const char* control, Language lang);

}  // namespace tolmek
