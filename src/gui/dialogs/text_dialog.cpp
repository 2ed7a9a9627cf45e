// TDialogKommentar: a comment's text and font, chosen with the platform's font and colour dialogs.
#include "gui/dialogs/text_dialog.h"

#include <QColorDialog>
#include <QFontDialog>

#include "gui/fonts.h"

namespace tolmek {

namespace {

constexpr Caption kCaptions[] = {
    {"", "Kommentar", "Comment", "Commento"},
    {"FontButton", "&Schrift ...", "&Font ...", "&Carattere ..."},
    {"ColorButton", "&Farbe ...", "&Colour ...", "C&olore ..."},
};

}  // namespace

TDialogKommentar::TDialogKommentar(Messenger& messages, QWidget* parent) : KindDialog(messages, parent) {
  IText = new QLineEdit(this);
  IText->setObjectName("IText");
  IText->setMaxLength(255);
  IText->setMinimumWidth(300);
  FontButton = new QPushButton(this);
  FontButton->setObjectName("FontButton");
  ColorButton = new QPushButton(this);
  ColorButton->setObjectName("ColorButton");
  Body().addWidget(IText);
  Body().addWidget(FontButton);
  Body().addWidget(ColorButton);
  connect(FontButton, &QPushButton::clicked, this, [this] { ChooseFont(); });
  connect(ColorButton, &QPushButton::clicked, this, [this] { ChooseColor(); });
  ApplyCaptions(kCaptions);
}

void TDialogKommentar::Load(const TObjText& comment) {
  IText->setText(QString::fromStdString(comment.CommentText));
  ChosenFont = comment.CommentFont();
  ShowFont();
}

void TDialogKommentar::ShowFont() {
  QFont shown = ToQFont(ChosenFont);
  shown.setPixelSize(std::clamp(shown.pixelSize(), 8, 40));
  IText->setFont(shown);
  QPalette palette = IText->palette();
  palette.setColor(QPalette::Text, ToQColor(ChosenFont.color));
  IText->setPalette(palette);
}

void TDialogKommentar::ChooseFont() {
  bool ok = false;
  QFont chosen = QFontDialog::getFont(&ok, ToQFont(ChosenFont), this);
  if (!ok) return;
  ChosenFont = FromQFont(chosen, ChosenFont.color);
  ShowFont();
}

void TDialogKommentar::ChooseColor() {
  QColor chosen = QColorDialog::getColor(ToQColor(ChosenFont.color), this);
  if (!chosen.isValid()) return;
  ChosenFont.color = FromQColor(chosen);
  ShowFont();
}

void TDialogKommentar::Apply(TObjText& comment) const {
  comment.CommentText = IText->text().toStdString();
  comment.SetCommentFont(ChosenFont);
}

}  // namespace tolmek
