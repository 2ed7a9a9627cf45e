// Small helpers of the LCD and UART dialogs: named widgets in one call, module names of the plan.
#pragma once

#include <QButtonGroup>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>
#include <vector>

#include "model/element.h"
#include "model/project.h"

namespace tolmek {

template <class W>
W* Named(QWidget* parent, const char* name) {
  auto* w = new W(parent);
  w->setObjectName(name);
  return w;
}

// A row of `grid`: the label and the field beside it, the field taking at most `maxLength` characters.
inline QLineEdit* LabelledEdit(QWidget* parent, QGridLayout* grid, int row, const char* label, const char* edit,
                               int maxLength) {
  grid->addWidget(Named<QLabel>(parent, label), row, 0);
  auto* e = Named<QLineEdit>(parent, edit);
  e->setMaxLength(maxLength);
  grid->addWidget(e, row, 1);
  return e;
}

// A group box of radio buttons named group + "_0", "_1", ...
inline std::vector<QRadioButton*> RadioGroup(QGroupBox* group, int count) {
  auto* layout = new QVBoxLayout(group);
  auto* buttons = new QButtonGroup(group);
  std::vector<QRadioButton*> out;
  for (int i = 0; i < count; ++i) {
    auto* b = new QRadioButton(group);
    b->setObjectName(group->objectName() + "_" + QString::number(i));
    layout->addWidget(b);
    buttons->addButton(b, i);
    out.push_back(b);
  }
  return out;
}

inline int CheckedIndex(const std::vector<QRadioButton*>& buttons) {
  for (size_t i = 0; i < buttons.size(); ++i)
    if (buttons[i]->isChecked()) return int(i);
  return 0;
}

// Names of the plan's elements of one kind, in list order.
inline QStringList NamesOfKind(const TBauteil& element, uint8_t kindCode) {
  QStringList names;
  if (const Project* p = element.GetProject())
    for (const auto& e : p->Elements())
      if (e->Kind == kindCode) names << QString::fromStdString(e->Name);
  return names;
}

}  // namespace tolmek
