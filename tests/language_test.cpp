// The languages: the translation files, the lookup, which language the game
// starts in, and the English texts against every text the game shows.
#include "engine/language.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>

#include "engine/po_file.h"
#include "game/command_line.h"
#include "game/game_texts.h"
#include "game/language_choice.h"
#include "engine/paths.h"
#include "game/settings.h"
#include "support.h"

namespace {

using namespace std::string_literals;

TEST(PoFile, ReadsEntriesWithEscapesAndContinuedStrings) {
    const char* text =
        "# a translator's comment\n"
        "msgid \"\"\n"
        "msgstr \"\"\n"
        "\"Language: en\\n\"\n"
        "\n"
        "#. where it is shown\n"
        "msgid \"Привет, \"\n"
        "msgstr \"Hello, \"\n"
        "\n"
        "msgid \"две \"\n"
        "  \"строки\"\r\n"
        "msgstr \"\"\n"
        "\"two \\\"lines\\\"\\n\\tand a \\\\\"\n"
        "\n"
        "msgid \"не переведено\"\n"
        "msgstr \"\"\n";
    Translations t;
    std::string error;
    ASSERT_TRUE(ParsePo(text, t, error)) << error;
    ASSERT_EQ(t.size(), 2u);  // neither the header nor an untranslated entry
    EXPECT_EQ(t.at("Привет, "), "Hello, ");
    EXPECT_EQ(t.at("две строки"), "two \"lines\"\n\tand a \\");
}

TEST(PoFile, ADamagedFileNamesItsLine) {
    for (const auto& [text, line] : std::initializer_list<std::pair<const char*, const char*>>{
             {"msgid \"a\"\nmsgstr b\n", "line 2"},
             {"msgid \"a\"\nmsgstr \"b\\q\"\n", "line 2"},
             {"\n\nmsgstr \"b\"\n", "line 3"},
             {"msgid \"a\"\nmsgstr \"b\"\nnonsense\n", "line 3"},
             {"msgid \"a\" \"b\"\n", "line 1"},
         }) {
        Translations t;
        std::string error;
        EXPECT_FALSE(ParsePo(text, t, error)) << text;
        EXPECT_NE(error.find(line), std::string::npos) << text << ": " << error;
    }
}

TEST(Language, TheLookupGivesTheTranslationOrTheTextItself) {
    SetTranslations(Language::English, {{"Пауза", "Pause"}});
    SetLanguage(Language::English);
    EXPECT_STREQ(Tr("Пауза"), "Pause");
    EXPECT_STREQ(Tr("Map Editor"), "Map Editor");
    SetLanguage(Language::Russian);
    EXPECT_STREQ(Tr("Пауза"), "Пауза");
    EXPECT_STREQ(TrIn(Language::English, "Пауза"), "Pause");
    SetTranslations(Language::English, {});
}

TEST(Language, TheLocaleChoosesRussianOnlyForRussian) {
    EXPECT_EQ(LocaleLanguage(nullptr, nullptr, nullptr), Language::Russian);
    EXPECT_EQ(LocaleLanguage("", "", ""), Language::Russian);
    EXPECT_EQ(LocaleLanguage(nullptr, nullptr, "ru_RU.UTF-8"), Language::Russian);
    EXPECT_EQ(LocaleLanguage(nullptr, nullptr, "de_DE.UTF-8"), Language::English);
    EXPECT_EQ(LocaleLanguage(nullptr, nullptr, "en_GB"), Language::English);
    // The first variable set wins.
    EXPECT_EQ(LocaleLanguage("ru_UA.UTF-8", "en_US", "en_US"), Language::Russian);
    EXPECT_EQ(LocaleLanguage("", "fr_FR", "ru_RU"), Language::English);
    EXPECT_EQ(LocaleLanguage(nullptr, "ru", "fr_FR"), Language::Russian);
    // The system's C locale is no choice of language.
    EXPECT_EQ(LocaleLanguage("C", "POSIX", "C.UTF-8"), Language::Russian);
    EXPECT_EQ(LocaleLanguage("C.UTF-8", nullptr, "en_US.UTF-8"), Language::English);
}

TEST(Language, TheCommandLineNamesALanguageOfTheGame) {
    CommandLine cl;
    std::string message;
    EXPECT_EQ(ParseCommandLine({"--lang", "en"}, cl, message), ParseResult::Run);
    EXPECT_EQ(cl.language, Language::English);
    EXPECT_EQ(ParseCommandLine({"--lang", "ru"}, cl, message), ParseResult::Run);
    EXPECT_EQ(cl.language, Language::Russian);
    CommandLine other;
    EXPECT_EQ(ParseCommandLine({"--lang", "de"}, other, message), ParseResult::Error);
    EXPECT_NE(message.find("de"), std::string::npos) << message;
    EXPECT_EQ(ParseCommandLine({"--lang"}, other, message), ParseResult::Error);
    EXPECT_EQ(ParseCommandLine({}, other, message), ParseResult::Run);
    EXPECT_FALSE(other.language);
}

// The locale variables replaced for one test and put back after it.
class StartingLanguageTest : public ::testing::Test {
  protected:
    void SetUp() override {
        for (const char* name : kVariables) {
            const char* value = std::getenv(name);
            saved_.emplace_back(name, value ? std::optional<std::string>(value) : std::nullopt);
            unsetenv(name);
        }
        SetUserFolder(scratch.path().string());
    }
    void TearDown() override {
        for (const auto& [name, value] : saved_) {
            if (value) {
                setenv(name, value->c_str(), 1);
            } else {
                unsetenv(name);
            }
        }
        RequestLanguage(std::nullopt);
        settings = {};
    }
    void Settings(const std::string& bytes) {
        WriteFile(scratch / "settings.cfg", bytes);
        LoadSettings();
    }
    static constexpr const char* kVariables[] = {"LC_ALL", "LC_MESSAGES", "LANG"};
    std::vector<std::pair<const char*, std::optional<std::string>>> saved_;
    ScratchFolder scratch;
};

TEST_F(StartingLanguageTest, TheCommandLineThenTheSavedChoiceThenTheLocale) {
    LoadSettings();  // no file
    EXPECT_EQ(StartingLanguage(), Language::Russian);
    setenv("LANG", "en_US.UTF-8", 1);
    EXPECT_EQ(StartingLanguage(), Language::English);
    Settings("lang=ru\n");
    EXPECT_EQ(StartingLanguage(), Language::Russian);
    RequestLanguage(Language::English);
    EXPECT_EQ(StartingLanguage(), Language::English);
    RequestLanguage(std::nullopt);
    Settings("rumble=0\nlang=en\n");
    unsetenv("LANG");
    EXPECT_EQ(StartingLanguage(), Language::English);
}

TEST_F(StartingLanguageTest, ADamagedSettingsFileGivesTheDefaultWithAMessage) {
    for (const std::string& bytes : {"lang=klingon\n"s, "lang=\x01\xff\xfe\n"s, "lang=EN\n"s}) {
        Settings(bytes);
        testing::internal::CaptureStderr();
        EXPECT_EQ(StartingLanguage(), Language::Russian);
        const std::string message = testing::internal::GetCapturedStderr();
        EXPECT_NE(message.find("settings.cfg"), std::string::npos) << bytes;
    }
    Settings("\0\0lang\xff\n\n=\n"s);  // nothing readable: nothing chosen
    EXPECT_EQ(StartingLanguage(), Language::Russian);
    Settings("lang=klingon\n");
    setenv("LC_MESSAGES", "en_AU", 1);
    testing::internal::CaptureStderr();
    EXPECT_EQ(StartingLanguage(), Language::English);
    testing::internal::GetCapturedStderr();
}

// Every text the game shows has an entry in every translation, and every
// entry is a text the game shows.
TEST(Translations, EachCoversExactlyTheGameTexts) {
    const std::vector<std::string_view> texts = GameTexts();
    const std::set<std::string_view> shown(texts.begin(), texts.end());
    for (int i = 1; i < kLanguageCount; ++i) {
        const std::string file = TestDataFolder() + "/po/" + kLanguageCodes[i] + ".po";
        Translations table;
        std::string error;
        ASSERT_TRUE(ParsePo(ReadFile(file), table, error)) << file << ": " << error;
        for (std::string_view text : texts) EXPECT_TRUE(table.contains(text)) << file << " lacks \"" << text << "\"";
        for (const auto& [russian, translation] : table) {
            EXPECT_TRUE(shown.contains(russian)) << file << ": \"" << russian << "\" is not a text of the game";
        }
    }
    EXPECT_TRUE(shown.contains("Oпции"));
    EXPECT_TRUE(shown.contains("Вперед!!!"));
    EXPECT_FALSE(shown.contains("Map Editor"));  // the editor speaks English already
}

}  // namespace
