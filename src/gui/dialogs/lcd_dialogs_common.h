// Small helpers of the LCD and UART dialogs: named widgets in one call, module names of the plan.
#pragma once

#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
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
