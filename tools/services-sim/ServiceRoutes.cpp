#include "ServiceRoutes.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <regex>
#include <thread>

#include <nlohmann/json.hpp>

#include "ConnectionDrop.h"
#include "ForecastModel.h"
#include "PastAnswers.h"
#include "TafArchiveAnswer.h"
#include "SlowAnswers.h"
#include "TafFixtures.h"

namespace wx::sim {
namespace {

using httplib::Request;
using httplib::Response;

const char* reason(int status) {
    static const std::map<int, const char*> kReasons{
        {200, "OK"},          {204, "No Content"},          {400, "Bad Request"},
        {403, "Forbidden"},   {404, "Not Found"},           {429, "Too Many Requests"},
        {500, "Internal Server Error"}, {502, "Bad Gateway"}, {503, "Service Unavailable"},
        {504, "Gateway Timeout"}};
    const auto it = kReasons.find(status);
    return it == kReasons.end() ? "Error" : it->second;
}

std::string htmlPage(int status) {
    const std::string title = std::to_string(status) + " " + reason(status);
    return "<!DOCTYPE html>\n<html><head><title>" + title + "</title></head>\n<body><h1>" + title +
           "</h1>\n<hr><p>services-sim</p></body></html>\n";
}

// An error status as the path's service gives it: the forecast service its
// JSON error object (for 429 the reason it gives when its minute's calls
// are spent), the Mesonet's archive its line of text for 503, the others an
// HTML page.
void errorAnswer(const Request& req, Response& res, int status) {
    res.status = status;
    if (req.path.rfind("/cgi-bin/request/", 0) == 0 && status == 503) {
        res.set_content("ERROR: server over capacity, please try later", "text/plain");
        return;
    }
    if (req.path != "/v1/forecast") {
        res.set_content(htmlPage(status), "text/html; charset=utf-8");
        return;
    }
    const std::string why =
        status == 429 ? "Minutely API request limit exceeded. Please try again in one minute." : reason(status);
    res.set_content(nlohmann::json{{"error", true}, {"reason", why}}.dump(), "application/json; charset=utf-8");
}

// Sends the first bytes of the body and then cuts the connection, with the
// whole length announced.
void cutBody(Response& res, size_t bytes) {
    auto body = std::make_shared<std::string>(std::move(res.body));
    res.body.clear();
    const std::string type = res.get_header_value("Content-Type");
    res.headers.erase("Content-Type");
    res.set_content_provider(body->size(), type, [body, bytes](size_t offset, size_t, httplib::DataSink& sink) {
        if (offset == 0 && bytes > 0) {
            sink.write(body->data(), std::min(bytes, body->size()));
        }
        return false;
    });
}

// Every QNH group ("Q" and four digits) of the text raised by `hpa`.
std::string raiseQnh(const std::string& text, int hpa) {
    static const std::regex kQnh(R"(\bQ(\d{4})\b)");
    std::string raised;
    auto from = text.cbegin();
    for (std::sregex_iterator it(text.begin(), text.end(), kQnh), end; it != end; ++it) {
        raised.append(from, (*it)[0].first);
        raised += "Q" + std::to_string(std::stoi((*it)[1].str()) + hpa);
        from = (*it)[0].second;
    }
    raised.append(from, text.cend());
    return raised;
}

httplib::Server::Handler withFaults(ServiceData& data, httplib::Server::Handler handler) {
    return [&data, handler](const Request& req, Response& res) {
        const auto met = data.faults.meet(req.path);
        if (!met) {
            handler(req, res);
            return;
        }
        const Fault* fault = &met->first;
        switch (fault->kind) {
            case Fault::Kind::Delay:
                std::this_thread::sleep_for(std::chrono::milliseconds(*fault->arg));
                handler(req, res);
                return;
            case Fault::Kind::Status:
                errorAnswer(req, res, *fault->arg);
                if (!fault->retryAfter.empty()) {
                    res.set_header("Retry-After", fault->retryAfter);
                }
                return;
            case Fault::Kind::Empty:
                res.status = 200;
                res.set_content("", "application/json");
                return;
            case Fault::Kind::InvalidJson:
                res.status = 200;
                res.set_content("[{\"icaoId\": \"EGLL\", \"rawOb\": \"EGLL 0610", "application/json");
                return;
            case Fault::Kind::Drop:
                if (!fault->arg) {
                    dropConnection(req.local_port, req.remote_port);
                    res.status = 500;
                    return;
                }
                handler(req, res);
                cutBody(res, static_cast<size_t>(*fault->arg));
                return;
            case Fault::Kind::Hang:
                holdUntilClientLeaves(req, data.stopping);
                res.status = 503;
                return;
            case Fault::Kind::Trickle:
                handler(req, res);
                trickleBody(res, std::chrono::milliseconds(*fault->arg), data.stopping);
                return;
            case Fault::Kind::QnhRise:
                handler(req, res);
                if (met->second > 1) {
                    res.body = raiseQnh(res.body, *fault->arg);
                }
                return;
        }
    };
}

void serveMetars(const ServiceData& data, const Request& req, Response& res) {
    const double hours = std::atof(req.get_param_value("hours").c_str());
    auto reports = data.metars.select(req.get_param_value("ids"), hours);
    if (const auto date = serviceDate(req.get_param_value("date"))) {
        reports = reportsAt(data.metars, req.get_param_value("ids"), hours, *date);
    } else if (data.freshReports.load()) {
        reports = retimed(reports, std::chrono::system_clock::now());
    }
    if (reports.empty()) {
        res.status = 204;
        return;
    }
    if (req.get_param_value("format") == "json") {
        res.set_content(metarJsonAnswer(reports), "application/json");
    } else {
        res.set_content(metarRawAnswer(reports), "text/plain");
    }
}

void serveSigmets(const ServiceData& data, const Request& req, Response& res) {
    if (!data.sigmets) {
        res.status = 404;
    } else if (req.get_param_value("format") == "json") {
        const auto date = serviceDate(req.get_param_value("date"));
        res.set_content(data.sigmets->jsonAnswer(date.value_or(std::chrono::system_clock::now())), "application/json");
    } else {
        res.set_content(data.sigmets->rawAnswer(), "text/plain");
    }
}

// The recorded answer, given as it came: a status with its body, a time-out
// or cancelled request as an answer that never comes, a failed connection
// as one closed without an answer.
void serveRecorded(ServiceData& data, ReplayPack& pack, const Request& req, Response& res) {
    QueryKey query(req.params.begin(), req.params.end());
    std::sort(query.begin(), query.end());
    const std::optional<ReplayAnswer> answer = pack.next(req.path, query);
    if (!answer) {
        std::fprintf(stderr, "services-sim: the pack holds no answer for %s %s\n", req.method.c_str(),
                     req.target.c_str());
        res.status = 404;
        return;
    }
    switch (answer->outcome) {
        case HttpOutcome::Answered:
            res.status = answer->status;
            if (!answer->retryAfter.empty()) {
                res.set_header("Retry-After", answer->retryAfter);
            }
            if (!answer->body->empty()) {
                res.set_content(*answer->body, answer->contentType);
            }
            return;
        case HttpOutcome::TimedOut:
        case HttpOutcome::Cancelled:
            holdUntilClientLeaves(req, data.stopping);
            res.status = 503;
            return;
        case HttpOutcome::Refused:
        case HttpOutcome::Certificate:
        case HttpOutcome::Failed:
            dropConnection(req.local_port, req.remote_port);
            res.status = 500;
            return;
    }
}

// A service path's handler that answers from the pack while one is replayed.
httplib::Server::Handler withReplay(ServiceData& data, httplib::Server::Handler handler) {
    return [&data, handler](const Request& req, Response& res) {
        if (const auto pack = data.replay.get()) {
            serveRecorded(data, *pack, req, res);
        } else {
            handler(req, res);
        }
    };
}

void serveReplayControl(ServiceData& data, const Request& req, Response& res) {
    const std::string dir = req.get_param_value("dir");
    if (dir.empty()) {
        data.replay.set(nullptr);
        res.set_content("ok\n", "text/plain");
        return;
    }
    std::string error;
    auto pack = ReplayPack::load(dir, error);
    if (!pack) {
        res.status = 400;
        res.set_content(error + "\n", "text/plain");
        return;
    }
    data.replay.set(std::move(pack));
    res.set_content("ok\n", "text/plain");
}

void serveForecast(const Request& req, Response& res) {
    std::map<std::string, std::string> params;
    for (const auto& [key, value] : req.params) {
        params.emplace(key, value);
    }
    const ForecastAnswer answer = forecastAnswer(params, std::chrono::system_clock::now());
    res.status = answer.status;
    res.set_content(answer.body, "application/json; charset=utf-8");
}

void serveControl(ServiceData& data, const Request& req, Response& res) {
    if (req.path == "/_sim/connections") {
        const nlohmann::ordered_json counts{{"http", data.connections.http.load()},
                                            {"https", data.connections.https.load()},
                                            {"wrongHost", data.connections.wrongHost.load()}};
        res.set_content(counts.dump() + "\n", "application/json");
        return;
    }
    if (req.path == "/_sim/fresh-reports") {
        data.freshReports = req.get_param_value("on") == "1";
        res.set_content("ok\n", "text/plain");
        return;
    }
    if (req.path == "/_sim/reset") {
        data.faults.clearAll();
        data.replay.set(nullptr);
        data.freshReports = data.freshReportsAtStart;
        res.set_content("ok\n", "text/plain");
        return;
    }
    const std::string path = req.get_param_value("path");
    const std::string kind = req.get_param_value("fault");
    if (path.empty() || path[0] != '/') {
        res.status = 400;
        res.set_content("path must start with /\n", "text/plain");
        return;
    }
    if (kind.empty() || kind == "none") {
        data.faults.clear(path);
    } else if (const auto fault = parseFault(kind)) {
        data.faults.set(path, *fault);
    } else {
        res.status = 400;
        res.set_content("unknown fault " + kind + "\n", "text/plain");
        return;
    }
    res.set_content("ok\n", "text/plain");
}

}  // namespace

void installRoutes(httplib::Server& server, const std::string& scheme, ServiceData& data) {
    server.set_pre_routing_handler([&data, scheme](const Request& req, Response&) {
        if (req.path.rfind("/_sim/", 0) != 0) {
            data.requests.add({req.method, scheme, req.target, req.path, req.get_header_value("User-Agent"),
                               req.get_header_value("Accept"), req.remote_port});
        }
        return httplib::Server::HandlerResponse::Unhandled;
    });
    const auto service = [&data](httplib::Server::Handler handler) {
        return withFaults(data, withReplay(data, std::move(handler)));
    };
    const auto metars = service([&data](const Request& req, Response& res) { serveMetars(data, req, res); });
    server.Get("/api/data/metar", metars);
    server.Get("/cgi-bin/data/metar.php", metars);
    server.Get("/api/data/isigmet", service([&data](const Request& req, Response& res) { serveSigmets(data, req, res); }));
    server.Get("/api/data/taf", service([&data](const Request& req, Response& res) {
                   const auto date = serviceDate(req.get_param_value("date"));
                   res.set_content(tafJsonAnswer(req.get_param_value("ids"), date.value_or(data.started)),
                                   "application/json");
               }));
    server.Get("/v1/forecast", service(serveForecast));
    server.Get("/cgi-bin/request/asos.py", service([&data](const Request& req, Response& res) {
                   const ArchiveAnswer answer = metarArchiveAnswer(data.metars, req.params);
                   res.status = answer.status;
                   res.set_content(answer.body, answer.contentType);
               }));
    server.Get("/cgi-bin/request/taf.py", service([&data](const Request& req, Response& res) {
                   const ArchiveAnswer answer = tafArchiveAnswer(data.metars, req.params);
                   res.status = answer.status;
                   res.set_content(answer.body, answer.contentType);
               }));
    server.Get("/ourairports-data/airports.csv", service([&data](const Request&, Response& res) {
                   if (data.airportsCsv) {
                       res.set_content(*data.airportsCsv, "text/csv; charset=utf-8");
                   } else {
                       res.status = 404;
                   }
               }));
    server.Get("/_sim/fault", [&data](const Request& req, Response& res) { serveControl(data, req, res); });
    server.Get("/_sim/reset", [&data](const Request& req, Response& res) { serveControl(data, req, res); });
    server.Get("/_sim/connections", [&data](const Request& req, Response& res) { serveControl(data, req, res); });
    server.Get("/_sim/fresh-reports", [&data](const Request& req, Response& res) { serveControl(data, req, res); });
    server.Get("/_sim/replay", [&data](const Request& req, Response& res) { serveReplayControl(data, req, res); });
    server.Get(".*", service([](const Request&, Response& res) { res.status = 404; }));
    server.set_error_handler([](const Request&, Response& res) {
        if (res.body.empty() && res.status >= 400) {
            res.set_content(htmlPage(res.status), "text/html; charset=utf-8");
        }
    });
}

}  // namespace wx::sim
