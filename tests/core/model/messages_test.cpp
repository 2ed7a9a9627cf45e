// Tests of the message catalogue and of how messages are composed and handed to the sink.
#include <gtest/gtest.h>

#include <string>

#include "model/messages.h"

namespace tolmek {
namespace {

constexpr Language kLanguages[] = {Language::German, Language::English, Language::Italian};

TEST(MessagesTest, EveryListedNumberExistsInAllLanguagesAndStartsWithItsNumber) {
  int count = 0;
  for (int n = 0; n <= 80; ++n) {
    const bool listed = (n >= 1 && n <= 55 && n != 3) || (n >= 60 && n <= 75);
    EXPECT_EQ(MessageExists(n), listed) << n;
    for (Language lang : kLanguages) {
      const std::string text(MessageText(lang, n));
      if (!listed) {
        EXPECT_TRUE(text.empty()) << n;
        continue;
      }
      const std::string number = std::to_string(n);
      // Italian message 1 is written "1: ..." without the space.
      EXPECT_TRUE(text.starts_with(number + " : ") || text.starts_with(number + ": ")) << text;
    }
    count += listed ? 1 : 0;
  }
  EXPECT_EQ(count, 70);
}

TEST(MessagesTest, TextsAreKeptExactlyWithInnerSpacesAndAccents) {
  EXPECT_EQ(MessageText(Language::German, 4), "4 : aktuelle Datei wurde noch nicht gespeichert !  Speichern ?");
  EXPECT_EQ(MessageText(Language::English, 11), "11 : at clock-frequency  !");
  EXPECT_EQ(MessageText(Language::Italian, 6), "6 : Il percorso e\u00b4 inesistente....  exit !");
  EXPECT_EQ(MessageText(Language::German, 14), "14 : ung\u00fcltiger Name !");
  EXPECT_EQ(MessageText(Language::Italian, 47), "47 : Gestione pin : questo pin non si pu\u00f3 cambiare !");
  EXPECT_EQ(MessageText(Language::Italian, 35), "35 : Editor:  dati sono stati cambiati. Salvare ?");
  EXPECT_EQ(MessageText(Language::English, 51), "51 : at ouputs !");
  // Italian has no text of its own for 11 and repeats the German line.
  EXPECT_EQ(MessageText(Language::Italian, 11), MessageText(Language::German, 11));
  EXPECT_EQ(MessageText(Language::Italian, 11), "11 : bei Taktfrequenz !");
}

TEST(MessagesTest, HeadingWordsFollowMode) {
  EXPECT_EQ(HeadingWord(Language::German, MessageMode::Error), "Fehler");
  EXPECT_EQ(HeadingWord(Language::English, MessageMode::Error), "Error");
  EXPECT_EQ(HeadingWord(Language::Italian, MessageMode::Error), "Errore");
  EXPECT_EQ(HeadingWord(Language::German, MessageMode::Question), "Hinweis");
  EXPECT_EQ(HeadingWord(Language::English, MessageMode::Question), "Hint");
  EXPECT_EQ(HeadingWord(Language::Italian, MessageMode::Question), "Indicazione");
}

TEST(MessagesTest, ComposeJoinsHeadingTextAndDetailsWithSingleSpaces) {
  EXPECT_EQ(ComposeMessage(Language::German, Msg::NotAProjectFile, MessageMode::Error, "", ""), "Fehler 8 : dieses ist keine Tolmek Datei !  ");
  EXPECT_EQ(ComposeMessage(Language::English, Msg::PinMissing, MessageMode::Error, "RD.1", "LG3"),
            "Error 37 : the pin doesn't exist -> RD.1 LG3");
  EXPECT_EQ(ComposeMessage(Language::Italian, Msg::AtClock, MessageMode::Error, "", ""), "Errore 11 : bei Taktfrequenz !  ");
}

TEST(MessagesTest, ErrorsGoToTheSinkUnderTitleErrorAndAnswerNothing) {
  struct TitleSink final : MessageSink {
    Answer Present(Msg, MessageMode, const std::string& t, const std::string& x) override {
      title = t;
      text = x;
      return Answer::Yes;
    }
    std::string title, text;
  } sink;
  Messenger messenger(&sink, Language::German);
  EXPECT_EQ(messenger.ShowMessage(Msg::NotAProjectFile), Answer::None);
  EXPECT_EQ(sink.title, "Error");
  EXPECT_EQ(sink.text, "Fehler 8 : dieses ist keine Tolmek Datei !  ");

  EXPECT_EQ(messenger.ShowMessage(Msg::EditorTextChanged, MessageMode::Question, "x.asm"), Answer::Yes);
  EXPECT_EQ(sink.title, "Message");
  EXPECT_EQ(sink.text, "Hinweis 35 : soll die Datei im Editor gespeichert werden ? -> x.asm ");
}

TEST(MessagesTest, QuestionsReturnTheAnswer) {
  RecordingSink sink;
  sink.answer = Answer::Cancel;
  Messenger messenger(&sink, Language::English);
  EXPECT_EQ(messenger.ShowMessage(Msg::UnsavedProject, MessageMode::Question), Answer::Cancel);
  ASSERT_EQ(sink.entries.size(), 1u);
  EXPECT_EQ(sink.entries[0].text, "Hint 4 : current file not saved ! Save  now ?  ");

  EXPECT_EQ(messenger.ShowMessage(Msg::UnsavedProject), Answer::None);
  EXPECT_EQ(sink.Numbers(), (std::vector<int>{4, 4}));

  messenger.SetLanguage(Language::Italian);
  messenger.ShowMessage(Msg::AtClock);
  EXPECT_EQ(sink.entries.back().text, "Errore 11 : bei Taktfrequenz !  ");
  EXPECT_EQ(sink.Numbers(), (std::vector<int>{4, 4, 11}));
}

TEST(MessagesTest, WithoutSinkNothingIsShown) {
  Messenger messenger;
  EXPECT_EQ(messenger.ShowMessage(Msg::UnsavedProject, MessageMode::Question), Answer::None);
  EXPECT_EQ(messenger.ShowMessage(Msg::NotAProjectFile), Answer::None);
}

}  // namespace
}  // namespace tolmek
