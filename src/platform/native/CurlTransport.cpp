#include "platform/native/CurlTransport.h"

#include <curl/curl.h>

#include <memory>

namespace wx {
namespace {

struct EasyDeleter {
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
using EasyHandle = std::unique_ptr<CURL, EasyDeleter>;

struct UrlDeleter {
    void operator()(CURLU* handle) const { curl_url_cleanup(handle); }
};
using UrlHandle = std::unique_ptr<CURLU, UrlDeleter>;

struct CurlTextDeleter {
    void operator()(char* text) const { curl_free(text); }
};
using CurlText = std::unique_ptr<char, CurlTextDeleter>;

// A list of header lines; curl_slist_append returns the new head.
class HeaderList {
public:
    HeaderList() = default;
    HeaderList(const HeaderList&) = delete;
    HeaderList& operator=(const HeaderList&) = delete;
    ~HeaderList() { curl_slist_free_all(head_); }

    bool append(const char* line) {
        curl_slist* head = curl_slist_append(head_, line);
        if (head == nullptr) {
            return false;
        }
        head_ = head;
        return true;
    }
    curl_slist* get() const { return head_; }

private:
    curl_slist* head_ = nullptr;
};

// The URL's scheme when it splits into scheme and host and the scheme is
// one the platform request supports.
std::optional<std::string> splitScheme(const std::string& url) {
    UrlHandle parts(curl_url());
    if (!parts || curl_url_set(parts.get(), CURLUPART_URL, url.c_str(), 0) != CURLUE_OK) {
        return std::nullopt;
    }
    char* scheme = nullptr;
    char* host = nullptr;
    const bool split = curl_url_get(parts.get(), CURLUPART_SCHEME, &scheme, 0) == CURLUE_OK &&
                       curl_url_get(parts.get(), CURLUPART_HOST, &host, 0) == CURLUE_OK;
    const CurlText schemeText(scheme);
    const CurlText hostText(host);
    if (!split) {
        return std::nullopt;
    }
    const std::string name = schemeText.get();
    if (name != "http" && name != "https") {
        return std::nullopt;
    }
    return name;
}

size_t appendBody(char* data, size_t size, size_t count, void* target) {
    static_cast<std::string*>(target)->append(data, size * count);
    return size * count;
}

}  // namespace

CurlTransport::CurlTransport() {
    static const CURLcode initialized = curl_global_init(CURL_GLOBAL_DEFAULT);
    (void)initialized;
}

std::optional<std::string> CurlTransport::send(const HttpRequest& request, const LogFn& log) {
    const auto scheme = splitScheme(request.url);
    if (!scheme) {
        logLine(log, "WinHttpCrackUrl failed: " + request.url, "ERROR");
        return std::nullopt;
    }
    EasyHandle easy(curl_easy_init());
    HeaderList headers;
    if (!easy || !headers.append("User-Agent: Nubiro/1.0") ||
        !headers.append("Accept: application/json,text/plain,*/*")) {
        return std::nullopt;
    }
    const long timeoutSec = request.timeoutSec;
    const long verify = request.verifyTls ? 1L : 0L;
    std::string body;
    CURL* h = easy.get();
    curl_easy_setopt(h, CURLOPT_URL, request.url.c_str());
    curl_easy_setopt(h, CURLOPT_USERAGENT, "Nubiro/9.0");
    curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(h, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(h, CURLOPT_MAXREDIRS, 10L);
    // Resolve and connect within the time-out; afterwards give up when no
    // byte moved for that long, as a per-operation send or receive time-out.
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT, timeoutSec);
    curl_easy_setopt(h, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(h, CURLOPT_LOW_SPEED_TIME, timeoutSec);
    curl_easy_setopt(h, CURLOPT_SSL_VERIFYPEER, verify);
    curl_easy_setopt(h, CURLOPT_SSL_VERIFYHOST, verify * 2L);
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, appendBody);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &body);
    if (curl_easy_perform(h) != CURLE_OK) {
        return std::nullopt;
    }
    return body;
}

}  // namespace wx
