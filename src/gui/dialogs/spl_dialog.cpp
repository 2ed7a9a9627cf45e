// TDialogSPL: a label's type and name.
#include "gui/dialogs/spl_dialog.h"

#include <QLabel>
#include <QVBoxLayout>
#include <set>

#include "model/names.h"
#include "model/project.h"

namespace tolmek {

namespace {

constexpr Caption kCaptions[] = {
    {"", "Label Info", "Label Info", "Info etichetta"},
    {"RadioGroup1", "Typ", "Type", "Tipo"},
    {"Destination", " ist Ziel", " is destination", " è destinazione"},
    {"Source", " ist Quelle", " is source", " è sorgente"},
    {"NameGroup", "Name", "Name", "Nome"},
    {"LHint", "(leer = auto)", "(empty = auto)", "(vuoto = auto)"},
    {"TargetGroup", "Verbunden mit", "Connected to", "Collegato con"},
};

}  // namespace

TDialogSPL::TDialogSPL(Messenger& messages, QWidget* parent) : KindDialog(messages, parent) {
  auto* type = new QGroupBox(this);
  type->setObjectName("RadioGroup1");
  auto* typeLayout = new QVBoxLayout(type);
  Destination = new QRadioButton(type);
  Destination->setObjectName("Destination");
  Source = new QRadioButton(type);
  Source->setObjectName("Source");
  typeLayout->addWidget(Destination);
  typeLayout->addWidget(Source);

  NameGroup = new QGroupBox(this);
  NameGroup->setObjectName("NameGroup");
  auto* nameLayout = new QVBoxLayout(NameGroup);
  Edit1 = new QLineEdit(NameGroup);
  Edit1->setObjectName("Edit1");
  Edit1->setMaxLength(int(kMaxNameLength));
  auto* hint = new QLabel(NameGroup);
  hint->setObjectName("LHint");
  nameLayout->addWidget(Edit1);
  nameLayout->addWidget(hint);

  TargetGroup = new QGroupBox(this);
  TargetGroup->setObjectName("TargetGroup");
  auto* targetLayout = new QVBoxLayout(TargetGroup);
  ComboBox1 = new QComboBox(TargetGroup);
  ComboBox1->setObjectName("ComboBox1");
  targetLayout->addWidget(ComboBox1);

  Body().addWidget(type);
  Body().addWidget(NameGroup);
  Body().addWidget(TargetGroup);
  connect(Source, &QRadioButton::toggled, this, [this] { ShowGroupOfType(); });
  ApplyCaptions(kCaptions);
}

void TDialogSPL::ShowGroupOfType() {
  NameGroup->setVisible(Source->isChecked());
  TargetGroup->setVisible(!Source->isChecked());
}

void TDialogSPL::Load(const TObjSpl& label) {
  (label.IsSource() ? Source : Destination)->setChecked(true);
  if (label.IsSource()) Edit1->setText(QString::fromStdString(label.Name));
  std::set<std::string> names;  // each distinct source name once, sorted
  if (Project* p = label.GetProject())
    for (const auto& e : p->Elements())
      if (e->Kind == kind::Spl && e.get() != &label && static_cast<const TObjSpl&>(*e).IsSource()) names.insert(e->Name);
  for (const auto& n : names) ComboBox1->addItem(QString::fromStdString(n));
  if (!label.IsSource()) ComboBox1->setCurrentText(QString::fromStdString(label.Name));
  ShowGroupOfType();
}

void TDialogSPL::Apply(TObjSpl& label) const {
  if (Source->isChecked()) {
    label.SetMode(TObjSpl::kSource);
    label.SetName(SourceLabelName(Edit1->text().toStdString()));
    return;
  }
  // A destination without any source to join stays as it is.
  if (ComboBox1->currentIndex() >= 0) label.AttachTo(ComboBox1->currentText().toStdString());
}

}  // namespace tolmek
