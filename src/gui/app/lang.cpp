// Caption and hint tables applied to the objects of a window.
#include "gui/app/lang.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMdiSubWindow>
#include <QMenu>
#include <QWidget>
#include <cstring>

#include "gui/missing_names.h"

namespace tolmek {

QObject* FindOwnObject(QObject& root, const QString& name, const QMetaObject& type) {
  // Breadth first, and not into the child windows of a multiple-document area: their texts are their own,
  // and they may well use the same control names.
  QList<QObject*> level{&root};
  while (!level.isEmpty()) {
    QList<QObject*> next;
    for (QObject* o : level) {
      if (o->objectName() == name && type.cast(o)) return o;
      if (o != &root && qobject_cast<QMdiSubWindow*>(o)) continue;
      next += o->children();
    }
    level = std::move(next);
  }
  return nullptr;
}

namespace {

QObject* Named(QObject& root, const char* name) {
  return FindOwnObject(root, QString::fromUtf8(name), QObject::staticMetaObject);
}

void SetText(QObject* target, const QString& text) {
  if (auto* action = qobject_cast<QAction*>(target)) {
    action->setText(text);
    action->setIconText(text);
  } else if (auto* menu = qobject_cast<QMenu*>(target)) {
    menu->setTitle(text);
  } else if (auto* label = qobject_cast<QLabel*>(target)) {
    label->setText(text);
  } else if (auto* button = qobject_cast<QAbstractButton*>(target)) {
    button->setText(text);
  } else if (auto* group = qobject_cast<QGroupBox*>(target)) {
    group->setTitle(text);
  } else if (auto* widget = qobject_cast<QWidget*>(target)) {
    widget->setWindowTitle(text);
  }
}

}  // namespace

Language LanguageFromIndex(int index) {
  switch (index) {
    case 2: return Language::English;
    case 3: return Language::Italian;
    default: return Language::German;
  }
}

void ApplyCaptions(QObject& root, std::span<const Caption> rows, Language lang) {
  for (const Caption& row : rows) {
    const QString text = CaptionText(row, lang);
    if (!*row.control) {
      if (auto* w = qobject_cast<QWidget*>(&root)) w->setWindowTitle(text);
      continue;
    }
    if (QObject* target = Named(root, row.control))
      SetText(target, text);
    else
      NoteMissingName("caption", QString::fromUtf8(row.control));
  }
}

void ApplyHints(QObject& root, std::span<const Caption> rows, Language lang) {
  for (const Caption& row : rows) {
    const QString text = CaptionText(row, lang);
    QObject* target = *row.control ? Named(root, row.control) : &root;
    if (!target) NoteMissingName("hint", QString::fromUtf8(row.control));
    if (auto* action = qobject_cast<QAction*>(target)) {
      action->setToolTip(text);
      action->setStatusTip(text);
    } else if (auto* widget = qobject_cast<QWidget*>(target)) {
      widget->setToolTip(text);
      widget->setStatusTip(text);
    }
  }
}

QString TableText(std::span<const Caption> rows, const char* control, Language lang) {
  for (const Caption& row : rows)
    if (std::strcmp(row.control, control) == 0) return CaptionText(row, lang);
  return {};
}

}  // namespace tolmek
