// Clipboard and undo files, select all, search and the object order exchanges.
#include "model/clipboard.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "components/registry.h"
#include "model/project_file.h"

namespace tolmek {

namespace {

// The clipboard body of nothing at all is three bytes; anything up to this size holds no element.
constexpr uintmax_t kEmptyClipboardSize = 9;

std::optional<std::string> ReadFile(const std::string& path) {
  std::error_code ec;
  auto size = std::filesystem::file_size(path, ec);
  if (ec || size > kMaxProjectFileSize) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) return std::nullopt;
  return data;
}

// Numbers from 30000 up for the selection, so that the links written resolve only among the copied
// elements when they are read back next to the existing ones.
class ClipboardNumbers {
 public:
  explicit ClipboardNumbers(Project& p) : project_(p) {
    p.Pasting = true;
    p.Renumber();
    p.Pasting = false;
  }
  ~ClipboardNumbers() { project_.Renumber(); }
  ClipboardNumbers(const ClipboardNumbers&) = delete;
  ClipboardNumbers& operator=(const ClipboardNumbers&) = delete;

 private:
  Project& project_;
};

}  // namespace

EditCommands::EditCommands(Project& project, std::string folder) : project_(project), folder_(std::move(folder)) {}

std::string EditCommands::ClipboardPath() const {
  return (std::filesystem::path(folder_) / kClipboardFileName).string();
}

std::string EditCommands::UndoPath() const { return (std::filesystem::path(folder_) / kUndoFileName).string(); }

bool EditCommands::Copy() {
  std::string body;
  {
    ClipboardNumbers numbers(project_);
    ByteWriter out;
    WriteElements(project_, out, [](const TBauteil& e) { return e.Marked != 0; });
    body = out.Data();
  }
  return WriteFileReplacing(ClipboardPath(), body);
}

bool EditCommands::Paste() {
  std::optional<std::string> bytes = ReadFile(ClipboardPath());
  if (!bytes || bytes->size() <= kEmptyClipboardSize) return false;
  if (!PasteElements(project_, *bytes)) return false;
  // Emptied, not removed: a paste of the same copy finds nothing, as it should.
  std::ofstream(ClipboardPath(), std::ios::binary | std::ios::trunc);
  project_.Renumber();
  project_.AutoSignalNames();
  project_.Saved = false;
  return true;
}

bool EditCommands::WriteUndo() {
  undoPassword_ = project_.Info.Password;
  return WriteFileReplacing(UndoPath(), ProjectToBytes(project_));
}

bool EditCommands::Cut() {
  bool undoWritten = WriteUndo();
  // Deleting what could not be put on the clipboard would lose it.
  if (!Copy()) return false;
  project_.DeleteMarked();
  project_.AutoSignalNames();
  if (undoWritten) undoAvailable_ = true;
  project_.Saved = false;
  return true;
}

void EditCommands::Delete() {
  bool undoWritten = WriteUndo();
  project_.DeleteMarked();
  project_.AutoSignalNames();
  project_.RemoveLooseNodes();
  if (undoWritten) undoAvailable_ = true;
  project_.Saved = false;
}

bool EditCommands::UndoDelete() {
  std::optional<std::string> bytes = ReadFile(UndoPath());
  if (!bytes) {
    project_.Messages.ShowMessage(Msg::FileMissing);
    return false;
  }
  // Read into a scratch project first: a damaged store must not cost the plan on screen.
  {
    Messenger quiet;
    Project scratch(quiet);
    scratch.Mcu = project_.Mcu;
    FixedPassword password(undoPassword_);
    try {
      if (!ProjectFromBytes(scratch, *bytes, password)) {
        project_.Messages.ShowMessage(Msg::WrongPassword);
        return false;
      }
    } catch (const std::exception&) {
      project_.Messages.ShowMessage(Msg::NotAProjectFile);
      return false;
    }
  }
  const std::string projectName = project_.ProjectFileName;
  const std::string sourceName = project_.SourceFileName;
  const int page = project_.CurrentPage;
  FixedPassword password(undoPassword_);
  project_.FreeAll();
  try {
    (void)ProjectFromBytes(project_, *bytes, password);
  } catch (const std::exception&) {
    project_.Messages.ShowMessage(Msg::NotAProjectFile);
  }
  project_.ProjectFileName = projectName;
  project_.SourceFileName = sourceName;
  project_.CurrentPage = page;
  project_.Renumber();
  project_.AutoSignalNames();
  undoAvailable_ = false;
  // The plan now differs from the file on disk: leaving without a question would lose it.
  project_.Saved = false;
  return true;
}

void SelectAll(Project& project) {
  for (const auto& e : project.Elements())
    if (e->Page == project.CurrentPage) e->Marked = 1;
}

std::vector<TBauteil*> SearchElements(Project& project, std::string_view text) {
  project.ClearMarks();
  std::string wanted = UpperName(text);
  const auto star = wanted.find('*');
  const bool prefix = star != std::string::npos;
  if (prefix) wanted.erase(star, 1);
  std::vector<TBauteil*> found;
  for (const auto& e : project.Elements()) {
    const std::string& name = e->Name;
    bool match = prefix ? name.compare(0, wanted.size(), wanted) == 0 && name.size() >= wanted.size()
                        : name == wanted;
    if (!match) continue;
    e->Marked = 1;
    found.push_back(e.get());
  }
  return found;
}

bool ObjectOrder::IsListed(const TBauteil& e) {
  if (!KindHas(e, kInObjectOrder)) return false;
  // A data block that reads an A/D channel belongs to the converter, not to the blocks the user orders.
  return e.Kind != kind::Data8 || e.Name.compare(0, 3, "ADC") != 0;
}

ObjectOrder::ObjectOrder(Project& project) : project_(project) {
  for (const auto& e : project.Elements()) {
    if (!IsListed(*e)) continue;
    std::string text = SearchTextOf(*e);
    rows_.push_back({e.get(), std::move(text), e->Number});
  }
}

void ObjectOrder::Exchange(int rowA, int rowB) {
  // Only the two entries trade places; whatever lies between them in the list stays where it is.
  int a = project_.IndexOf(rows_[size_t(rowA)].element);
  int b = project_.IndexOf(rows_[size_t(rowB)].element);
  if (a < 0 || b < 0) return;
  if (a > b) std::swap(a, b);
  project_.MoveElement(size_t(a), size_t(b));
  project_.MoveElement(size_t(b - 1), size_t(a));
  std::swap(rows_[size_t(rowA)], rows_[size_t(rowB)]);
}

int ObjectOrder::MoveForward(int row) {
  if (row <= 0 || row >= int(rows_.size())) return row;
  Exchange(row - 1, row);
  return row - 1;
}

int ObjectOrder::MoveBackward(int row) {
  if (row < 0 || row + 1 >= int(rows_.size())) return row;
  Exchange(row, row + 1);
  return row + 1;
}

void ObjectOrder::Finish() {
  project_.Renumber();
  project_.Saved = false;
}

}  // namespace tolmek
