// TDialogProjekt and TDialogPasswort.
#include "gui/app/dialog_projekt.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/app/lang.h"

namespace tolmek {

namespace {

constexpr Msg kNotANumber = Msg::OnlyNumbers;
constexpr int kPasswordLength = 8;

constexpr Caption kCaptions[] = {
    {"", "Projekt Einstellungen", "Project settings", "Impostazioni progetto"},
    {"Label1", "angelegt am:", "created:", "creato il:"},
    {"Label2", "letzte Änderung:", "last change:", "ultima modifica:"},
    {"Label3", "Hauptversion", "Major version", "Versione principale"},
    {"Label4", "Nebenversion", "Minor version", "Versione secondaria"},
    {"Label5", "Build", "Build", "Build"},
    {"CheckBox1", "Build automatisch erhöhen", "Increase build automatically", "Incrementa build automaticamente"},
    {"Label6", "Passwort (max. 8 Zeichen)", "Password (max. 8 characters)", "Password (max. 8 caratteri)"},
    {"OKBtn", "&OK", "&OK", "&OK"},
    {"CancelBtn", "&Abbruch", "&Cancel", "&Annulla"},
};

constexpr Caption kPasswordCaptions[] = {
    {"", "Passwort ?", "Password ?", "Password ?"},
    {"Label1", "Passwort:", "Password:", "Password:"},
    {"OKBtn", "&OK", "&OK", "&OK"},
    {"CancelBtn", "&Abbruch", "&Cancel", "&Annulla"},
};

QString Stamp(const DateTime& t) {
  return QString("%1.%2.%3  %4:%5")
      .arg(t.day, 2, 10, QChar('0'))
      .arg(t.month, 2, 10, QChar('0'))
      .arg(t.year)
      .arg(t.hour, 2, 10, QChar('0'))
      .arg(t.minute, 2, 10, QChar('0'));
}

QLabel* Named(QLabel* label, const char* name) {
  label->setObjectName(name);
  return label;
}

QHBoxLayout* OkCancel(QDialog* dialog) {
  auto* row = new QHBoxLayout;
  row->addStretch();
  auto* ok = new QPushButton(dialog);
  ok->setObjectName("OKBtn");
  ok->setDefault(true);
  auto* cancel = new QPushButton(dialog);
  cancel->setObjectName("CancelBtn");
  row->addWidget(ok);
  row->addWidget(cancel);
  QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
  QObject::connect(cancel, &QPushButton::clicked, dialog, &QDialog::reject);
  return row;
}

}  // namespace

TDialogProjekt::TDialogProjekt(const ProjectInfo& info, Messenger& messages, QWidget* parent)
    : QDialog(parent), info_(info), messages_(messages) {
  setObjectName("TDialogProjekt");
  auto* layout = new QVBoxLayout(this);
  auto* form = new QFormLayout;
  form->addRow(Named(new QLabel(this), "Label1"), new QLabel(Stamp(info.CreatedAt), this));
  form->addRow(Named(new QLabel(this), "Label2"), new QLabel(Stamp(info.ChangedAt), this));
  const uint8_t values[3] = {info.MajorVersion, info.MinorVersion, info.BuildNumber};
  const char* labels[3] = {"Label3", "Label4", "Label5"};
  for (int i = 0; i < 3; ++i) {
    auto* edit = new QLineEdit(QString::number(values[i]), this);
    edit->setObjectName(QString("Version%1").arg(i + 1));
    edit->setMaxLength(3);
    edit->setFixedWidth(50);
    versions_[size_t(i)] = edit;
    lastGood_[size_t(i)] = edit->text();
    connect(edit, &QLineEdit::textEdited, this, [this, i] { VersionEdited(i); });
    form->addRow(Named(new QLabel(this), labels[i]), edit);
  }
  autoIncrement_ = new QCheckBox(this);
  autoIncrement_->setObjectName("CheckBox1");
  autoIncrement_->setChecked(info.AutoIncrement);
  form->addRow(autoIncrement_);
  password_ = new QLineEdit(QString::fromLatin1(info.Password.c_str()), this);
  password_->setObjectName("Edit1");
  password_->setMaxLength(kPasswordLength);
  form->addRow(Named(new QLabel(this), "Label6"), password_);
  layout->addLayout(form);
  layout->addLayout(OkCancel(this));
  SetLanguageCaptions(messages.CurrentLanguage());
}

void TDialogProjekt::SetLanguageCaptions(Language lang) { ApplyCaptions(*this, kCaptions, lang); }

void TDialogProjekt::VersionEdited(int i) {
  QLineEdit* edit = versions_[size_t(i)];
  const QString text = edit->text();
  // An emptied field is the user about to type a new number.
  if (text.isEmpty()) return;
  bool number = false;
  const int value = text.toInt(&number);
  if (!number || value < 0) {
    edit->setText(lastGood_[size_t(i)]);
    messages_.ShowMessage(kNotANumber);
    return;
  }
  if (value >= 256) edit->setText("255");
  lastGood_[size_t(i)] = edit->text();
}

void TDialogProjekt::accept() {
  ProjectInfo r = info_;
  uint8_t* fields[3] = {&r.MajorVersion, &r.MinorVersion, &r.BuildNumber};
  for (int i = 0; i < 3; ++i) *fields[i] = uint8_t(std::clamp(versions_[size_t(i)]->text().toInt(), 0, 255));
  r.AutoIncrement = autoIncrement_->isChecked();
  r.Password = password_->text().left(kPasswordLength).toLatin1().toStdString();
  info_ = r;
  QDialog::accept();
}

TDialogPasswort::TDialogPasswort(Language lang, QWidget* parent) : QDialog(parent) {
  setObjectName("TDialogPasswort");
  auto* layout = new QVBoxLayout(this);
  auto* row = new QHBoxLayout;
  row->addWidget(Named(new QLabel(this), "Label1"));
  edit_ = new QLineEdit(this);
  edit_->setObjectName("Edit1");
  edit_->setEchoMode(QLineEdit::Password);
  edit_->setMaxLength(kPasswordLength);
  row->addWidget(edit_);
  layout->addLayout(row);
  layout->addLayout(OkCancel(this));
  ApplyCaptions(*this, kPasswordCaptions, lang);
}

QString TDialogPasswort::Text() const { return edit_->text(); }

}  // namespace tolmek
