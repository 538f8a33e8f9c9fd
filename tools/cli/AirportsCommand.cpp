#include <chrono>
#include <ostream>

#include <nlohmann/json.hpp>

#include "CliOptions.h"
#include "Commands.h"
#include "JsonLine.h"
#include "airports/AirportCsv.h"
#include "airports/AirportDb.h"

namespace wx::cli {
namespace {

using nlohmann::ordered_json;

void expectWords(const std::vector<std::string>& words, size_t count, const char* shape) {
    if (words.size() != count) {
        throw UsageError(std::string("expected ") + shape);
    }
}

// A database that writes its log lines to the error stream.
AirportDb loggingDb(std::ostream& err) {
    return AirportDb([&err](const std::string& message, const std::string& level) {
        err << "[" << level << "] " << message << '\n';
    });
}

bool loadOrReport(AirportDb& db, const std::string& path, std::ostream& err) {
    if (db.loadFile(path)) {
        return true;
    }
    err << "no airports loaded from " << path << '\n';
    return false;
}

int find(const std::vector<std::string>& words, CliStreams io) {
    expectWords(words, 3, "airports find CSV IDENT");
    AirportDb db = loggingDb(io.err);
    if (!loadOrReport(db, words[1], io.err)) {
        return 1;
    }
    const auto airport = db.findAirport(words[2]);
    if (!airport) {
        io.err << "no airport " << words[2] << " in " << words[1] << '\n';
        return 1;
    }
    ordered_json object;
    object["ident"] = normalizedIdent(words[2]);
    object["name"] = airport->name;
    object["lat"] = airport->lat;
    object["lon"] = airport->lon;
    object["elevationM"] = airport->elevationM;
    object["type"] = airport->type;
    io.out << jsonLine(object) << '\n';
    return 0;
}

int nearest(const std::vector<std::string>& words, CliStreams io) {
    expectWords(words, 6, "airports nearest CSV LAT LON COUNT RADIUS_NM");
    const double lat = parseNumber("LAT", words[2]);
    const double lon = parseNumber("LON", words[3]);
    const int32_t count = parseInteger("COUNT", words[4]);
    const double radiusNm = parseNumber("RADIUS_NM", words[5]);
    AirportDb db = loggingDb(io.err);
    if (!loadOrReport(db, words[1], io.err)) {
        return 1;
    }
    for (const NearbyAirport& airport : db.nearestAirports(lat, lon, count, radiusNm)) {
        ordered_json object;
        object["ident"] = airport.ident;
        object["name"] = airport.name;
        object["distanceNm"] = airport.distanceNm;
        io.out << jsonLine(object) << '\n';
    }
    return 0;
}

int load(const std::vector<std::string>& words, CliStreams io) {
    expectWords(words, 2, "airports load CSV");
    AirportDb db = loggingDb(io.err);
    const auto start = std::chrono::steady_clock::now();
    const bool loaded = loadOrReport(db, words[1], io.err);
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - start;
    if (!loaded) {
        return 1;
    }
    ordered_json object;
    object["stored"] = db.size();
    object["loadMs"] = took.count();
    io.out << jsonLine(object) << '\n';
    return 0;
}

}  // namespace

int runAirports(const std::vector<std::string>& args, CliStreams io) {
    if (args.empty()) {
        throw UsageError("expected find, nearest or load");
    }
    if (args[0] == "find") {
        return find(args, io);
    }
    if (args[0] == "nearest") {
        return nearest(args, io);
    }
    if (args[0] == "load") {
        return load(args, io);
    }
    throw UsageError("unknown airports command \"" + args[0] + "\"");
}

}  // namespace wx::cli
