#include "support/ServicesSim.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#include "sources/HttpClient.h"
#include "support/Awaited.h"

namespace wx::test {

bool ServicesSim::setFault(HttpTransport& transport, const std::string& path, const std::string& kind) const {
    const HttpResult answer = transport.send(
        {httpUrl + "/_sim/fault?path=" + urlEncode(path) + "&fault=" + urlEncode(kind), 10, false}, nullptr);
    return answer.succeeded() && answer.body == "ok\n";
}

bool ServicesSim::resetFaults(HttpTransport& transport) const {
    const HttpResult answer = transport.send({httpUrl + "/_sim/reset", 10, false}, nullptr);
    return answer.succeeded() && answer.body == "ok\n";
}

bool ServicesSim::setFreshReports(HttpTransport& transport, bool fresh) const {
    const HttpResult answer =
        transport.send({httpUrl + "/_sim/fresh-reports?on=" + std::string(fresh ? "1" : "0"), 10, false}, nullptr);
    return answer.succeeded() && answer.body == "ok\n";
}

bool ServicesSim::replay(HttpTransport& transport, const std::string& packDir) const {
    // The stand-in is a program of the machine the tests run on: under Wine
    // it knows a folder on Wine's drive Z: by its own path.
    std::string hostDir = packDir;
    if (hostDir.size() > 2 && (hostDir[0] == 'Z' || hostDir[0] == 'z') && hostDir[1] == ':') {
        hostDir.erase(0, 2);
        std::replace(hostDir.begin(), hostDir.end(), '\\', '/');
    }
    const HttpResult answer = transport.send({httpUrl + "/_sim/replay?dir=" + urlEncode(hostDir), 10, false}, nullptr);
    return answer.succeeded() && answer.body == "ok\n";
}

nlohmann::json ServicesSim::connections(HttpTransport& transport) const {
    const HttpResult answer = transport.send({httpUrl + "/_sim/connections", 10, false}, nullptr);
    if (!answer.succeeded() || !nlohmann::json::accept(answer.body)) {
        return nullptr;
    }
    return nlohmann::json::parse(answer.body);
}

// A line without its end is still being written by the stand-in: it
// counts once it is whole.
std::vector<nlohmann::json> ServicesSim::requests() const {
    std::ifstream file(requestLogPath, std::ios::binary);
    std::ostringstream text;
    text << file.rdbuf();
    const std::string log = text.str();
    std::vector<nlohmann::json> lines;
    for (size_t start = 0, end = 0; (end = log.find('\n', start)) != std::string::npos; start = end + 1) {
        if (end > start) {
            lines.push_back(nlohmann::json::parse(log.substr(start, end - start)));
        }
    }
    return lines;
}

testing::AssertionResult ServicesSim::waitForRequests(size_t count, std::chrono::milliseconds timeout) const {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    size_t seen = requests().size();
    while (seen < count && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        seen = requests().size();
    }
    return cameWithin(seen >= count, timeout, "request " + std::to_string(count) + " in the stand-in's log",
                      std::to_string(seen));
}

std::optional<ServicesSim> servicesSimFromFixture() {
    const char* state = std::getenv("NUBIRO_SERVICES_SIM_STATE");
    if (state == nullptr || *state == '\0') {
        return std::nullopt;
    }
    const std::string dir = state;
    std::ifstream urls(dir + "/urls", std::ios::binary);
    ServicesSim sim;
    if (!std::getline(urls, sim.httpUrl) || !std::getline(urls, sim.httpsUrl) ||
        !std::getline(urls, sim.wrongHostUrl)) {
        return std::nullopt;
    }
    for (std::string* url : {&sim.httpUrl, &sim.httpsUrl, &sim.wrongHostUrl}) {
        if (!url->empty() && url->back() == '\r') {
            url->pop_back();
        }
    }
    sim.requestLogPath = dir + "/requests.log";
    sim.authorityPath = dir + "/authority.pem";
    sim.errorPath = dir + "/stderr";
    sim.stateDir = dir;
    return sim;
}

}  // namespace wx::test
