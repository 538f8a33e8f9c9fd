// services-sim: the web-services stand-in for tests and offline runs.

#include <signal.h>
#include <time.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <thread>

#include <httplib.h>
#include <nlohmann/json.hpp>

#include "FileText.h"
#include "ServiceRoutes.h"
#include "SimOptions.h"
#include "TestCertificates.h"

namespace {

using wx::sim::ServiceData;
using wx::sim::SimOptions;

constexpr size_t kRequestsPerConnection = 100;

// Loads the fixtures into data; prints the reason and returns false when
// one cannot be read.
bool loadFixtures(const SimOptions& options, ServiceData& data) {
    auto metars = wx::sim::MetarFixtures::load(options.metarsPath, std::chrono::system_clock::now());
    if (!metars) {
        std::cerr << "services-sim: cannot read " << options.metarsPath << "\n";
        return false;
    }
    data.metars = std::move(*metars);
    std::string error;
    data.sigmets = wx::sim::SigmetFixture::load(options.sigmetsPath, wx::parseUtcTime(options.sigmetsCaptured), error);
    if (!data.sigmets) {
        std::cerr << "services-sim: " << error << "\n";
        return false;
    }
    if (!options.replayDir.empty()) {
        auto pack = wx::sim::ReplayPack::load(options.replayDir, error);
        if (!pack) {
            std::cerr << "services-sim: " << error << "\n";
            return false;
        }
        data.replay.set(std::move(pack));
    }
    if (!options.airportsPath.empty()) {
        data.airportsCsv = wx::sim::readFileText(options.airportsPath);
        if (!data.airportsCsv) {
            std::cerr << "services-sim: cannot read " << options.airportsPath << "\n";
            return false;
        }
    }
    for (const auto& [path, fault] : options.faults) {
        data.faults.set(path, fault);
    }
    return true;
}

bool writeFile(const std::string& path, const std::string& text) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << text;
    return static_cast<bool>(file.flush());
}

int bind(httplib::Server& server, int port) {
    if (port == 0) {
        return server.bind_to_any_port("127.0.0.1");
    }
    return server.bind_to_port("127.0.0.1", port) ? port : -1;
}

// Blocks until a stop signal arrives or the watched process has ended.
void waitForStop(const sigset_t& stopSignals, int exitWithPid) {
    const timespec step{0, 200 * 1000 * 1000};
    for (;;) {
        if (sigtimedwait(&stopSignals, nullptr, &step) > 0) {
            return;
        }
        if (exitWithPid != 0 && kill(exitWithPid, 0) != 0 && errno == ESRCH) {
            return;
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    const auto parsed = wx::sim::parseSimOptions({argv + 1, argv + argc}, NUBIRO_SIM_DEFAULT_METARS,
                                                 NUBIRO_SIM_DEFAULT_SIGMETS, NUBIRO_SIM_DEFAULT_SIGMETS_CAPTURED);
    if (!parsed.options) {
        std::cerr << "services-sim: " << parsed.error << "\n" << wx::sim::kSimUsage;
        return 2;
    }
    const SimOptions& options = *parsed.options;
    if (options.help) {
        std::cout << wx::sim::kSimUsage;
        return 0;
    }

    // Stop signals are taken by waitForStop only; the serving threads,
    // started later, inherit the mask.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGTERM);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGHUP);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);
    signal(SIGPIPE, SIG_IGN);

    ServiceData data{{}, {}, {}, {}, wx::sim::RequestLog(options.requestLogPath), {}, {false}, options.freshReports,
                     {options.freshReports}, {}};
    if (!data.requests.ok()) {
        std::cerr << "services-sim: cannot write " << options.requestLogPath << "\n";
        return 1;
    }
    if (!loadFixtures(options, data)) {
        return 1;
    }
    const auto certificates = wx::sim::TestCertificates::make();
    if (!certificates) {
        std::cerr << "services-sim: cannot make the certificates\n";
        return 1;
    }
    if (!options.authorityPath.empty() && !writeFile(options.authorityPath, certificates->authorityPem())) {
        std::cerr << "services-sim: cannot write " << options.authorityPath << "\n";
        return 1;
    }
    httplib::Server http;
    httplib::SSLServer https(certificates->loopback.certificate.get(), certificates->loopback.key.get());
    httplib::SSLServer wrongHost(certificates->wrongHost.certificate.get(), certificates->wrongHost.key.get());
    if (!https.is_valid() || !wrongHost.is_valid()) {
        std::cerr << "services-sim: cannot set up TLS\n";
        return 1;
    }
    wx::sim::countConnections(http, data.connections.http);
    wx::sim::countConnections(https, data.connections.https);
    wx::sim::countConnections(wrongHost, data.connections.wrongHost);
    // As common web servers do, a connection serves up to 100 requests, one
    // idle for 5 s (the library's default) is closed, and answers go out
    // without waiting for acknowledgements of earlier segments (otherwise
    // each answer on a kept connection waits for the client's delayed
    // acknowledgement of its headers).
    for (httplib::Server* server : {static_cast<httplib::Server*>(&http), static_cast<httplib::Server*>(&https),
                                    static_cast<httplib::Server*>(&wrongHost)}) {
        server->set_keep_alive_max_count(kRequestsPerConnection);
        server->set_tcp_nodelay(true);
    }
    wx::sim::installRoutes(http, "http", data);
    wx::sim::installRoutes(https, "https", data);
    wx::sim::installRoutes(wrongHost, "https", data);
    const int httpPort = bind(http, options.httpPort);
    const int httpsPort = bind(https, options.httpsPort);
    const int wrongHostPort = bind(wrongHost, 0);
    if (httpPort <= 0 || httpsPort <= 0 || wrongHostPort <= 0) {
        std::cerr << "services-sim: cannot listen on 127.0.0.1 (http " << options.httpPort << ", https "
                  << options.httpsPort << ")\n";
        return 1;
    }
    std::thread httpThread([&http] { http.listen_after_bind(); });
    std::thread httpsThread([&https] { https.listen_after_bind(); });
    std::thread wrongHostThread([&wrongHost] { wrongHost.listen_after_bind(); });
    std::cout << "http://127.0.0.1:" << httpPort << "\nhttps://127.0.0.1:" << httpsPort
              << "\nhttps://127.0.0.1:" << wrongHostPort << std::endl;

    waitForStop(stopSignals, options.exitWithPid);
    data.stopping = true;
    http.stop();
    https.stop();
    wrongHost.stop();
    httpThread.join();
    httpsThread.join();
    wrongHostThread.join();
    return 0;
}
