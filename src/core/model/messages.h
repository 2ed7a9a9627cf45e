// The numbered message catalogue and the one interface through which errors and questions reach the user.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tolmek {

enum class Language { German = 1, English = 2, Italian = 3 };

// How a message is shown: an error informs (OK only), a question asks Yes/No/Cancel.
enum class MessageMode { Error = 0, Question = 3 };

// The catalogue's messages by name; the value is the number the user sees.
enum class Msg : int {
  NoBitName = 1,
  AssemblerNotFound = 2,
  UnsavedProject = 4,
  CannotSave = 5,
  PathMissing = 6,
  FileMissing = 7,
  NotAProjectFile = 8,
  WrongPassword = 9,
  EditorNotFound = 10,
  AtClock = 11,
  OnlyNumbers = 12,
  Executing = 13,
  InvalidName = 14,
  InputsOneTo16 = 15,
  OutputsOneTo16 = 16,
  UnknownOutputVariable = 17,
  UnknownInputVariable = 18,
  Needs16BitVariable = 19,
  ValueOutOfRange = 20,
  InvalidValue = 21,
  NoFreeBank = 22,
  UnknownUpperLimit = 23,
  UnknownLowerLimit = 24,
  InputsTwoTo8 = 25,
  OutputsTwoTo8 = 26,
  UnknownSelectVariable = 27,
  PulseLengthRange = 28,
  InvalidLengthName = 29,
  MonoFlopLength = 30,
  TableTooLong = 31,
  UnknownPeriodName = 32,
  InvalidPeriod = 33,
  TimerLength = 34,
  EditorTextChanged = 35,
  Gp3InputOnly = 36,
  PinMissing = 37,
  NoAdc = 38,
  OutOfRom = 39,
  LeavesPage = 40,
  SimulationAborted = 41,
  LowerAboveUpper = 42,
  ByteRange = 43,
  TableLength = 44,
  IndexBeyondTable = 45,
  NoTable = 46,
  PinFixed = 47,
  OutputsOneTo8 = 48,
  OutputsZeroTo8 = 49,
  OutputsZeroTo16 = 50,
  AtOutputs = 51,
  NoUart = 52,
  // Beyond the original catalogue: what the file boundary reports instead of changing a plan silently.
  DamagedLinks = 53,
  PlanTooLarge = 54,
  CharacterNotStorable = 55,
  BaudUnreachable = 60,
  NoSuchModule = 61,
  CallsTooDeep = 62,
  SoftwareUart = 63,
  // Warnings where the chip cannot do what the screen shows; they never stop a build.
  InputOnMclr = 64,
  OpenDrainHigh = 65,
  ClockTooHigh = 66,
  AnalogueAlsoDigital = 67,
  InputOnlyPin = 75,
  // Test benches and the check on the simulated chip.
  BenchUnreadable = 68,
  BenchUnknownName = 69,
  BenchTimeBackwards = 70,
  BenchValueRange = 71,
  GpsimMissing = 72,
  NotModelled = 73,
  BenchSetsOutput = 74,
};
[[nodiscard]] constexpr int Number(Msg m) { return static_cast<int>(m); }

enum class Answer { None = 0, Yes, No, Cancel };

// Catalogue lookups. `MessageText` returns the line of message n ("8 : ...") or "" for numbers that do not occur.
[[nodiscard]] std::string_view MessageText(Language lang, int n);
[[nodiscard]] std::string_view HeadingWord(Language lang, MessageMode mode);  // "Fehler"/"Hinweis" ...
[[nodiscard]] bool MessageExists(int n);
// heading + " " + text + " " + detail1 + " " + detail2
[[nodiscard]] std::string ComposeMessage(Language lang, Msg n, MessageMode mode, std::string_view detail1,
                                         std::string_view detail2);

// Where messages go: message boxes in the GUI, stderr in tolmekc, a recorder in tests.
class MessageSink {
 public:
  virtual ~MessageSink() = default;
  // `title` is "Error" for errors and "Message" for questions; `text` is the composed text.
  virtual Answer Present(Msg number, MessageMode mode, const std::string& title, const std::string& text) = 0;
};

// The catalogue in the current language plus the sink: what the rest of the program calls.
class Messenger {
 public:
  explicit Messenger(MessageSink* sink = nullptr, Language lang = Language::English) : sink_(sink), lang_(lang) {}
  void SetSink(MessageSink* sink) { sink_ = sink; }
  [[nodiscard]] MessageSink* Sink() const { return sink_; }
  void SetLanguage(Language lang) { lang_ = lang; }
  [[nodiscard]] Language CurrentLanguage() const { return lang_; }
  // Shows message n; returns the answer for questions and Answer::None otherwise.
  Answer ShowMessage(Msg n, MessageMode mode = MessageMode::Error, std::string_view detail1 = {},
                     std::string_view detail2 = {});

 private:
  MessageSink* sink_;
  Language lang_;
};

// Keeps every message shown, answering questions with a preset answer. Used by tests and batch runs.
class RecordingSink final : public MessageSink {
 public:
  struct Entry {
    int number;
    MessageMode mode;
    std::string text;
  };
  Answer Present(Msg number, MessageMode mode, const std::string& title, const std::string& text) override;
  std::vector<Entry> entries;
  Answer answer = Answer::Yes;
  [[nodiscard]] std::vector<int> Numbers() const;
};

}  // namespace tolmek
