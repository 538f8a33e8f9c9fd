#include "platform/native/CurlTransport.h"

#include <curl/curl.h>
#include <curl/header.h>

#include <optional>
#include <utility>

namespace wx {
namespace {

struct EasyDeleter {
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
};
struct MultiDeleter {
    void operator()(CURLM* handle) const { curl_multi_cleanup(handle); }
};
struct UrlDeleter {
    void operator()(CURLU* handle) const { curl_url_cleanup(handle); }
};
struct CurlTextDeleter {
    void operator()(char* text) const { curl_free(text); }
};
using UrlHandle = std::unique_ptr<CURLU, UrlDeleter>;
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

// The easy handle's place in the multi handle for one transfer.
class Attached {
public:
    Attached(CURLM* multi, CURL* easy)
        : multi_(multi), easy_(easy), ok_(curl_multi_add_handle(multi, easy) == CURLM_OK) {}
    Attached(const Attached&) = delete;
    Attached& operator=(const Attached&) = delete;
    ~Attached() {
        if (ok_) {
            curl_multi_remove_handle(multi_, easy_);
        }
    }
    bool ok() const { return ok_; }

private:
    CURLM* multi_;
    CURL* easy_;
    bool ok_;
};

// True when the URL splits into scheme and host and the scheme is one the
// platform request supports.
bool splits(const std::string& url) {
    UrlHandle parts(curl_url());
    if (!parts || curl_url_set(parts.get(), CURLUPART_URL, url.c_str(), 0) != CURLUE_OK) {
        return false;
    }
    char* scheme = nullptr;
    char* host = nullptr;
    const bool split = curl_url_get(parts.get(), CURLUPART_SCHEME, &scheme, 0) == CURLUE_OK &&
                       curl_url_get(parts.get(), CURLUPART_HOST, &host, 0) == CURLUE_OK;
    const CurlText schemeText(scheme);
    const CurlText hostText(host);
    if (!split) {
        return false;
    }
    const std::string name = schemeText.get();
    return name == "http" || name == "https";
}

// The final answer's "Retry-After" header (after any redirect); empty
// without one.
std::string retryAfterOf(CURL* handle) {
    curl_header* header = nullptr;
    if (curl_easy_header(handle, "Retry-After", 0, CURLH_HEADER, -1, &header) != CURLHE_OK || header == nullptr) {
        return {};
    }
    return header->value;
}

size_t appendBody(char* data, size_t size, size_t count, void* target) {
    static_cast<std::string*>(target)->append(data, size * count);
    return size * count;
}

HttpOutcome failureOf(CURLcode code) {
    switch (code) {
    case CURLE_OPERATION_TIMEDOUT:
        return HttpOutcome::TimedOut;
    case CURLE_COULDNT_CONNECT:
        return HttpOutcome::Refused;
    case CURLE_PEER_FAILED_VERIFICATION:  // unknown authority, wrong name, expired
    case CURLE_SSL_CACERT_BADFILE:        // no usable authorities on this machine
    case CURLE_SSL_ISSUER_ERROR:
        return HttpOutcome::Certificate;
    default:
        return HttpOutcome::Failed;
    }
}

// Drives the transfer until it ends or the cancel switch goes on; absent
// when cancelled.
std::optional<CURLcode> perform(CURLM* multi, const HttpCancel* cancel) {
    for (;;) {
        if (isCancelled(cancel)) {
            return std::nullopt;
        }
        int running = 0;
        if (curl_multi_perform(multi, &running) != CURLM_OK) {
            return CURLE_FAILED_INIT;
        }
        if (running == 0) {
            break;
        }
        if (curl_multi_poll(multi, nullptr, 0, 1000, nullptr) != CURLM_OK) {
            return CURLE_FAILED_INIT;
        }
    }
    int left = 0;
    while (const CURLMsg* message = curl_multi_info_read(multi, &left)) {
        if (message->msg == CURLMSG_DONE) {
            return message->data.result;
        }
    }
    return CURLE_FAILED_INIT;
}

}  // namespace

struct CurlTransport::Handles {
    std::unique_ptr<CURLM, MultiDeleter> multi{curl_multi_init()};
    std::unique_ptr<CURL, EasyDeleter> easy{curl_easy_init()};
};

CurlTransport::CurlTransport(std::string caFile) : caFile_(std::move(caFile)) {
    static const CURLcode initialized = curl_global_init(CURL_GLOBAL_DEFAULT);
    (void)initialized;
    handles_ = std::make_unique<Handles>();
}

CurlTransport::~CurlTransport() = default;

HttpResult CurlTransport::send(const HttpRequest& request, const LogFn& log) {
    if (!splits(request.url)) {
        logLine(log, "WinHttpCrackUrl failed: " + request.url, "ERROR");
        return HttpResult::failure(HttpOutcome::Failed);
    }
    CURLM* multi = handles_->multi.get();
    CURL* h = handles_->easy.get();
    HeaderList headers;
    if (multi == nullptr || h == nullptr || !headers.append("User-Agent: Nubiro/1.0") ||
        !headers.append("Accept: application/json,text/plain,*/*")) {
        return HttpResult::failure(HttpOutcome::Failed);
    }
    // Resetting the options keeps the handle's connections.
    curl_easy_reset(h);
    const long timeoutMs = static_cast<long>(request.timeoutSec) * 1000L;
    const long verify = request.verifyTls ? 1L : 0L;
    std::string body;
    curl_easy_setopt(h, CURLOPT_URL, request.url.c_str());
    curl_easy_setopt(h, CURLOPT_USERAGENT, "Nubiro/9.0");
    curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers.get());
    curl_easy_setopt(h, CURLOPT_HTTPGET, 1L);
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(h, CURLOPT_MAXREDIRS, 10L);
    curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, timeoutMs);
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS, timeoutMs);
    curl_easy_setopt(h, CURLOPT_SSL_VERIFYPEER, verify);
    curl_easy_setopt(h, CURLOPT_SSL_VERIFYHOST, verify * 2L);
    if (!caFile_.empty()) {
        curl_easy_setopt(h, CURLOPT_CAINFO, caFile_.c_str());
    }
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, appendBody);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &body);

    const Attached attached(multi, h);
    if (!attached.ok()) {
        return HttpResult::failure(HttpOutcome::Failed);
    }
    std::optional<HttpCancel::Watch> watch;
    if (request.cancel != nullptr) {
        watch.emplace(request.cancel->watch([multi] { curl_multi_wakeup(multi); }));
    }
    const std::optional<CURLcode> code = perform(multi, request.cancel);
    if (!code) {
        return HttpResult::failure(HttpOutcome::Cancelled);
    }
    if (*code != CURLE_OK) {
        return HttpResult::failure(failureOf(*code));
    }
    long status = 0;
    curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &status);
    return HttpResult::answer(static_cast<int>(status), std::move(body), retryAfterOf(h));
}

}  // namespace wx
