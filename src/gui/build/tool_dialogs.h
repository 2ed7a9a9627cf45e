// The external programs dialog and the two tools dialogs.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "model/messages.h"
#include "settings/settings.h"

class QLineEdit;
class QListWidget;
class QPushButton;

namespace tolmek {

// The programs the build runs, as the settings file keeps them (section "Tools").
struct BuildPrograms {
  std::string Assembler;
  std::string Editor;  // empty: the internal editor
};

// Picks a program file; replaceable so that tests need no screen. Empty: cancelled.
using ProgramChooser = std::function<QString(QWidget* parent, const QString& filter)>;
[[nodiscard]] QString ChooseProgramFile(QWidget* parent, const QString& filter);

// TDialogProgs "Externe-Programme": the assembler and the external editor. "Suchen..." stores the chosen
// program at once, also when the dialog is then cancelled.
class TDialogProgs final : public QDialog {
  Q_OBJECT

 public:
  TDialogProgs(BuildPrograms& programs, Language lang, QWidget* parent = nullptr);
  void accept() override;

  QLineEdit* Edit1;
  QLineEdit* Edit2;
  QPushButton* Button1;
  QPushButton* Button2;
  ProgramChooser Choose = &ChooseProgramFile;

 private:
  BuildPrograms& programs_;
  Language lang_;
};

// TDialogTools2 "Tools Eigenschaften": one tool.
class TDialogTools2 final : public QDialog {
  Q_OBJECT

 public:
  TDialogTools2(Language lang, QWidget* parent = nullptr);
  void Load(const ToolEntry& tool);
  [[nodiscard]] ToolEntry Entry() const;
  // What "&Suchen..." does with a chosen program.
  void TakeProgram(const QString& program);

  QLineEdit* Edit1;  // title
  QLineEdit* Edit2;  // program
  QLineEdit* Edit3;  // working directory
  QLineEdit* Edit4;  // parameters
  QPushButton* SearchButton;
  ProgramChooser Choose = &ChooseProgramFile;
};

// TDialogTools "Tools": the list of at most ten tools with add, delete and edit. OK hands the list back.
class TDialogTools final : public QDialog {
  Q_OBJECT

 public:
  TDialogTools(std::vector<ToolEntry> tools, Language lang, QWidget* parent = nullptr);
  [[nodiscard]] const std::vector<ToolEntry>& Tools() const { return tools_; }

  void AddClicked();
  void DeleteClicked();
  void EditClicked();

  QListWidget* ListBox1;
  QPushButton* AddButton;
  QPushButton* DeleteButton;
  QPushButton* EditButton;
  // Runs the property dialog of one tool; true when accepted. Replaceable for tests.
  std::function<bool(TDialogTools2& dialog)> RunToolDialog;

 private:
  void Fill();
  void UpdateButtons();

  std::vector<ToolEntry> tools_;
  Language lang_;
};

}  // namespace tolmek
