#include "SimOptions.h"

#include <charconv>

#include "weather/UtcTime.h"

namespace wx::sim {

const char* const kSimUsage =
    "usage: services-sim [--http-port N] [--https-port N] [--airports FILE] [--metars FILE]\n"
    "                    [--sigmets FILE [--sigmets-captured TIME]] [--fault PATH=KIND[:ARG]]...\n"
    "                    [--request-log FILE] [--authority-out FILE] [--fresh-reports] [--replay DIR]\n"
    "                    [--exit-with PID]\n"
    "\n"
    "A stand-in for the aviation-weather service, the Open-Meteo forecast service (and its\n"
    "historical forecasts: start_date/end_date), the Mesonet's METAR and TAF archive\n"
    "(/cgi-bin/request/asos.py, /cgi-bin/request/taf.py, from the same reports) and the\n"
    "airport list download, on 127.0.0.1 over HTTP and HTTPS. A METAR or SIGMET request with\n"
    "date= answers as the service did at that time. At start it makes a certificate\n"
    "authority of its own and two certificates signed by it: one for 127.0.0.1 and localhost,\n"
    "served on the HTTPS port, and one for another host, served on a third port. When ready it\n"
    "prints its three base URLs, one a line: http://, https://, and https:// with the\n"
    "certificate for another host.\n"
    "\n"
    "  --http-port N, --https-port N   ports to listen on; 0 (the default) = any free port\n"
    "  --airports FILE                 served as /ourairports-data/airports.csv (else 404)\n"
    "  --metars FILE                   reports, one a line, for /api/data/metar,\n"
    "                                  /cgi-bin/data/metar.php and the archive (default: the test\n"
    "                                  corpus)\n"
    "  --sigmets FILE                  JSON array served as /api/data/isigmet (default: the test\n"
    "                                  fixture, captured 2026-10-02T20:20:00Z)\n"
    "  --sigmets-captured TIME         the moment (UTC, 2026-10-02T20:20:00Z) the SIGMET file shows:\n"
    "                                  its rows' receiptTime, validTimeFrom and validTimeTo are\n"
    "                                  served moved by the time since then (without it, as they are)\n"
    "  --fault PATH=KIND[:ARG]         KIND: delay:MS, status:CODE (with an HTML page; for\n"
    "                                  /v1/forecast the service's JSON error object, for 503 on\n"
    "                                  the archive its line of text),\n"
    "                                  retry-after:CODE:VALUE (status:CODE with the header\n"
    "                                  Retry-After: VALUE, seconds or an HTTP date), empty,\n"
    "                                  invalid-json, drop (close without an answer),\n"
    "                                  drop:BYTES (close after BYTES bytes of the body), hang\n"
    "                                  (never answer), trickle:MS (the body one byte every MS) or\n"
    "                                  qnh-rise:HPA (later answers with their QNH groups raised)\n"
    "  --request-log FILE              append one JSON line per request received, with the time\n"
    "                                  it came (UTC)\n"
    "  --authority-out FILE            write the certificate authority (PEM) for clients to trust\n"
    "  --fresh-reports                 each station's report is made 5 to 95 minutes old when it is\n"
    "                                  asked for (by station), instead of keeping its fixture time\n"
    "  --replay DIR                    serve the weather pack DIR (written by nubiro-cli run --record\n"
    "                                  or Nubiro.exe with NUBIRO_RECORD): each request gets the answer\n"
    "                                  recorded for its path and query, in recorded order, the last\n"
    "                                  one again; a recorded time-out never answers, a failed\n"
    "                                  connection is closed; anything else gets 404 and a line on\n"
    "                                  standard error\n"
    "  --exit-with PID                 stop when process PID has ended\n"
    "\n"
    "Control while running: GET /_sim/fault?path=PATH&fault=KIND[:ARG] sets a fault\n"
    "(fault=none or no fault clears it); GET /_sim/reset clears every fault;\n"
    "GET /_sim/connections gives the connections each port accepted so far;\n"
    "GET /_sim/fresh-reports?on=1 (or 0) makes the reports fresh as --fresh-reports does (or not),\n"
    "until /_sim/reset puts back what the command line chose;\n"
    "GET /_sim/replay?dir=DIR serves a weather pack from then on (dir= empty, or /_sim/reset, ends it).\n";

namespace {

std::optional<int> number(const std::string& text, int limit) {
    int value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < 0 || value > limit) {
        return std::nullopt;
    }
    return value;
}

}  // namespace

ParsedOptions parseSimOptions(const std::vector<std::string>& args, const std::string& defaultMetars,
                              const std::string& defaultSigmets, const std::string& defaultSigmetsCaptured) {
    SimOptions options;
    options.metarsPath = defaultMetars;
    options.sigmetsPath = defaultSigmets;
    std::optional<std::string> sigmetsCaptured;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& name = args[i];
        if (name == "--help" || name == "-h") {
            options.help = true;
            continue;
        }
        if (name == "--fresh-reports") {
            options.freshReports = true;
            continue;
        }
        if (i + 1 >= args.size()) {
            return {std::nullopt, name + " needs a value"};
        }
        const std::string& value = args[++i];
        if (name == "--http-port" || name == "--https-port") {
            const auto port = number(value, 65535);
            if (!port) {
                return {std::nullopt, "bad port " + value};
            }
            (name == "--http-port" ? options.httpPort : options.httpsPort) = *port;
        } else if (name == "--airports") {
            options.airportsPath = value;
        } else if (name == "--metars") {
            options.metarsPath = value;
        } else if (name == "--sigmets") {
            options.sigmetsPath = value;
        } else if (name == "--sigmets-captured") {
            if (!parseUtcTime(value)) {
                return {std::nullopt, "bad time " + value};
            }
            sigmetsCaptured = value;
        } else if (name == "--replay") {
            options.replayDir = value;
        } else if (name == "--request-log") {
            options.requestLogPath = value;
        } else if (name == "--authority-out") {
            options.authorityPath = value;
        } else if (name == "--fault") {
            const auto fault = parseFaultOption(value);
            if (!fault) {
                return {std::nullopt, "bad fault " + value};
            }
            options.faults.push_back(*fault);
        } else if (name == "--exit-with") {
            const auto pid = number(value, 1 << 30);
            if (!pid) {
                return {std::nullopt, "bad process id " + value};
            }
            options.exitWithPid = *pid;
        } else {
            return {std::nullopt, "unknown option " + name};
        }
    }
    options.sigmetsCaptured =
        sigmetsCaptured ? *sigmetsCaptured : options.sigmetsPath == defaultSigmets ? defaultSigmetsCaptured : "";
    return {options, ""};
}

}  // namespace wx::sim
