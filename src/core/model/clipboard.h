// Editing commands on the selection and the whole list: clipboard, delete and undo, search, object order.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "model/project.h"

namespace tolmek {

inline constexpr const char* kClipboardFileName = "CUT.BIC";
inline constexpr const char* kUndoFileName = "KILL.BIC";

// Copy, Cut, Paste, Delete and Undo delete. The clipboard and the undo store are files in `folder` (the
// per-user settings folder), so that they survive between runs and projects. The caller refreshes the
// windows, the source preview and the analysis after each command that reports a change.
class EditCommands {
 public:
  EditCommands(Project& project, std::string folder);

  [[nodiscard]] std::string ClipboardPath() const;
  [[nodiscard]] std::string UndoPath() const;

  // Writes the selected elements and the links among them to the clipboard. False when the clipboard
  // cannot be written (nothing else happens then).
  bool Copy();
  // Adds the clipboard's elements, selected and shifted, on the current page, and empties the clipboard:
  // each copy is pasted once. False when there was nothing to paste.
  bool Paste();
  // Keeps the project for undo, copies the selection and deletes it. Junction nodes left without links
  // stay. Nothing is deleted when the clipboard cannot be written.
  bool Cut();
  // Keeps the project for undo and deletes the selection with the junction nodes it leaves without links.
  void Delete();
  // Brings back the project as it was before the last Cut or Delete. An undo store that cannot be read
  // leaves the project as it is (message 7, or 8 when it is damaged). File names stay.
  bool UndoDelete();

  // Offered after a Cut or Delete whose undo store was written; withdrawn by undo and by New.
  [[nodiscard]] bool UndoAvailable() const { return undoAvailable_; }
  void ForgetUndo() { undoAvailable_ = false; }

 private:
  bool WriteUndo();

  Project& project_;
  std::string folder_;
  bool undoAvailable_ = false;
  // The password the undo store was written with, so that undo does not ask for it.
  std::string undoPassword_;
};

// Selects every element of the current page.
void SelectAll(Project& project);

// Clears the selection and selects the elements whose name matches `text` (upper-cased): with a "*" in it
// (the first one removed) every name that begins with the rest, otherwise the names equal to it.
// Returns the matches in list order; the last one is the one to bring into view.
std::vector<TBauteil*> SearchElements(Project& project, std::string_view text);

// The rows of the object order dialog and the exchanges of its two buttons. Junction nodes, comments,
// pulse inputs, labels and the converter data blocks (named "ADC...") are not listed; an include block
// shows its file name.
class ObjectOrder {
 public:
  struct Row {
    TBauteil* element;
    std::string text;  // the name, or an include block's file name
    int number;        // the element's number when the dialog opened
  };

  explicit ObjectOrder(Project& project);

  [[nodiscard]] const std::vector<Row>& Rows() const { return rows_; }
  // "nach vorne": exchanges the element of `row` with the one of the row above, in the object list and in
  // the rows. Returns the row the moved element now stands in; nothing moves for the first row.
  int MoveForward(int row);
  // "nach hinten": the same with the row below; nothing moves for the last row.
  int MoveBackward(int row);
  // Closing the dialog: renumbering, and the project counts as changed.
  void Finish();

  [[nodiscard]] static bool IsListed(const TBauteil& element);

 private:
  void Exchange(int rowA, int rowB);

  Project& project_;
  std::vector<Row> rows_;
};

}  // namespace tolmek
