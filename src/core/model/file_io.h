// Whole-file reading with a size cap and the one way every file of the program is replaced on disk.
#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace tolmek {

// Bigger files are none of ours; refusing them keeps a bad path from filling memory.
inline constexpr uintmax_t kMaxReadFileSize = 256u << 20;

enum class ReadProblem { None, Missing, TooBig, Unreadable };

struct FileContents {
  std::optional<std::string> bytes;  // empty unless the whole file was read
  ReadProblem problem = ReadProblem::None;
};

// Reads a regular file whole, refusing anything larger than `cap` bytes before reading it.
[[nodiscard]] FileContents ReadFileBounded(const std::filesystem::path& path, uintmax_t cap = kMaxReadFileSize);

// Writes `bytes` to a temporary file of a unique name in the target's folder, flushes it to the disk,
// gives it the permissions of the file it replaces and renames it over the target, so that a reader (or a
// second instance of the program writing the same file) sees either the old file or the new one, never
// a part. False on any failure, with the target untouched and no temporary left behind.
[[nodiscard]] bool WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes);

}  // namespace tolmek
