// TDialogDiverse: the environment dialog.
#include "gui/app/dialog_diverse.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/app/lang.h"
#include "settings/settings.h"

namespace tolmek {

namespace {

constexpr Caption kCaptions[] = {
    {"", "Umgebung", "Environment", "Ambiente"},
    {"GroupBox1", "Bedienung", "Service", "Comandi"},
    {"GroupBox2", "Aussehen", "View", "Aspetto"},
    {"GroupBox3", "Simulation", "Simulation", "Simulazione"},
    {"CheckBox1", "Signale-Namen automatisch erzeugen", "Create wire-names automatically",
     "Nomi dei segnali automatici"},
    {"CheckBox4", "Rechte-Maus-Taste zentriert", "Right mouse-button center", "Tasto destro centra la vista"},
    {"CheckBox6", "Auswählen ohne Shift (Umschalt)", "Select without shift", "Selezione senza Shift"},
    {"CheckBox7", "Verbindungen im rechten Winkel", "Connections rectangularly", "Collegamenti ad angolo retto"},
    {"CheckBox2", "3D Darstellung", "Show 3D", "Visualizzazione 3D"},
    {"CheckBox3", "Fenster automatisch anordnen", "Arrange windows automatically",
     "Disponi finestre automaticamente"},
    {"CheckBox5", "Pfeile bei schrägen Verbindungen", "Arrows at slanted connections",
     "Frecce nei collegamenti obliqui"},
    {"Label1", "Aktualisierung (1-65000)", "Refresh (1-65000)", "Aggiornamento (1-65000)"},
    {"Label2", "ms", "ms", "ms"},
    {"RadioGroup1", "Sprache", "Language", "Lingua"},
    {"Lang1", "Deutsch", "German", "Tedesco"},
    {"Lang2", "Englisch", "English", "Inglese"},
    {"Lang3", "Italienisch", "Italian", "Italiano"},
    {"OKBtn", "&OK", "&OK", "&OK"},
    {"CancelBtn", "&Abbruch", "&Cancel", "&Annulla"},
};

QCheckBox* Check(QWidget* parent, QLayout* layout, const char* name, bool on) {
  auto* box = new QCheckBox(parent);
  box->setObjectName(name);
  box->setChecked(on);
  layout->addWidget(box);
  return box;
}

}  // namespace

TDialogDiverse::TDialogDiverse(const EnvironmentChoice& current, Messenger* messages, QWidget* parent)
    : QDialog(parent), result_(current), messages_(messages) {
  setObjectName("TDialogDiverse");
  const Environment& e = current.env;
  auto* layout = new QGridLayout(this);

  auto* service = new QGroupBox(this);
  service->setObjectName("GroupBox1");
  auto* serviceLayout = new QVBoxLayout(service);
  signale_ = Check(service, serviceLayout, "CheckBox1", e.AutoSignals);
  rechteMaus_ = Check(service, serviceLayout, "CheckBox4", e.CentreOnRightClick);
  shift_ = Check(service, serviceLayout, "CheckBox6", e.SelectWithoutShift);
  winkel_ = Check(service, serviceLayout, "CheckBox7", e.RightAngleWires);
  layout->addWidget(service, 0, 0);

  auto* view = new QGroupBox(this);
  view->setObjectName("GroupBox2");
  auto* viewLayout = new QVBoxLayout(view);
  threeD_ = Check(view, viewLayout, "CheckBox2", e.Show3D);
  autoFenster_ = Check(view, viewLayout, "CheckBox3", e.AutoArrange);
  pfeile_ = Check(view, viewLayout, "CheckBox5", e.ArrowWires);
  layout->addWidget(view, 1, 0);

  auto* sim = new QGroupBox(this);
  sim->setObjectName("GroupBox3");
  auto* simLayout = new QHBoxLayout(sim);
  auto* rateLabel = new QLabel(sim);
  rateLabel->setObjectName("Label1");
  rate_ = new QLineEdit(QString::number(current.simRate), sim);
  rate_->setObjectName("Edit1");
  rate_->setMaxLength(5);
  rate_->setFixedWidth(70);
  auto* unit = new QLabel(sim);
  unit->setObjectName("Label2");
  simLayout->addWidget(rateLabel);
  simLayout->addWidget(rate_);
  simLayout->addWidget(unit);
  simLayout->addStretch();
  layout->addWidget(sim, 2, 0);

  auto* langs = new QGroupBox(this);
  langs->setObjectName("RadioGroup1");
  auto* langLayout = new QVBoxLayout(langs);
  for (int i = 0; i < 3; ++i) {
    languages_[i] = new QRadioButton(langs);
    languages_[i]->setObjectName(QString("Lang%1").arg(i + 1));
    languages_[i]->setChecked(current.language == i + 1);
    langLayout->addWidget(languages_[i]);
    // Picking a language re-labels the dialog at once.
    connect(languages_[i], &QRadioButton::clicked, this, [this, i] { SetLanguageCaptions(LanguageFromIndex(i + 1)); });
  }
  langLayout->addStretch();
  layout->addWidget(langs, 0, 1, 3, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  auto* ok = new QPushButton(this);
  ok->setObjectName("OKBtn");
  ok->setDefault(true);
  auto* cancel = new QPushButton(this);
  cancel->setObjectName("CancelBtn");
  buttons->addWidget(ok);
  buttons->addWidget(cancel);
  layout->addLayout(buttons, 3, 0, 1, 2);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  SetLanguageCaptions(LanguageFromIndex(current.language));
}

void TDialogDiverse::SetLanguageCaptions(Language lang) { ApplyCaptions(*this, kCaptions, lang); }

void TDialogDiverse::accept() {
  bool number = false;
  const long long rate = rate_->text().trimmed().toLongLong(&number);
  if (!number) {
    // The dialog stays open and says why.
    if (messages_) messages_->ShowMessage(Msg::OnlyNumbers);
    rate_->setFocus();
    rate_->selectAll();
    return;
  }
  EnvironmentChoice r = result_;
  r.simRate = ClampSimRate(rate);
  r.env.AutoSignals = signale_->isChecked();
  r.env.CentreOnRightClick = rechteMaus_->isChecked();
  r.env.SelectWithoutShift = shift_->isChecked();
  r.env.RightAngleWires = winkel_->isChecked();
  r.env.Show3D = threeD_->isChecked();
  r.env.AutoArrange = autoFenster_->isChecked();
  r.env.ArrowWires = pfeile_->isChecked();
  for (int i = 0; i < 3; ++i)
    if (languages_[i]->isChecked()) r.language = i + 1;
  r.env.Lang = LanguageFromIndex(r.language);
  result_ = r;
  rate_->setText(QString::number(r.simRate));
  QDialog::accept();
}

}  // namespace tolmek
