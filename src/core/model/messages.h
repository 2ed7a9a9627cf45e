// The numbered message catalogue and the one interface through which errors and questions reach the user.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tolmek {

enum class Language { German = 1, English = 2, Italian = 3 };

// Modes of ShowMessage: 0 informs (OK only), 3 asks Yes/No/Cancel; any other mode shows nothing.
inline constexpr int kModeError = 0;
inline constexpr int kModeQuestion = 3;

enum class Answer { None = 0, Yes, No, Cancel };

// Catalogue lookups. `MessageText` returns the line of message n ("8 : ...") or "" for numbers that do not occur.
[[nodiscard]] std::string_view MessageText(Language lang, int n);
[[nodiscard]] std::string_view HeadingWord(Language lang, int mode);  // "Fehler"/"Hinweis" ...
[[nodiscard]] bool MessageExists(int n);
// heading + " " + text + " " + detail1 + " " + detail2
[[nodiscard]] std::string ComposeMessage(Language lang, int n, int mode, std::string_view detail1,
                                         std::string_view detail2);

// Where messages go: message boxes in the GUI, stderr in tolmekc, a recorder in tests.
class MessageSink {
 public:
  virtual ~MessageSink() = default;
  // `title` is "Error" for mode 0 and "Message" for mode 3; `text` is the composed text.
  virtual Answer Present(int number, int mode, const std::string& title, const std::string& text) = 0;
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
  Answer ShowMessage(int n, int mode = kModeError, std::string_view detail1 = {}, std::string_view detail2 = {});

 private:
  MessageSink* sink_;
  Language lang_;
};

// Keeps every message shown, answering questions with a preset answer. Used by tests and batch runs.
class RecordingSink final : public MessageSink {
 public:
  struct Entry {
    int number;
    int mode;
    std::string text;
  };
  Answer Present(int number, int mode, const std::string& title, const std::string& text) override;
  std::vector<Entry> entries;
  Answer answer = Answer::Yes;
  [[nodiscard]] std::vector<int> Numbers() const;
};

}  // namespace tolmek
