// The project file: settings, element records and links, written whole and read whole or not at all.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "model/bytes.h"
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
// Bigger files are not plans; refusing them keeps a bad path from filling memory.
inline constexpr uintmax_t kMaxProjectFileSize = 256u << 20;

// Writes the project to `path` through a temporary file in the same folder that replaces the target only
// once it is complete. Stamps the time of change, marks the project saved. Message 5 on failure: the old
// file and the project's state stay as they were.
bool SaveProject(Project& project, const std::string& path);

// Empties the project and reads `path` into it. On success the project carries the file's name and counts
// as saved. Every failure leaves an empty new project named "NONAME.PIC" with the settings it had before:
// message 7 when the file cannot be read, 8 when it is not a plan or is damaged, 9 for a wrong password.
// Asking whether to save the old project first is the caller's business.
bool OpenProject(Project& project, const std::string& path, PasswordPrompt& prompt);

// The whole file as bytes. Does not stamp the time of change (SaveProject does).
[[nodiscard]] std::string ProjectToBytes(Project& project);
// Reads a whole file image into an emptied project; throws CorruptFile. Returns false for a wrong or
// cancelled password (the project is then left empty).
bool ProjectFromBytes(Project& project, std::string_view bytes, PasswordPrompt& prompt);

// Element records up to the 0 byte. Kinds outside the known ones and damaged records throw CorruptFile.
// While the project is pasting, top-level elements come in selected, shifted by 50 and on the current page.
void ReadElements(Project& project, ByteReader& in);
// Link pairs up to 0, 0 or the end of the bytes. Pairs that would not make a sound wire are skipped.
void ReadLinks(Project& project, ByteReader& in);
// Makes the links that stored (node number, element number) pairs describe, among the elements from list
// index `firstElement` on. Only a fresh link from a junction node to a free pin, or between two nodes on both
// sides at once, is made; `Add` says what became of each pair.
class StoredLinks {
 public:
  enum class Result { Made, AlreadyLinked, NotANode, NoSuchElement, PinTaken, NodeFull };
  StoredLinks(Project& project, size_t firstElement = 0);
  Result Add(int first, int second);

 private:
  std::unordered_map<int, TBauteil*> byNumber_;
};

// Element records of every element `chosen` accepts, a 0 byte, the links among them, 0, 0: the body of
// a project file, as the clipboard holds it.
void WriteElements(Project& project, ByteWriter& out, const std::function<bool(const TBauteil&)>& chosen);
// Reads such a body in paste mode: pasted elements arrive selected and shifted on the current page.
// A damaged body adds nothing and returns false.
bool PasteElements(Project& project, std::string_view bytes);

// Writes `bytes` to a temporary file beside `path` and renames it over `path` once complete. False on any
// failure, with `path` untouched.
bool WriteFileReplacing(const std::string& path, std::string_view bytes);

// Moves a pasted element by +50 in X and Y, back to -50 where that would leave the page.
void ShiftPasted(TBauteil& element);

}  // namespace tolmek
