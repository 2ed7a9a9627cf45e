// TDialogOShot: the name of a one-shot.
#include "gui/dialogs/shot_dialog.h"

#include <QLabel>

#include "components/shot.h"

namespace tolmek {

namespace {
constexpr Caption kCaptions[] = {
    {"", "One-Shot Info", "One-Shot Info", "Info One-Shot"},
    {"LName", "Name", "Name", "Nome"},
};
}  // namespace

TDialogOShot::TDialogOShot(Messenger& messages, QWidget* parent) : KindDialog(messages, parent) {
  auto* nameLabel = new QLabel(this);
  nameLabel->setObjectName("LName");
  Edit1 = new QLineEdit(this);
  Edit1->setObjectName("Edit1");
  Edit1->setMaxLength(int(kMaxNameLength));
  Body().addWidget(nameLabel);
  Body().addWidget(Edit1);
  ApplyCaptions(kCaptions);
}

void TDialogOShot::Load(const TObjShot& shot) {
  oldName_ = shot.Name;
  Edit1->setText(QString::fromStdString(shot.Name));
}

bool TDialogOShot::Validate() {
  auto name = TakeBlockName(*Edit1, "OS", oldName_);
  if (!name) return false;
  name_ = *name;
  return true;
}

void TDialogOShot::Apply(TObjShot& shot) const { shot.SetName(name_); }

}  // namespace tolmek
