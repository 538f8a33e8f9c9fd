#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <fstream>
#include <map>

#include "airports/AirportDb.h"
#include "support/LogRecorder.h"
#include "support/TestData.h"

namespace wx {
namespace {

// The real-size list, read once for all tests of this file.
const AirportDb& realDb() {
    static const AirportDb db = [] {
        AirportDb loaded(nullptr);
        if (!loaded.loadFile(test::testDataPath("airports.csv"))) {
            throw std::runtime_error("cannot load " + test::testDataPath("airports.csv"));
        }
        return loaded;
    }();
    return db;
}

// An independent reading of the list: RFC 4180 fields (a doubled quote is
// a quote), and the rule of the product in its plainest form.
std::vector<std::string> rfcFields(const std::string& line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
            fields.back() += '"';
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

struct Position {
    double lat;
    double lon;
};

std::map<std::string, Position> bruteForceList() {
    std::ifstream in(test::testDataPath("airports.csv"), std::ios::binary);
    std::string line;
    std::getline(in, line);
    const auto header = rfcFields(line);
    const auto column = [&](const char* name) {
        return static_cast<size_t>(std::find(header.begin(), header.end(), name) - header.begin());
    };
    const size_t ident = column("ident"), lat = column("latitude_deg"), lon = column("longitude_deg"),
                 type = column("type");
    std::map<std::string, Position> list;
    while (std::getline(in, line)) {
        const auto f = rfcFields(line);
        std::string id = f.at(ident);
        for (char& c : id) {
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
        const bool letters =
            id.size() == 4 && std::all_of(id.begin(), id.end(), [](char c) { return c >= 'A' && c <= 'Z'; });
        if (letters && f.at(type) != "closed") {
            list[id] = {std::stod(f.at(lat)), std::stod(f.at(lon))};
        }
    }
    return list;
}

// Great-circle distance from the chord between unit vectors, on the same
// 3440.065 nm sphere.
double chordDistanceNm(Position a, Position b) {
    const double k = 3.141592653589793 / 180.0;
    const auto unit = [k](Position p) {
        const double cosLat = std::cos(p.lat * k);
        return std::array<double, 3>{cosLat * std::cos(p.lon * k), cosLat * std::sin(p.lon * k), std::sin(p.lat * k)};
    };
    const auto u = unit(a), v = unit(b);
    const double chord = std::hypot(u[0] - v[0], u[1] - v[1], u[2] - v[2]);
    return 2.0 * 3440.065 * std::asin(chord / 2.0);
}

TEST(RealAirportList, LoadsTheFourLetterOpenAirports) {
    test::LogRecorder log;
    AirportDb db(log.fn());
    ASSERT_TRUE(db.loadFile(test::testDataPath("airports.csv")));
    EXPECT_EQ(db.size(), 17714u);
    EXPECT_EQ(log.lines(), std::vector<std::string>{"[INFO] Airport DB loaded: 17714 stations."});
    EXPECT_EQ(db.size(), bruteForceList().size());
}

struct KnownAirport {
    const char* ident;
    double lat;
    double lon;
    const char* name;
};

class RealAirport : public testing::TestWithParam<KnownAirport> {};

TEST_P(RealAirport, IsFoundWithItsPosition) {
    const auto airport = realDb().findAirport(GetParam().ident);
    ASSERT_TRUE(airport.has_value());
    EXPECT_EQ(airport->lat, GetParam().lat);
    EXPECT_EQ(airport->lon, GetParam().lon);
    EXPECT_EQ(airport->name, GetParam().name);
    EXPECT_EQ(airport->type, "large_airport");
}

INSTANTIATE_TEST_SUITE_P(Majors, RealAirport,
                         testing::Values(KnownAirport{"EGLL", 51.470748, -0.459909, "London Heathrow Airport"},
                                         KnownAirport{"eddf", 50.026706, 8.55835, "Frankfurt Main Airport"},
                                         KnownAirport{"LFPG", 49.00896, 2.554117,
                                                      "Charles de Gaulle International Airport"},
                                         KnownAirport{"EHAM", 52.308601, 4.76389, "Amsterdam Airport Schiphol"}));

TEST(RealAirportList, TwentyNearestToHeathrowMatchABruteForceSearch) {
    const Position egll{51.470748, -0.459909};
    std::vector<std::pair<double, std::string>> all;
    for (const auto& [ident, position] : bruteForceList()) {
        const double d = chordDistanceNm(egll, position);
        if (d <= 150.0) {
            all.emplace_back(d, ident);
        }
    }
    std::sort(all.begin(), all.end());
    ASSERT_GE(all.size(), 20u);
    all.resize(20);

    const auto nearest = realDb().nearestAirports(egll.lat, egll.lon, 20, 150.0);
    ASSERT_EQ(nearest.size(), 20u);
    EXPECT_EQ(nearest.front().ident, "EGLL");
    for (size_t i = 0; i < nearest.size(); ++i) {
        EXPECT_EQ(nearest[i].ident, all[i].second) << i;
        EXPECT_NEAR(nearest[i].distanceNm, all[i].first, 1e-6) << i;
        EXPECT_LE(nearest[i].distanceNm, 150.0);
        if (i > 0) {
            EXPECT_LE(nearest[i - 1].distanceNm, nearest[i].distanceNm);
        }
    }
}

TEST(RealAirportList, WideSearchKeepsEveryAirportInsideTheRadius) {
    const Position eddf{50.026706, 8.55835};
    size_t inside = 0;
    for (const auto& [ident, position] : bruteForceList()) {
        inside += chordDistanceNm(eddf, position) <= 300.0 ? 1 : 0;
    }
    const auto nearest = realDb().nearestAirports(eddf.lat, eddf.lon, 100000, 300.0);
    EXPECT_EQ(nearest.size(), inside);
    const auto nearer = [](const NearbyAirport& a, const NearbyAirport& b) { return a.distanceNm < b.distanceNm; };
    EXPECT_TRUE(std::is_sorted(nearest.begin(), nearest.end(), nearer));
}

}  // namespace
}  // namespace wx
