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

// NUBIRO_LANG first, for this run; then the pilot's choice; then Windows.
TEST(UiText, LanguageFollowsTheOverrideThenThePilotsChoiceThenTheWindowsLanguage) {
    struct Case {
        const char* override;
        LanguageChoice choice;
        uint16_t uiLanguageId;
        Language expected;
    };
    const Case cases[] = {
        {"", LanguageChoice::Automatic, 0x0419, Language::Russian},  // Russian
        {"", LanguageChoice::Automatic, 0x0422, Language::Russian},  // Ukrainian
        {"", LanguageChoice::Automatic, 0x0423, Language::Russian},  // Belarusian
        {"", LanguageChoice::Automatic, 0x0819, Language::Russian},  // Russian (Moldova)
        {"", LanguageChoice::Automatic, 0x0409, Language::English},  // English (United States)
        {"", LanguageChoice::Automatic, 0x0407, Language::English},  // German
        {"en", LanguageChoice::Automatic, 0x0419, Language::English},
        {"RU", LanguageChoice::Automatic, 0x0409, Language::Russian},
        {"de", LanguageChoice::Automatic, 0x0419, Language::Russian},  // not a language the window has
        {"", LanguageChoice::Russian, 0x0409, Language::Russian},
        {"", LanguageChoice::English, 0x0419, Language::English},
        {"EN", LanguageChoice::Russian, 0x0419, Language::English},
        {"ru", LanguageChoice::English, 0x0409, Language::Russian},
        {"de", LanguageChoice::English, 0x0419, Language::English},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(chooseLanguage(c.override, c.choice, c.uiLanguageId), c.expected)
            << c.override << " " << static_cast<int>(c.choice) << " " << c.uiLanguageId;
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

// Start refuses a weather time with the command line's line in English,
// and with its own in Russian.
TEST(UiText, WeatherTimeRefusals) {
    const auto present = std::chrono::system_clock::time_point{std::chrono::sys_days{std::chrono::year{2026} / 12 / 8}};
    for (const char* typed : {" soon ", "2030-01-01T00:00Z", "1990-01-01 00:00", "now", "2022-10-23 14:50"}) {
        const WeatherTimeChoice choice = chooseWeatherTime(typed, present);
        EXPECT_EQ(weatherTimeRefusalText(Language::English, choice, typed, present),
                  weatherTimeRefusal(choice, typed, present))
            << typed;
    }
    EXPECT_EQ(weatherTimeRefusalText(Language::Russian, chooseWeatherTime("2030-01-01T00:00Z", present),
                                     "2030-01-01T00:00Z", present),
              "Время погоды 2030-01-01 00:00Z ещё не наступило: погоду можно взять с 2000-01-01 00:00Z по "
              "2026-12-08 00:00Z");
}

}  // namespace
}  // namespace wx
