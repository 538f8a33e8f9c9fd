#include "sources/HttpClient.h"

#include <cstdio>
#include <fstream>

#include "util/Utf8Path.h"
#include <utility>

namespace wx {

HttpClient::HttpClient(LogFn log, std::shared_ptr<HttpTransport> transport)
    : log_(std::move(log)), transport_(std::move(transport)) {}

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

std::optional<std::string> HttpClient::sendRequest(const std::string& url, int timeoutSec, bool verify) {
    return transport_->send(HttpRequest{url, timeoutSec, verify}, log_);
}

std::optional<std::string> HttpClient::get(const std::string& url, const QueryParams& params, int timeoutSec) {
    std::string full = url;
    if (!params.empty()) {
        full += full.find('?') == std::string::npos ? '?' : '&';
        bool first = true;
        for (const auto& [key, value] : params) {
            if (!first) {
                full += '&';
            }
            first = false;
            full += urlEncode(key) + "=" + urlEncode(value);
        }
    }
    auto body = sendRequest(full, timeoutSec, verifyTls_);
    if (!body && verifyTls_) {
        verifyTls_ = false;
        if (log_ && !tlsWarningShown_) {
            log_("SSL certificate issue \xE2\x80\x94 switching to verify=False. Update root certificates if possible.",
                 "WARN");
            tlsWarningShown_ = true;
        }
        body = sendRequest(full, timeoutSec, false);
    }
    return body;
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
