#include <gtest/gtest.h>

#include <string>

#include "app/AboutText.h"
#include "app/UiText.h"

namespace wx {
namespace {

bool hasCyrillic(const std::string& text) {
    // Cyrillic letters (U+0400 to U+04FF) start with the bytes D0 to D3.
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0xD0 && byte <= 0xD3) {
            return true;
        }
    }
    return false;
}

TEST(UiText, TheLanguageAskedForIsTheEnvironmentsThenTheOneKept) {
    struct Case {
        const char* environment;
        const char* kept;
        const char* expected;
    };
    for (const Case& c : {Case{"", "", ""}, Case{"EN", "ru", "en"}, Case{"", "ru", "ru"}, Case{"de", "en", "en"},
                          Case{"", "fr", ""}}) {
        EXPECT_EQ(languageAskedFor(c.environment, c.kept), c.expected) << c.environment << " " << c.kept;
    }
}

TEST(UiText, LanguageFollowsTheOverrideThenTheWindowsLanguage) {
    struct Case {
        const char* override;
        uint16_t uiLanguageId;
        Language expected;
    };
    const Case cases[] = {
        {"", 0x0419, Language::Russian},    // Russian
        {"", 0x0422, Language::Russian},    // Ukrainian
        {"", 0x0423, Language::Russian},    // Belarusian
        {"", 0x0819, Language::Russian},    // Russian (Moldova)
        {"", 0x0409, Language::English},    // English (United States)
        {"", 0x0407, Language::English},    // German
        {"en", 0x0419, Language::English},  //
        {"RU", 0x0409, Language::Russian},  //
        {"de", 0x0419, Language::Russian},  // not a language the window has
    };
    for (const Case& c : cases) {
        EXPECT_EQ(chooseLanguage(c.override, c.uiLanguageId), c.expected) << c.override << " " << c.uiLanguageId;
    }
}

TEST(UiText, EveryTextExistsInBothLanguagesAndTheEnglishOnesHaveNoCyrillic) {
    for (int id = 0; id < static_cast<int>(TextId::Count); ++id) {
        const std::string russian = uiText(Language::Russian, static_cast<TextId>(id));
        const std::string english = uiText(Language::English, static_cast<TextId>(id));
        EXPECT_FALSE(russian.empty()) << id;
        EXPECT_FALSE(english.empty()) << id;
        EXPECT_FALSE(hasCyrillic(english)) << english;
    }
    EXPECT_FALSE(hasCyrillic(aboutText(Language::English)));
    for (const SourceInfo& source : listSources()) {
        EXPECT_FALSE(hasCyrillic(sourceDisplayName(Language::English, source))) << source.id;
    }
}

}  // namespace
}  // namespace wx
