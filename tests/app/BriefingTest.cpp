#include <gtest/gtest.h>

#include "app/BriefingLayout.h"
#include "app/BriefingText.h"

namespace wx {
namespace {

UtcMillis utc(const char* text) { return *parseUtcTime(text); }

TafPeriod tafPeriod(const char* change, const char* from, const char* to, std::optional<FlightCategory> category) {
    TafPeriod made;
    made.change = change;
    made.from = utc(from);
    made.to = utc(to);
    made.category = category;
    return made;
}

TEST(BriefingText, PeriodWordsSayWhatThePeriodGives) {
    TafPeriod full;
    full.windDirDeg = 240;
    full.windSpeedKt = 12;
    full.gustKt = 22;
    full.visibilityM = 9999;
    full.ceilingFt = 800;
    full.cloudsGiven = true;
    full.weather = "-RA";
    TafPeriod variable;
    variable.windVariable = true;
    variable.windSpeedKt = 3;
    variable.visibilityM = 800;
    variable.cloudsGiven = true;
    TafPeriod calm;
    calm.windDirDeg = 0;
    calm.windSpeedKt = 0;
    TafPeriod weatherOnly;
    weatherOnly.weather = "+TSRA";
    struct Case {
        TafPeriod period;
        Language language;
        const char* expected;
    };
    const Case cases[] = {
        {full, Language::English, "wind 240°/12 kt, gusts 22 kt, vis 10 km or more, ceiling 800 ft, -RA"},
        {full, Language::Russian, "ветер 240°/12 уз, порывы 22 уз, вид. 10 км и более, НГО 800 фт, -RA"},
        {variable, Language::English, "wind VRB/3 kt, vis 800 m, no ceiling"},
        {calm, Language::Russian, "штиль"},
        {weatherOnly, Language::English, "+TSRA"},
        {TafPeriod{}, Language::English, ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(periodWords(c.language, c.period), c.expected);
    }
}

TEST(BriefingText, TheForecastAtArrivalWithTempoAndProbBesideIt) {
    BriefingAirport airport;
    TafPeriod prevailing = tafPeriod("FM", "2026-12-08T12:00:00Z", "2026-12-08T18:00:00Z", FlightCategory::Ifr);
    prevailing.ceilingFt = 800;
    TafPeriod tempo = tafPeriod("TEMPO", "2026-12-08T15:00:00Z", "2026-12-08T18:00:00Z", FlightCategory::Lifr);
    tempo.visibilityM = 600;
    const TafPeriod prob = tafPeriod("PROB30", "2026-12-08T16:00:00Z", "2026-12-08T18:00:00Z", std::nullopt);
    airport.atEta = ForecastAt{prevailing, {{"TEMPO", FlightCategory::Lifr, tempo}, {"PROB30", std::nullopt, prob}}};
    const UtcMillis eta = utc("2026-12-08T16:40:00Z");
    EXPECT_EQ(arrivalForecastText(Language::English, airport, eta),
              "At arrival 16:40Z: IFR — ceiling 800 ft; TEMPO LIFR: vis 600 m; PROB30 ?");
    airport.atEta.reset();
    EXPECT_EQ(arrivalForecastText(Language::Russian, airport, eta),
              "К прибытию 16:40Z: нет прогноза на время прибытия");
}

TEST(BriefingText, AirportsAndSigmets) {
    BriefingAirport airport{"EGBB", StationRole::Destination, FlightCategory::Mvfr, 12, std::nullopt, std::nullopt};
    EXPECT_EQ(airportName(airport), "DEST EGBB");
    EXPECT_EQ(reportText(Language::English, airport), "METAR MVFR, 12 min");
    EXPECT_EQ(tafText(Language::Russian, airport), "нет TAF");
    airport.taf = Taf{"EGBB", utc("2026-12-08T11:20:00Z"), {}, {}, "", {}};
    EXPECT_EQ(tafText(Language::English, airport), "TAF issued 081120Z");
    EXPECT_EQ(reportText(Language::Russian, BriefingAirport{}), "нет METAR");

    struct Case {
        BriefingSigmet sigmet;
        Language language;
        const char* expected;
    };
    const Case cases[] = {
        {{"TS@EGTT", "TS", std::nullopt, 38000, {1, 2}, true},
         Language::English,
         "TS, SFC–FL380, legs 1, 2, at the cruise level (TS@EGTT)"},
        {{"", "TURB", 25000, std::nullopt, {3}, false},
         Language::Russian,
         "TURB, FL250 и выше, участки 3, не на эшелоне полёта"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(sigmetText(c.language, c.sigmet), c.expected);
    }
}

TEST(BriefingLayout, TheAxisMapsTimesAcrossItsPixelsAndHoldsThemToItsEnds) {
    const TimeAxis axis{utc("2026-12-08T12:00:00Z"), utc("2026-12-09T12:00:00Z"), 200, 680};
    struct Case {
        const char* time;
        int x;
    };
    const Case cases[] = {
        {"2026-12-08T12:00:00Z", 200}, {"2026-12-08T18:00:00Z", 320}, {"2026-12-09T12:00:00Z", 680},
        {"2026-12-08T06:00:00Z", 200}, {"2026-12-10T00:00:00Z", 680},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(axis.xOf(utc(c.time)), c.x) << c.time;
    }
}

// Two TAFs: the axis runs from the earliest start to the latest end; a
// period beyond its TAF's validity is cut at the axis, a BECMG's change
// is a box of its own, overlapping TEMPO and PROB periods take two lanes,
// and the arrival's line lies where its time does.
TEST(BriefingLayout, BoxesOnTheAxisAndTheArrivalMarked) {
    Taf destination{"EGBB", utc("2026-12-08T11:00:00Z"), utc("2026-12-08T12:00:00Z"), utc("2026-12-09T12:00:00Z"), "",
                    {}};
    // The base period given the whole validity, as some answers do: it ends
    // where the BECMG begins.
    destination.periods = {
        tafPeriod("BASE", "2026-12-08T10:00:00Z", "2026-12-09T12:00:00Z", FlightCategory::Vfr),
        tafPeriod("BECMG", "2026-12-08T18:00:00Z", "2026-12-09T12:00:00Z", FlightCategory::Ifr),
        tafPeriod("TEMPO", "2026-12-08T14:00:00Z", "2026-12-08T20:00:00Z", FlightCategory::Lifr),
        tafPeriod("PROB30", "2026-12-08T16:00:00Z", "2026-12-08T17:00:00Z", std::nullopt),
    };
    destination.periods[1].becomingEnd = utc("2026-12-08T20:00:00Z");
    Taf alternate{"EGNX", utc("2026-12-08T11:00:00Z"), utc("2026-12-08T18:00:00Z"), utc("2026-12-09T18:00:00Z"), "",
                  {}};
    alternate.periods = {tafPeriod("BASE", "2026-12-08T18:00:00Z", "2026-12-09T18:00:00Z", FlightCategory::Mvfr)};
    Briefing briefing;
    briefing.eta = utc("2026-12-08T16:00:00Z");
    briefing.airports = {{"EGBB", StationRole::Destination, FlightCategory::Vfr, 5, destination, std::nullopt},
                         {"EGNX", StationRole::Alternate, std::nullopt, std::nullopt, alternate, std::nullopt},
                         {"EGLL", StationRole::Departure, std::nullopt, std::nullopt, std::nullopt, std::nullopt}};

    const auto axis = forecastAxis(briefing, 0, 300);
    ASSERT_TRUE(axis);
    EXPECT_EQ(axis->from, utc("2026-12-08T12:00:00Z"));
    EXPECT_EQ(axis->to, utc("2026-12-09T18:00:00Z"));

    const int width = 8 + 180 + 10 + 300 + 8;  // an axis of 300 px: 10 px an hour
    const BriefingScene scene = buildBriefingScene(briefing, width, 500, 14, 96, Language::English);
    const int left = 198;
    struct Expected {
        int left;
        int width;
        const char* label;
        bool changing;
    };
    const Expected expected[] = {
        {left, 60, "VFR", false},           {left + 60, 20, "IFR", true},
        {left + 80, 160, "IFR", false},     {left + 20, 60, "TEMPO LIFR", false},
        {left + 40, 10, "PROB30 ?", false}, {left + 60, 240, "MVFR", false},
    };
    ASSERT_EQ(scene.boxes.size(), std::size(expected));
    for (size_t i = 0; i < std::size(expected); ++i) {
        const BriefingBox& box = scene.boxes[i];
        EXPECT_EQ(box.rect.left, expected[i].left) << i;
        EXPECT_EQ(box.rect.width, expected[i].width) << i;
        EXPECT_EQ(box.label, expected[i].label) << i;
        EXPECT_EQ(box.changing, expected[i].changing) << i;
    }
    EXPECT_EQ(scene.boxes[0].colour, categoryColour(FlightCategory::Vfr));
    EXPECT_LT(scene.boxes[3].rect.height, scene.boxes[0].rect.height);
    EXPECT_GT(scene.boxes[4].rect.top, scene.boxes[3].rect.top);
    EXPECT_EQ(scene.arrivalX, left + 40);
    EXPECT_EQ(scene.ticks.front().label, "12Z");
    EXPECT_EQ(scene.ticks[2].label, "09/00Z");

    briefing.eta = utc("2026-12-10T01:00:00Z");
    EXPECT_EQ(buildBriefingScene(briefing, width, 500, 14, 96, Language::English).arrivalX, std::nullopt);
    // A TAF whose validity reaches years ahead gets no hours marked.
    briefing.airports[1].taf->validTo = utc("2126-12-09T18:00:00Z");
    EXPECT_TRUE(buildBriefingScene(briefing, width, 500, 14, 96, Language::English).ticks.empty());
    const BriefingScene none = buildBriefingScene(std::nullopt, width, 500, 14, 96, Language::Russian);
    EXPECT_TRUE(none.boxes.empty());
    EXPECT_EQ(none.note, "Для брифинга нужен план полёта: он появится после первого цикла с планом.");
}

}  // namespace
}  // namespace wx
