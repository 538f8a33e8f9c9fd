#include <gtest/gtest.h>

#include <functional>
#include <map>

#include "sim/LittleEndian.h"
#include "sim/NwiRecord.h"

namespace wx {
namespace {

// One field of the record: where, how wide, which value.
struct Field {
    size_t offset;
    int width;  // 1, 2 or 4 bytes
    int64_t value;
};

// The fields of the record built from a default record with no clouds and
// no layers aloft, magnetic variation 0.
const std::vector<Field> kDefaultFields = {
    {8, 1, ' '},   {9, 1, ' '},  {10, 1, ' '}, {11, 1, ' '},  // no station
    {40, 2, 16208},                                           // QNH 1013 × 16
    {44, 2, 15000},
    {48, 2, 621},                                             // 9999 m
    {52, 4, 1},                                               // surface temperature layer
    {56, 2, 0},    {58, 2, 15},  {62, 2, 10},
    {248, 4, 1},                                              // surface wind layer
    {252, 2, 1000},
};

struct RecordCase {
    const char* name;
    std::function<void(WeatherData&)> arrange;
    double magVarDeg;
    std::vector<Field> fields;  // replace or add to the default fields
};

NwiRecord expectedRecord(const std::vector<Field>& overrides) {
    std::map<size_t, Field> fields;
    for (const Field& field : kDefaultFields) {
        fields[field.offset] = field;
    }
    for (const Field& field : overrides) {
        fields[field.offset] = field;
    }
    NwiRecord record{};
    for (const auto& [offset, field] : fields) {
        for (int i = 0; i < field.width; ++i) {
            record[offset + i] = static_cast<uint8_t>(static_cast<uint64_t>(field.value) >> (8 * i));
        }
    }
    return record;
}

class NwiRecordTest : public ::testing::TestWithParam<RecordCase> {};

// Every byte is compared, so a stray byte anywhere fails the case.
TEST_P(NwiRecordTest, BuildsTheRecordByteForByte) {
    const RecordCase& c = GetParam();
    WeatherData weather;
    c.arrange(weather);
    const NwiRecord built = buildNwiRecord(weather, c.magVarDeg);
    const NwiRecord expected = expectedRecord(c.fields);
    for (size_t i = 0; i < built.size(); ++i) {
        EXPECT_EQ(static_cast<int>(built[i]), static_cast<int>(expected[i])) << "byte " << i;
    }
}

CloudLayer cloud(int32_t baseM, int32_t oktas, const char* type, const char* source = "METAR") {
    CloudLayer layer;
    layer.baseM = baseM;
    layer.coverOktas = oktas;
    layer.type = type;
    layer.source = source;
    return layer;
}

UpperAirLayer aloft(int32_t altitudeM, int32_t dirDeg, int32_t speedKt, bool withTemperature, float temperatureC = 0) {
    UpperAirLayer layer;
    layer.altitudeM = altitudeM;
    layer.windDirDeg = dirDeg;
    layer.windSpeedKt = speedKt;
    layer.hasTemperature = withTemperature;
    layer.temperatureC = temperatureC;
    return layer;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, NwiRecordTest,
    ::testing::Values(
        RecordCase{"DefaultRecord", [](WeatherData&) {}, 0.0, {}},
        RecordCase{"StationUpperCased", [](WeatherData& w) { w.stationId = "eddf"; }, 0.0,
                   {{8, 1, 'E'}, {9, 1, 'D'}, {10, 1, 'D'}, {11, 1, 'F'}}},
        RecordCase{"ShortStationPadded", [](WeatherData& w) { w.stationId = "K1"; }, 0.0,
                   {{8, 1, 'K'}, {9, 1, '1'}}},
        RecordCase{"LongStationCut", [](WeatherData& w) { w.stationId = "GLOBAL"; }, 0.0,
                   {{8, 1, 'G'}, {9, 1, 'L'}, {10, 1, 'O'}, {11, 1, 'B'}}},
        RecordCase{"VisibilityCappedAt65535", [](WeatherData& w) { w.visibilityM = 1100000; }, 0.0, {{48, 2, 65535}}},
        RecordCase{"NegativeVisibilityIsZero", [](WeatherData& w) { w.visibilityM = -50; }, 0.0, {{48, 2, 0}}},
        RecordCase{"QnhBeyondTheFieldIsCapped", [](WeatherData& w) { w.qnhHpa = 5000; }, 0.0, {{40, 2, 65535}}},
        RecordCase{"SurfaceTemperaturesRoundHalvesAwayFromZero",
                   [](WeatherData& w) {
                       w.elevationM = 100;
                       w.temperatureC = 15.5f;
                       w.dewpointC = -0.5f;
                   },
                   0.0, {{56, 2, 100}, {58, 2, 16}, {62, 2, 0xFFFF}, {252, 2, 1100}}},
        RecordCase{"SurfaceWindTurnedByVariation",
                   [](WeatherData& w) {
                       w.windDirDeg = 270;
                       w.windSpeedKt = 15;
                       w.windGustKt = 28;
                       w.turbulence = 2;
                   },
                   10.0, {{254, 2, 15}, {256, 2, 28}, {258, 2, 47331}, {260, 1, 2}}},
        RecordCase{"SurfaceWindWrapsBelowNorth", [](WeatherData& w) { w.windDirDeg = 5; }, 10.0, {{258, 2, 64625}}},
        RecordCase{"FractionalVariationTruncatesTheDegrees", [](WeatherData& w) { w.windDirDeg = 90; }, 0.6,
                   {{258, 2, 89 * 65536 / 360}}},
        RecordCase{"TurbulenceAboveFourWrittenAsFour", [](WeatherData& w) { w.turbulence = 7; }, 0.0, {{260, 1, 4}}},
        RecordCase{"LayersAloftKeepTrueDirection",
                   [](WeatherData& w) {
                       w.upperAir.push_back(aloft(3000, 270, 40, true, -7.5f));
                       w.upperAir.push_back(aloft(5500, -90, 55, false));
                       w.upperAir.back().windGustKt = 60;
                       w.upperAir.back().turbulence = 3;
                   },
                   10.0,
                   {{52, 4, 2}, {64, 2, 3000}, {66, 2, 0xFFF8}, {70, 2, 0xFFF3},
                    {248, 4, 3}, {258, 2, 63715},
                    {268, 2, 3000}, {270, 2, 40}, {274, 2, 49152},
                    {284, 2, 5500}, {286, 2, 55}, {288, 2, 60}, {290, 2, 49152}, {292, 1, 3}}},
        RecordCase{"CloudLayersAboveTheStation",
                   [](WeatherData& w) {
                       w.elevationM = 110;
                       w.clouds.push_back(cloud(300, 3, "CU"));
                       w.clouds.push_back(cloud(1200, 7, "TCU"));
                       w.clouds.back().turbulence = 9;
                       w.clouds.back().icing = 3;
                       w.clouds.back().hasTop = true;
                       w.clouds.back().topM = 9000;
                   },
                   0.0,
                   {{56, 2, 110}, {252, 2, 1110}, {636, 4, 2},
                    {640, 2, 2410}, {642, 2, 410}, {646, 1, 3}, {647, 1, 9},
                    {656, 2, 3310}, {658, 2, 1310}, {662, 1, 7}, {663, 1, 10}, {664, 1, 4}, {665, 1, 3}}},
        RecordCase{"PrecipitationOnlyOnPrecipLayers",
                   [](WeatherData& w) {
                       w.precipType = 1;
                       w.precipRate = 3;
                       w.clouds.push_back(cloud(400, 6, "ST", "PRECIP"));
                       w.clouds.push_back(cloud(2000, 4, "SC"));
                   },
                   0.0,
                   {{636, 4, 2}, {640, 2, 2400}, {642, 2, 400}, {646, 1, 6}, {647, 1, 8}, {652, 1, 1}, {653, 1, 3},
                    {656, 2, 4000}, {658, 2, 2000}, {662, 1, 4}, {663, 1, 8}}},
        RecordCase{"PrecipLayerWithoutPrecipitation",
                   [](WeatherData& w) {
                       w.precipRate = 3;
                       w.clouds.push_back(cloud(400, 6, "ST", "PRECIP"));
                   },
                   0.0, {{636, 4, 1}, {640, 2, 2400}, {642, 2, 400}, {646, 1, 6}, {647, 1, 8}}},
        RecordCase{"StationBelowSeaLevelClampsAltitudesAtZero",
                   [](WeatherData& w) {
                       w.stationId = "EHAM";
                       w.elevationM = -3;
                       w.clouds.push_back(cloud(0, 2, "CI"));
                   },
                   0.0,
                   {{8, 1, 'E'}, {9, 1, 'H'}, {10, 1, 'A'}, {11, 1, 'M'},
                    {56, 2, 0}, {252, 2, 997},
                    {636, 4, 1}, {640, 2, 1997}, {642, 2, 0}, {646, 1, 2}, {647, 1, 1}}},
        RecordCase{"AltitudesAboveTheFieldAreCapped",
                   [](WeatherData& w) {
                       w.elevationM = 64000;
                       w.upperAir.push_back(aloft(70000, 0, 0, true, 0.0f));
                       w.clouds.push_back(cloud(1000, 1, "AC"));
                   },
                   0.0,
                   {{56, 2, 64000}, {52, 4, 2}, {64, 2, 65535}, {70, 2, 0xFFFB},
                    {248, 4, 2}, {252, 2, 65000}, {268, 2, 65535},
                    {636, 4, 1}, {640, 2, 65535}, {642, 2, 65000}, {646, 1, 1}, {647, 1, 9}}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(NwiRecordLists, AreCutToTheirRoomAndCountWhatWasPlaced) {
    WeatherData weather;
    for (int i = 0; i < 20; ++i) {
        weather.clouds.push_back(cloud(100 * i, 1, "ST"));
    }
    for (int i = 0; i < 30; ++i) {
        weather.upperAir.push_back(aloft(1000 + 100 * i, 0, i, true, static_cast<float>(i)));
    }
    const NwiRecord record = buildNwiRecord(weather, 0.0);
    EXPECT_EQ(loadLe32(&record[52]), 24u);
    EXPECT_EQ(loadLe32(&record[248]), 24u);
    EXPECT_EQ(loadLe32(&record[636]), 16u);
    EXPECT_EQ(loadLe16(&record[56 + 23 * 8]), 1000 + 100 * 22) << "last temperature layer is the 23rd aloft";
    EXPECT_EQ(loadLe16(&record[252 + 23 * 16 + 2]), 22) << "last wind layer is the 23rd aloft";
    EXPECT_EQ(loadLe16(&record[640 + 15 * 16 + 2]), 1500) << "last cloud layer is the 16th";
    for (size_t i = 896; i < record.size(); ++i) {
        ASSERT_EQ(record[i], 0) << "byte " << i;
    }
}

TEST(NwiRecordLists, OnlyLayersWithTemperatureGiveTemperatureLayers) {
    WeatherData weather;
    weather.upperAir = {aloft(1500, 0, 0, false), aloft(3000, 0, 0, true, 4.0f), aloft(5500, 0, 0, false)};
    const NwiRecord record = buildNwiRecord(weather, 0.0);
    EXPECT_EQ(loadLe32(&record[52]), 2u);
    EXPECT_EQ(loadLe16(&record[64]), 3000);
    EXPECT_EQ(loadLe32(&record[248]), 4u);
}

TEST(NwiCloudTypeCode, MapsEveryType) {
    const std::pair<const char*, int> kCodes[] = {{"CB", 10}, {"TCU", 10}, {"CI", 1}, {"ST", 8}, {"SC", 8},
                                                  {"CU", 9},  {"AC", 9},   {"", 0},  {"NS", 0}, {"cb", 0}};
    for (const auto& [type, code] : kCodes) {
        EXPECT_EQ(nwiCloudTypeCode(type), code) << type;
    }
}

}  // namespace
}  // namespace wx
