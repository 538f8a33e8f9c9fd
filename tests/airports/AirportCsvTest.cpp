#include <gtest/gtest.h>

#include <map>
#include <ostream>

#include "airports/AirportCsv.h"
#include "airports/AirportDb.h"
#include "support/LogRecorder.h"
#include "support/ScratchDir.h"

namespace wx {

void PrintTo(const Airport& a, std::ostream* os) {
    *os << "{" << a.lat << ", " << a.lon << ", " << a.elevationM << " m, \"" << a.name << "\", \"" << a.type << "\"}";
}

namespace {

using test::LogRecorder;
using test::ScratchDir;

const std::string kHeader =
    R"("id","ident","type","name","latitude_deg","longitude_deg","elevation_ft","continent")"
    "\n";

Airport airport(double lat, double lon, int32_t elevationM, const std::string& name, const std::string& type) {
    return Airport{lat, lon, elevationM, name, type};
}

std::string loadedLine(int count) { return "[INFO] Airport DB loaded: " + std::to_string(count) + " stations."; }

struct CsvCase {
    const char* name;
    std::string csv;
    bool loaded;                             // what loadFile returns
    std::vector<std::string> log;            // every line logged
    std::map<std::string, Airport> stored;   // the whole database afterwards
};

void PrintTo(const CsvCase& c, std::ostream* os) { *os << c.name; }

class CsvLoad : public testing::TestWithParam<CsvCase> {};

TEST_P(CsvLoad, StoresExactlyTheKeptRows) {
    const CsvCase& c = GetParam();
    ScratchDir dir;
    LogRecorder log;
    AirportDb db(log.fn());
    EXPECT_EQ(db.loadFile(dir.write("airports.csv", c.csv)), c.loaded);
    EXPECT_EQ(log.lines(), c.log);
    EXPECT_EQ(db.size(), c.stored.size());
    for (const auto& [ident, expected] : c.stored) {
        const auto found = db.findAirport(ident);
        ASSERT_TRUE(found.has_value()) << ident;
        EXPECT_EQ(*found, expected) << ident;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, CsvLoad,
    testing::Values(
        CsvCase{"QuotedHeaderAndFields",
                kHeader + R"(1,"EGLL","large_airport","London Heathrow Airport",51.470748,-0.459909,83,"EU")" "\n",
                true, {loadedLine(1)},
                {{"EGLL", airport(51.470748, -0.459909, 25, "London Heathrow Airport", "large_airport")}}},
        CsvCase{"UnquotedHeaderInAnotherOrder",
                "elevation_ft,longitude_deg,name,ident,latitude_deg\n"
                "100,8.57,Frankfurt,EDDF,50.03\n",
                true, {loadedLine(1)},
                {{"EDDF", airport(50.03, 8.57, 30, "Frankfurt", "")}}},
        CsvCase{"QuotedCommaStaysInTheField",
                kHeader + R"(1,"EGKK","large_airport","London, Gatwick",51.148,-0.19,202,"EU")" "\n",
                true, {loadedLine(1)},
                {{"EGKK", airport(51.148, -0.19, 61, "London, Gatwick", "large_airport")}}},
        CsvCase{"DoubledQuotesDisappear",
                kHeader + R"(1,"LFPO","medium_airport","Orly ""Sud"" Field",48.72,2.37,291,"EU")" "\n",
                true, {loadedLine(1)},
                {{"LFPO", airport(48.72, 2.37, 88, "Orly Sud Field", "medium_airport")}}},
        CsvCase{"LowerCaseIdentIsStoredUpperCased",
                kHeader + R"(1,"eham","large_airport","Schiphol",52.31,4.76,-11,"EU")" "\n",
                true, {loadedLine(1)},
                {{"EHAM", airport(52.31, 4.76, -3, "Schiphol", "large_airport")}}},
        CsvCase{"IdentsThatAreNotFourLettersAreDropped",
                kHeader + R"(1,"EGL","small_airport","Three",51,0,1,"EU")" "\n"
                          R"(2,"EGLLX","small_airport","Five",51,0,1,"EU")" "\n"
                          R"(3,"EG1L","small_airport","Digit",51,0,1,"EU")" "\n"
                          R"(4,"00AA","small_airport","Digits",51,0,1,"EU")" "\n"
                          R"(5,"US-0512","small_airport","Dash",51,0,1,"EU")" "\n"
                          R"(6," EGL","small_airport","Space",51,0,1,"EU")" "\n"
                          R"(7,"","small_airport","Empty",51,0,1,"EU")" "\n",
                false, {loadedLine(0)}, {}},
        CsvCase{"OnlyLowerCaseClosedIsDropped",
                kHeader + R"(1,"AAAA","closed","Gone",1,1,1,"EU")" "\n"
                          R"(2,"BBBB","Closed","Capital",2,2,2,"EU")" "\n"
                          R"(3,"CCCC","CLOSED","Shouting",3,3,3,"EU")" "\n"
                          R"(4,"DDDD","closed ","Trailing space",4,4,4,"EU")" "\n",
                true, {loadedLine(3)},
                {{"BBBB", airport(2, 2, 0, "Capital", "Closed")},
                 {"CCCC", airport(3, 3, 0, "Shouting", "CLOSED")},
                 {"DDDD", airport(4, 4, 1, "Trailing space", "closed ")}}},
        CsvCase{"NumbersReadAsTheCLibraryDoes",
                kHeader + R"(1,"AAAA","t","Letters",abc,1,1,"EU")" "\n"
                          R"(2,"BBBB","t","Partial",51.47abc,-0.46xyz,100ft,"EU")" "\n"
                          R"(3,"CCCC","t","Blanks",  12.5,	-3,  7,"EU")" "\n"
                          R"(4,"DDDD","t","Empty latitude",,1,1,"EU")" "\n"
                          R"(5,"EEEE","t","Overflow",1e999,1,1,"EU")" "\n"
                          R"(6,"FFFF","t","Bad longitude",1,-,1,"EU")" "\n"
                          R"(7,"GGGG","t","Exponent",5e1,+1.5E+1,1e3,"EU")" "\n"
                          R"(8,"HHHH","t","Out of the globe",123,456,1,"EU")" "\n",
                true, {loadedLine(4)},
                {{"BBBB", airport(51.47, -0.46, 30, "Partial", "t")},
                 {"CCCC", airport(12.5, -3, 2, "Blanks", "t")},
                 {"GGGG", airport(50, 15, 304, "Exponent", "t")},
                 {"HHHH", airport(123, 456, 0, "Out of the globe", "t")}}},
        CsvCase{"ElevationTruncatedToFeetThenMetres",
                kHeader + R"(1,"AAAA","t","Empty",1,1,,"EU")" "\n"
                          R"(2,"BBBB","t","Fraction",2,2,1234.9,"EU")" "\n"
                          R"(3,"CCCC","t","Below sea",3,3,-12,"EU")" "\n"
                          R"(4,"DDDD","t","Small negative",4,4,-0.9,"EU")" "\n"
                          R"(5,"EEEE","t","Unreadable",5,5,high,"EU")" "\n"
                          R"(6,"FFFF","t","Beyond a count of feet",6,6,1e30,"EU")" "\n"
                          R"(7,"GGGG","t","Not a number",7,7,nan,"EU")" "\n"
                          R"(8,"HHHH","t","Blank",8,8," ","EU")" "\n"
                          R"(9,"IIII","t","Feet first",9,9,1000.9,"EU")" "\n"
                          R"(10,"JJJJ","t","Negative fraction",10,10,-3.5,"EU")" "\n",
                true, {loadedLine(6)},
                {{"AAAA", airport(1, 1, 0, "Empty", "t")},
                 {"BBBB", airport(2, 2, 376, "Fraction", "t")},
                 {"CCCC", airport(3, 3, -3, "Below sea", "t")},
                 {"DDDD", airport(4, 4, 0, "Small negative", "t")},
                 {"IIII", airport(9, 9, 304, "Feet first", "t")},
                 {"JJJJ", airport(10, 10, 0, "Negative fraction", "t")}}},
        CsvCase{"LaterRowReplacesAndEveryRowCounts",
                kHeader + R"(1,"EGLL","small_airport","First",1,1,1,"EU")" "\n"
                          R"(2,"EGKK","small_airport","Other",2,2,2,"EU")" "\n"
                          R"(3,"egll","large_airport","Second",3,3,3281,"EU")" "\n",
                true, {loadedLine(3)},
                {{"EGLL", airport(3, 3, 1000, "Second", "large_airport")},
                 {"EGKK", airport(2, 2, 0, "Other", "small_airport")}}},
        CsvCase{"CarriageReturnLineEnds",
                "\"ident\",\"latitude_deg\",\"longitude_deg\",\"type\"\r\n"
                "\"AAAA\",1,2,\"closed\"\r\n"
                "\"BBBB\",3,4,\"heliport\"\r\n",
                true, {loadedLine(1)},
                {{"BBBB", airport(3, 4, 0, "", "heliport")}}},
        CsvCase{"ShortRows",
                "ident,latitude_deg,longitude_deg,name,type,elevation_ft\n"
                "AAAA,1\n"
                "BBBB,2,3\n"
                "\n"
                "CCCC,4,5,Named\n"
                "DDDD,6,7,Closed one,closed\n",
                true, {loadedLine(2)},
                {{"BBBB", airport(2, 3, 0, "", "")}, {"CCCC", airport(4, 5, 0, "Named", "")}}},
        CsvCase{"LastLineWithoutLineFeed",
                "ident,latitude_deg,longitude_deg\nAAAA,1,2",
                true, {loadedLine(1)}, {{"AAAA", airport(1, 2, 0, "", "")}}},
        CsvCase{"FirstOfTwoEqualHeaderNamesCounts",
                "ident,latitude_deg,longitude_deg,ident\nAAAA,1,2,BBBB\n",
                true, {loadedLine(1)}, {{"AAAA", airport(1, 2, 0, "", "")}}},
        CsvCase{"HeaderNamesAreCaseSensitive",
                "Ident,latitude_deg,longitude_deg\nAAAA,1,2\n", false, {}, {}},
        CsvCase{"HeaderWithoutLongitude",
                R"("ident","latitude_deg","lon")" "\n" R"("AAAA",1,2)" "\n", false, {}, {}},
        CsvCase{"HeaderCommasIgnoreQuotes",
                R"("ident","lat,deg","latitude_deg","longitude_deg")" "\n"
                R"(AAAA,x,y,1,2)" "\n",
                true, {loadedLine(1)}, {{"AAAA", airport(1, 2, 0, "", "")}}},
        CsvCase{"EmptyFile", "", false, {}, {}},
        CsvCase{"HeaderOnly", kHeader, false, {loadedLine(0)}, {}}),
    [](const testing::TestParamInfo<CsvCase>& info) { return std::string(info.param.name); });

TEST(CsvLoad, MissingFileIsReported) {
    ScratchDir dir;
    LogRecorder log;
    AirportDb db(log.fn());
    EXPECT_FALSE(db.loadFile(dir.path("absent.csv")));
    EXPECT_EQ(log.lines(), std::vector<std::string>{"[ERROR] Cannot open airport cache."});
}

TEST(CsvLoad, SecondLoadAddsToAndOverwritesTheFirst) {
    ScratchDir dir;
    AirportDb db(nullptr);
    ASSERT_TRUE(db.loadFile(dir.write("a.csv", "ident,latitude_deg,longitude_deg\nAAAA,1,1\nBBBB,2,2\n")));
    ASSERT_TRUE(db.loadFile(dir.write("b.csv", "ident,latitude_deg,longitude_deg\nBBBB,3,3\nCCCC,4,4\n")));
    EXPECT_EQ(db.size(), 3u);
    EXPECT_EQ(db.findAirport("AAAA")->lat, 1);
    EXPECT_EQ(db.findAirport("bbbb")->lat, 3);
    // The search sees the merged list too.
    const auto nearest = db.nearestAirports(3, 3, 1, 1);
    ASSERT_EQ(nearest.size(), 1u);
    EXPECT_EQ(nearest[0].ident, "BBBB");
}

struct RowCase {
    const char* line;
    std::vector<std::string> fields;
};

class CsvRowScan : public testing::TestWithParam<RowCase> {};

TEST_P(CsvRowScan, SplitsAtCommasOutsideQuotes) {
    CsvRow row;
    row.scan(GetParam().line);
    std::vector<std::string> fields;
    for (size_t i = 0; i < row.size(); ++i) {
        fields.emplace_back(row.field(i));
        EXPECT_EQ(std::string(row.fieldText(i)), fields.back());
    }
    EXPECT_EQ(fields, GetParam().fields);
}

INSTANTIATE_TEST_SUITE_P(Lines, CsvRowScan,
                         testing::Values(RowCase{"", {""}}, RowCase{",", {"", ""}}, RowCase{"a,b", {"a", "b"}},
                                         RowCase{R"("a,b",c)", {"a,b", "c"}},
                                         RowCase{R"(x"y"z)", {"xyz"}},
                                         RowCase{R"("say ""hi""",2)", {"say hi", "2"}},
                                         RowCase{R"("open,to the end)", {"open,to the end"}},
                                         RowCase{" a , b ", {" a ", " b "}}));

}  // namespace
}  // namespace wx
