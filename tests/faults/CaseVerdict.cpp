#include "faults/CaseVerdict.h"

#include <algorithm>
#include <cstdio>

#include "weather/UtcTime.h"

namespace wx::test {
namespace {

double withSlack(double seconds) { return seconds * 1.2 + 3.0; }

double secondsOf(std::chrono::steady_clock::duration duration) {
    return std::chrono::duration<double>(duration).count();
}

std::string formatSeconds(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f s", seconds);
    return text;
}

// The measured time against its bound: "0.3 s; bound 1 s (...)", or
// "... > bound" when it did not keep to it.
std::string againstBound(double seconds, const Bound& bound, std::vector<std::string>& problems,
                         const std::string& what) {
    std::printf("observed: %s %.2f s\n", what.c_str(), seconds);
    if (seconds <= withSlack(bound.seconds)) {
        return formatSeconds(seconds) + "; bound " + bound.label;
    }
    problems.push_back(what + " " + formatSeconds(seconds));
    return formatSeconds(seconds) + " > " + bound.label;
}

// The cycles a case must see: those its steps wait for, and the one whose
// stations it counts.
size_t cyclesToRun(const FaultCase& c) {
    size_t cycles = c.counted ? static_cast<size_t>(std::max(c.counted->cycle, 0)) : 0;
    for (const Step& step : c.steps) {
        if (step.kind == Step::Kind::Cycle) {
            cycles = std::max(cycles, static_cast<size_t>(step.count));
        }
    }
    return cycles;
}

void judgeLines(const FaultCase& c, const Observation& seen, Verdict& verdict) {
    std::string& cell = verdict.row.lines;
    for (const LogPattern& line : c.lines) {
        const bool found = seen.logged(line);
        const bool counted = line.times == 0 || seen.loggedCount(line.message) == static_cast<size_t>(line.times);
        cell += (cell.empty() ? "" : ", ") + std::string(found ? "" : "MISSING ") + "`" + line.level + " " +
                line.message + "`";
        if (line.times == 1) {
            cell += std::string(counted ? " once" : " NOT ONCE");
        }
        if (!found) {
            verdict.problems.push_back("not logged: " + line.level + " " + line.message);
        } else if (!counted) {
            verdict.problems.push_back("logged " + std::to_string(seen.loggedCount(line.message)) + " times, not " +
                                       std::to_string(line.times) + ": " + line.message);
        }
    }
    for (const std::string& message : c.absent) {
        const bool clear = seen.loggedCount(message) == 0;
        cell += std::string(", ") + (clear ? "no " : "UNEXPECTED ") + "`" + message + "`";
        if (!clear) {
            verdict.problems.push_back("logged: " + message);
        }
    }
    for (const char* broken : {"Fatal: *", "Cycle error: *", "Cycle unknown error"}) {
        if (seen.loggedCount(broken) != 0) {
            verdict.problems.push_back(std::string("logged: ") + broken);
        }
    }
}

void judgeCycling(const FaultCase& c, const Observation& seen, const CaseOutcome& outcome, Verdict& verdict) {
    MatrixRow& row = verdict.row;
    if (!c.timing.stopWithin) {
        row.cycles = seen.cycles() == 0 ? "none" : std::to_string(seen.cycles()) + " (none expected)";
        row.wait = "—";
        row.stop = "ends by itself, status " + std::to_string(c.exitStatus);
        if (seen.cycles() != 0) {
            verdict.problems.push_back("cycles ran");
        }
        return;
    }
    const size_t cycles = cyclesToRun(c);
    row.cycles = seen.cycles() >= cycles ? "≥ " + std::to_string(cycles) : "only " + std::to_string(seen.cycles());
    if (seen.cycles() >= 2) {
        row.cycles += ", longest " + formatSeconds(secondsOf(seen.longestCycle()));
    }
    if (seen.cycles() < cycles) {
        verdict.problems.push_back("stopped cycling after " + std::to_string(seen.cycles()) + " cycles");
    }
    const auto stopped = seen.engineStopped();
    if (stopped && outcome.stopSent) {
        row.stop = againstBound(secondsOf(*stopped - *outcome.stopSent), *c.timing.stopWithin, verdict.problems,
                                "stop served after");
    } else {
        row.stop = "not served";
        verdict.problems.push_back("no \"Engine stopped.\" after the stop");
    }
    row.wait = againstBound(secondsOf(seen.longestSilence()), c.timing.longestWait, verdict.problems, "silent for");
}

void judgeStations(const FaultCase& c, const Observation& seen, Verdict& verdict) {
    MatrixRow& row = verdict.row;
    if (c.counted) {
        const size_t written = seen.stationsInCycle(static_cast<size_t>(c.counted->cycle));
        row.stations = std::to_string(written) + " in cycle " + std::to_string(c.counted->cycle);
        if (written != static_cast<size_t>(c.counted->stations)) {
            verdict.problems.push_back(row.stations + ", not " + std::to_string(c.counted->stations));
        }
    } else {
        row.stations = std::to_string(seen.stationsWritten());
    }
    if (c.withoutModelLayers) {
        row.stations += ", no layers aloft";
        const auto& written = seen.stationWeather();
        if (std::any_of(written.begin(), written.end(), [](const nlohmann::json& weather) {
                return !weather.value("upperAir", nlohmann::json::array()).empty();
            })) {
            verdict.problems.push_back("a station was written with layers aloft");
        }
    }
}

// The stations of cycle 2 (whole: a third began) against those of cycle 1.
void judgeRecords(const FaultCase& c, const Observation& seen, Verdict& verdict) {
    if (!c.recordsAsFirstCycle) {
        return;
    }
    const bool same = seen.cycles() >= 3 && seen.stationWeatherInCycle(2) == seen.stationWeatherInCycle(1);
    verdict.row.stations += same == *c.recordsAsFirstCycle ? (same ? ", as in cycle 1" : ", not as in cycle 1")
                                                           : (same ? ", UNCHANGED" : ", CHANGED");
    if (same != *c.recordsAsFirstCycle) {
        verdict.problems.push_back(same ? "cycle 2 wrote cycle 1's records" : "cycle 2 changed cycle 1's records");
    }
}

double requestSeconds(const nlohmann::json& request) {
    const auto time = parseUtcTime(request.value("time", ""));
    return time ? std::chrono::duration<double>(time->time_since_epoch()).count() : 0.0;
}

// What the stand-in's request log shows: the model requests, and how long
// the aviation-weather host (its HTTPS port) was left alone after its first
// request.
void judgeRequests(const FaultCase& c, const CaseOutcome& outcome, Verdict& verdict) {
    if (c.modelRequests) {
        const auto asked = static_cast<size_t>(
            std::count_if(outcome.requests.begin(), outcome.requests.end(),
                          [](const nlohmann::json& r) { return r.value("path", "") == "/v1/forecast"; }));
        verdict.row.stations += ", " + std::to_string(asked) + " model requests";
        if (asked != *c.modelRequests) {
            verdict.problems.push_back(std::to_string(asked) + " model requests, not " +
                                       std::to_string(*c.modelRequests));
        }
    }
    if (c.metarQuietSec > 0) {
        std::vector<double> times;
        for (const nlohmann::json& request : outcome.requests) {
            if (request.value("scheme", "") == "https") {
                times.push_back(requestSeconds(request));
            }
        }
        const double quiet = times.size() >= 2 ? times[1] - times[0] : 0.0;
        std::printf("observed: the aviation-weather host asked again after %.2f s\n", quiet);
        verdict.row.lines += ", asked again after " + formatSeconds(quiet) + " (wait " +
                             std::to_string(c.metarQuietSec) + " s)";
        if (quiet < c.metarQuietSec) {
            verdict.problems.push_back("asked again after " + formatSeconds(quiet));
        }
    }
}

}  // namespace

Verdict judgeCase(const FaultCase& c, const Observation& seen, const CaseOutcome& outcome) {
    Verdict verdict;
    verdict.row.caseName = c.name;
    if (!outcome.stepFailure.empty()) {
        verdict.problems.push_back(outcome.stepFailure);
    }
    if (outcome.exitStatus != c.exitStatus) {
        verdict.problems.push_back(
            "exit status " +
            (outcome.exitStatus ? std::to_string(*outcome.exitStatus) : std::string("none: still running")) +
            ", not " + std::to_string(c.exitStatus));
    }
    judgeLines(c, seen, verdict);
    judgeCycling(c, seen, outcome, verdict);
    judgeStations(c, seen, verdict);
    judgeRecords(c, seen, verdict);
    judgeRequests(c, outcome, verdict);
    verdict.row.passed = verdict.problems.empty();
    return verdict;
}

}  // namespace wx::test
