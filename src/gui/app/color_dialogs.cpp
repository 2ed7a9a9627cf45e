// The editor and simulation colour dialogs.
#include "gui/app/color_dialogs.h"

#include <QColorDialog>
#include <QFrame>
#include <QGridLayout>
#include <QPushButton>

#include "gui/app/app_settings.h"
#include "gui/fonts.h"
#include "settings/settings.h"

namespace tolmek {

namespace {

constexpr const char* kEditorCaptions[kEditorColorCount] = {
    "Hintergrund", "Gitter", "Verbindungen", "Objekt-Rand", "Objekt-Rand Selekt.", "Objekt-Name",
    "Objekt-Anschluß", "Objekt-Anschluß-Text", "Objekt-Text",
};

}  // namespace

SwatchDialog::SwatchDialog(const char* title, std::vector<Row> rows, std::vector<Color> current, QWidget* parent)
    : QDialog(parent), rows_(std::move(rows)), colors_(std::move(current)) {
  setWindowTitle(QString::fromUtf8(title));
  auto* layout = new QGridLayout(this);
  for (size_t i = 0; i < rows_.size(); ++i) {
    auto* swatch = new QFrame(this);
    swatch->setObjectName(QString("Swatch%1").arg(i + 1));
    swatch->setFrameShape(QFrame::Box);
    swatch->setFixedSize(40, 22);
    swatch->setAutoFillBackground(true);
    swatches_.push_back(swatch);
    auto* button = new QPushButton(QString::fromUtf8(rows_[i].caption), this);
    button->setObjectName(QString("ColorBtn%1").arg(i + 1));
    connect(button, &QPushButton::clicked, this, [this, i] { Pick(i); });
    layout->addWidget(swatch, int(i), 0);
    layout->addWidget(button, int(i), 1);
    SetColorAt(i, colors_[i]);
  }
  auto* standard = new QPushButton("&Standard", this);
  standard->setObjectName("StandardBtn");
  auto* ok = new QPushButton("&OK", this);
  ok->setObjectName("OKBtn");
  ok->setDefault(true);
  auto* cancel = new QPushButton("&Abbruch", this);
  cancel->setObjectName("CancelBtn");
  const int last = int(rows_.size());
  layout->addWidget(standard, last, 0, 1, 2);
  layout->addWidget(ok, last + 1, 0);
  layout->addWidget(cancel, last + 1, 1);
  connect(standard, &QPushButton::clicked, this, &SwatchDialog::RestoreDefaults);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void SwatchDialog::SetColorAt(size_t index, Color c) {
  colors_.at(index) = c;
  QPalette palette = swatches_[index]->palette();
  palette.setColor(QPalette::Window, ToQColor(c));
  swatches_[index]->setPalette(palette);
}

void SwatchDialog::RestoreDefaults() {
  for (size_t i = 0; i < rows_.size(); ++i) SetColorAt(i, rows_[i].byDefault);
}

void SwatchDialog::Pick(size_t index) {
  const QColor chosen = QColorDialog::getColor(ToQColor(colors_[index]), this);
  if (chosen.isValid()) SetColorAt(index, FromQColor(chosen));
}

namespace {

std::vector<Color> EditorColorsOf(const Environment& env) {
  std::vector<Color> out;
  for (auto field : EditorColorFields()) out.push_back(env.*field);
  return out;
}


}  // namespace

TDialogFarbenEinstellen::TDialogFarbenEinstellen(const Environment& env, QWidget* parent)
    : SwatchDialog("Farben ändern", [] {
        std::vector<Row> rows;
        const auto defaults = Settings::DefaultColors();
        for (size_t i = 0; i < kEditorColorCount; ++i) rows.push_back({kEditorCaptions[i], defaults[i]});
        return rows;
      }(), EditorColorsOf(env), parent) {
  setObjectName("TDialogFarbenEinstellen");
}

void TDialogFarbenEinstellen::Store(Environment& env) const {
  for (size_t i = 0; i < kEditorColorCount; ++i) env.*EditorColorFields()[i] = ColorAt(i);
}

TDialogSimFarbenEinstellen::TDialogSimFarbenEinstellen(const Environment& env, QWidget* parent)
    : SwatchDialog("Simulations-Farben ändern", {{"High-Pegel", Color{255, 0, 0}}, {"Low-Pegel", Color{0, 0, 255}}},
                   {env.ColorHigh, env.ColorLow}, parent) {
  setObjectName("TDialogSimFarbenEinstellen");
}

void TDialogSimFarbenEinstellen::Store(Environment& env) const {
  env.ColorHigh = ColorAt(0);
  env.ColorLow = ColorAt(1);
}

}  // namespace tolmek
