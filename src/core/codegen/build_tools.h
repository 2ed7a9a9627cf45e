// What the build window and the tools menu need without a window: tool parameters, error-line places, source names.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tolmek {

// The program's arguments from a tool's parameter text. Words are separated by blanks; a word in double
// quotes may hold blanks. A word that starts with "$" names a file of the project: "$PJT" becomes the
// directory and base name of the source + ".PJT" (of the project file while the source is still
// "NONAME.ASM"), with an existing file of that name taken in whatever case it is spelled. Each word
// stays one argument, whatever blanks the paths hold.
[[nodiscard]] std::vector<std::string> ExpandToolParameters(std::string_view params, const std::string& sourceFile,
                                                            const std::string& projectFile);

// What the tools dialog fills in from a chosen program: the title is the file name without extension,
// first letter upper case and the rest lower case; the working directory is the program's folder.
// "Mplab" gets the parameters "$PJT".
struct ToolGuess {
  std::string Title, Program, WorkDir, Param;
};
[[nodiscard]] ToolGuess GuessTool(const std::string& program);

// The file and line an assembler message points at: the error file's "Error[113]   A.ASM 12 : ..." (also
// with blanks in the path) and the console's "A.ASM:12:Error[113] ...".
struct ErrorLocation {
  std::string File;
  int Line = 0;
  friend bool operator==(const ErrorLocation&, const ErrorLocation&) = default;
};
[[nodiscard]] std::optional<ErrorLocation> ParseErrorLine(std::string_view line);

// The name "save source as" stores: ".asm" added when the chosen name has none. Nothing when the name
// is the project file itself, which the source must never overwrite.
[[nodiscard]] std::optional<std::string> ChosenSourceName(const std::string& chosen, const std::string& projectFile);

}  // namespace tolmek
