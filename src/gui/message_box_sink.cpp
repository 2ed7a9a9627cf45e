// Messages of the catalogue shown as message boxes: OK for information, Yes/No/Cancel for questions.
#include "gui/message_box_sink.h"

#include <QMessageBox>

namespace tolmek {

Answer QtMessageSink::Present(Msg, MessageMode mode, const std::string& title, const std::string& text) {
  QString caption = QString::fromStdString(title), body = QString::fromStdString(text);
  if (mode == MessageMode::Question) {
    auto choice = QMessageBox::question(parent_, caption, body,
                                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    switch (choice) {
      case QMessageBox::Yes: return Answer::Yes;
      case QMessageBox::No: return Answer::No;
      default: return Answer::Cancel;
    }
  }
  QMessageBox::information(parent_, caption, body);
  return Answer::None;
}

}  // namespace tolmek
