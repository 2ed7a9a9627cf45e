// The project file: settings, element records and links, written whole and read whole or not at all.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "model/bytes.h"
#include "model/node.h"
#include "model/project.h"

namespace tolmek {

// Asks for the password of a protected plan: a dialog in the GUI, --password in tolmekc, a fake in tests.
class PasswordPrompt {
 public:
  virtual ~PasswordPrompt() = default;
  // The text typed, or nullopt when the user cancelled.
  [[nodiscard]] virtual std::optional<std::string> AskPassword() = 0;
};

// Answers with a text fixed beforehand, or cancels when there is none.
class FixedPassword final : public PasswordPrompt {
 public:
  explicit FixedPassword(std::optional<std::string> text = std::nullopt) : text_(std::move(text)) {}
  [[nodiscard]] std::optional<std::string> AskPassword() override {
    ++asked;
    return text_;
  }
  int asked = 0;

 private:
  std::optional<std::string> text_;
};

// The 48 bytes that open every project file after their length byte.
[[nodiscard]] std::string_view FileIdentification();
inline constexpr size_t kReservedHeaderBytes = 1002;
inline constexpr uint16_t kReservedWord = 0x0100;
// Top-level elements lie on the page; a junction node on its left or upper edge reaches half a grid step
// beyond it, so positions down to one grid step below 0 are the editor's own.
inline constexpr int32_t kMinPosition = -10;

// Writes the project to `path` through a temporary file in the same folder that replaces the target only
// once it is complete. Stamps the time of change, marks the project saved. Message 5 when the file cannot
// be written, 54 when the plan has more elements and pins than a file can number: the old file and the
// project's state stay as they were.
bool SaveProject(Project& project, const std::string& path);

// Empties the project and reads `path` into it. On success the project carries the file's name and counts
// as saved; links the reader had to leave out or complete are reported once (message 53 with their count).
// Every failure leaves an empty new project named "NONAME.PIC" with the settings it had before:
// message 7 when the file cannot be read, 8 when it is not a plan or is damaged, 9 for a wrong password.
// Asking whether to save the old project first is the caller's business.
bool OpenProject(Project& project, const std::string& path, PasswordPrompt& prompt);

// Whether the plan's elements and pins can be numbered in a file (message 54 otherwise).
[[nodiscard]] bool FitsInFile(const Project& project);
// The whole file as bytes, with the plan numbered afresh so that every link can be read back. Does not
// stamp the time of change (SaveProject does).
[[nodiscard]] std::string ProjectToBytes(Project& project);
// Reads a whole file image into an emptied project and numbers it afresh; throws CorruptFile. Returns false
// for a wrong or cancelled password (the project is then left empty). `repairedLinks`, when given, receives
// the number of stored links that were left out or completed.
bool ProjectFromBytes(Project& project, std::string_view bytes, PasswordPrompt& prompt, int* repairedLinks = nullptr);

// Throws CorruptFile for a top-level element off the page.
void CheckPosition(const TBauteil& element);

// Element records up to the 0 byte. Kinds outside the known ones and damaged records throw CorruptFile.
// While the project is pasting, top-level elements come in selected, shifted by 50 and on the current page.
void ReadElements(Project& project, ByteReader& in);
// Link pairs up to 0, 0 or the end of the bytes. Pairs that would not make a sound wire are skipped;
// returns how many links were left out or completed.
int ReadLinks(Project& project, ByteReader& in);
// Makes the links that stored (node number, element number) pairs describe, among the elements from list
// index `firstElement` on. Each pair links its node to the element in the node's next slot, so the slots
// come back in the order they were stored; only a fresh link from a junction node to a free pin or to
// another node is made, and `Add` says what became of each pair. `Finish` then settles links between two
// nodes that were stored from one side only.
class StoredLinks {
 public:
  enum class Result { Made, AlreadyLinked, NotANode, NoSuchElement, PinTaken, NodeFull };
  StoredLinks(Project& project, size_t firstElement = 0);
  Result Add(int first, int second);
  // Gives each one-sided node link its other side where that node has a free slot and takes it back
  // where it has none. Returns {completed, removed}.
  std::pair<int, int> Finish();

 private:
  std::unordered_map<int, TBauteil*> byNumber_;
  std::vector<TObjKnoten*> nodes_;  // nodes that were given a link to another node, in the order given
};

// Element records of every element `chosen` accepts, a 0 byte, the links among them, 0, 0: the body of
// a project file, as the clipboard holds it.
void WriteElements(Project& project, ByteWriter& out, const std::function<bool(const TBauteil&)>& chosen);
// Reads such a body in paste mode: pasted elements arrive selected and shifted on the current page.
// A damaged body adds nothing and returns false.
bool PasteElements(Project& project, std::string_view bytes);

// Moves a pasted element by +50 in X and Y, back to -50 where that would leave the page.
void ShiftPasted(TBauteil& element);

}  // namespace tolmek
