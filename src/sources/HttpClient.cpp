#include "sources/HttpClient.h"

#include <cstdio>
#include <fstream>
#include <utility>

#include "sources/RetryAfter.h"
#include "util/Utf8Path.h"

namespace wx {
namespace {

const char* const kCertificateWarning =
    "SSL certificate issue \xE2\x80\x94 switching to verify=False. Update root certificates if possible.";

std::string withQuery(const std::string& url, const QueryParams& params) {
    std::string full = url;
    if (params.empty()) {
        return full;
    }
    full += full.find('?') == std::string::npos ? '?' : '&';
    bool first = true;
    for (const auto& [key, value] : params) {
        if (!first) {
            full += '&';
        }
        first = false;
        full += urlEncode(key) + "=" + urlEncode(value);
    }
    return full;
}

}  // namespace

HttpClient::HttpClient(LogFn log, std::shared_ptr<HttpTransport> transport, std::shared_ptr<HttpCancel> cancel,
                       std::shared_ptr<HostPauses> pauses, UtcClock clock)
    : log_(std::move(log)),
      transport_(std::move(transport)),
      cancel_(std::move(cancel)),
      pauses_(pauses ? std::move(pauses) : std::make_shared<HostPauses>()),
      clock_(std::move(clock)) {}

std::string urlEncode(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        const bool plain = (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') ||
                           (byte >= '0' && byte <= '9') || byte == '-' || byte == '_' || byte == '.' ||
                           byte == '~' || byte == ',';
        if (plain) {
            out += c;
        } else if (byte == ' ') {
            out += '+';
        } else {
            char hex[4];
            std::snprintf(hex, sizeof hex, "%%%02X", byte);
            out += hex;
        }
    }
    return out;
}

std::string hostAndPath(const std::string& url) {
    const size_t scheme = url.find("://");
    const size_t start = scheme == std::string::npos ? 0 : scheme + 3;
    const size_t end = url.find_first_of("?#", start);
    return url.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

std::string hostOf(const std::string& url) {
    const std::string rest = hostAndPath(url);
    return rest.substr(0, rest.find('/'));
}

HttpResult HttpClient::sendRequest(const std::string& url, int timeoutSec, bool verify) {
    HttpResult result = isCancelled(cancel_.get())
                            ? HttpResult::failure(HttpOutcome::Cancelled)
                            : transport_->send(HttpRequest{url, timeoutSec, verify, cancel_.get()}, log_);
    lastCancelled_ = result.outcome == HttpOutcome::Cancelled;
    return result;
}

std::optional<std::string> HttpClient::get(const std::string& url, const QueryParams& params, int timeoutSec) {
    const std::string full = withQuery(url, params);
    const std::string host = hostOf(full);
    if (pauses_->paused(host)) {
        return std::nullopt;
    }
    HttpResult result = sendRequest(full, timeoutSec, verifyTls_);
    if (result.outcome == HttpOutcome::Certificate && verifyTls_) {
        verifyTls_ = false;
        if (!tlsWarningShown_) {
            logLine(log_, kCertificateWarning, "WARN");
            tlsWarningShown_ = true;
        }
        result = sendRequest(full, timeoutSec, false);
    }
    if (!result.answered()) {
        return std::nullopt;
    }
    if (!result.succeeded()) {
        const std::string status = std::to_string(result.status);
        if (const auto wait = pauseAskedFor(result.status, result.retryAfter, utcNow(clock_))) {
            pauses_->pause(host, *wait);
            logLine(log_, host + " asks to wait " + std::to_string(wait->count()) + " s (HTTP " + status +
                              "): requests paused",
                    "WARN");
        } else {
            logLine(log_, "HTTP " + status + " from " + hostAndPath(full), "WARN");
        }
        return std::nullopt;
    }
    return std::move(result.body);
}

bool HttpClient::downloadToFile(const std::string& url, const std::string& path, int timeoutSec) {
    const auto body = get(url, {}, timeoutSec);
    if (!body) {
        return false;
    }
    std::ofstream file(utf8Path(path), std::ios::binary | std::ios::trunc);
    if (!file) {
        return false;
    }
    file.write(body->data(), static_cast<std::streamsize>(body->size()));
    file.close();
    return static_cast<bool>(file);
}

}  // namespace wx
