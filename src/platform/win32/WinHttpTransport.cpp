#include "platform/win32/WinHttpTransport.h"

#include <chrono>
#include <optional>

#include "platform/win32/WideText.h"
#include "platform/win32/WinHttpRequest.h"

namespace wx {
namespace {

constexpr wchar_t kRequestHeaders[] = L"User-Agent: Nubiro/1.0\r\nAccept: application/json,text/plain,*/*\r\n";

// The problems a secure failure names that are the certificate's.
constexpr DWORD kCertificateProblems =
    WINHTTP_CALLBACK_STATUS_FLAG_CERT_REV_FAILED | WINHTTP_CALLBACK_STATUS_FLAG_INVALID_CERT |
    WINHTTP_CALLBACK_STATUS_FLAG_CERT_REVOKED | WINHTTP_CALLBACK_STATUS_FLAG_INVALID_CA |
    WINHTTP_CALLBACK_STATUS_FLAG_CERT_CN_INVALID | WINHTTP_CALLBACK_STATUS_FLAG_CERT_DATE_INVALID |
    WINHTTP_CALLBACK_STATUS_FLAG_CERT_WRONG_USAGE;

// How one try of a request ended.
struct Attempt {
    HttpResult result;
    bool beforeAnswer = false;    // it failed before any byte of the answer arrived
    bool keptConnection = false;  // over a connection an earlier request opened
    bool channelError = false;    // the TLS channel failed without naming the certificate
};

HttpOutcome outcomeOf(Step step, const WinHttpRequest& request) {
    switch (step) {
    case Step::Cancelled:
        return HttpOutcome::Cancelled;
    case Step::TimedOut:
        return HttpOutcome::TimedOut;
    case Step::Done:
    case Step::Failed:
        break;
    }
    if ((request.secureFailureFlags() & kCertificateProblems) != 0) {
        return HttpOutcome::Certificate;
    }
    switch (request.error()) {
    case ERROR_WINHTTP_TIMEOUT:
        return HttpOutcome::TimedOut;
    case ERROR_WINHTTP_CANNOT_CONNECT:
        return HttpOutcome::Refused;
    case ERROR_WINHTTP_SECURE_CERT_DATE_INVALID:
    case ERROR_WINHTTP_SECURE_CERT_CN_INVALID:
    case ERROR_WINHTTP_SECURE_INVALID_CA:
    case ERROR_WINHTTP_SECURE_CERT_REV_FAILED:
    case ERROR_WINHTTP_SECURE_INVALID_CERT:
    case ERROR_WINHTTP_SECURE_CERT_REVOKED:
    case ERROR_WINHTTP_SECURE_CERT_WRONG_USAGE:
        return HttpOutcome::Certificate;
    default:
        return HttpOutcome::Failed;
    }
}

Attempt failedAttempt(Step step, const WinHttpRequest& request, bool beforeAnswer) {
    Attempt attempt;
    attempt.result = HttpResult::failure(outcomeOf(step, request));
    attempt.beforeAnswer = beforeAnswer;
    attempt.keptConnection = !request.openedConnection();
    attempt.channelError = attempt.result.outcome == HttpOutcome::Failed &&
                           request.error() == ERROR_WINHTTP_SECURE_CHANNEL_ERROR;
    return attempt;
}

Attempt tryGet(HINTERNET connection, const std::wstring& object, bool secure, bool verify, int timeoutMs,
               const RequestLimits& limits) {
    WinHttpRequest request(connection, L"GET", object, secure);
    if (!request) {
        return {HttpResult::failure(HttpOutcome::Failed)};
    }
    request.setTimeouts(timeoutMs);
    if (secure && !verify) {
        request.ignoreCertificateErrors();
    }
    Step step = request.send(kRequestHeaders, limits);
    if (step == Step::Done) {
        step = request.receiveResponse(limits);
    }
    if (step != Step::Done) {
        return failedAttempt(step, request, true);
    }
    const int status = request.statusCode();
    std::string body;
    step = request.readBody(body, limits);
    if (step != Step::Done) {
        return failedAttempt(step, request, false);
    }
    // Fewer bytes than announced: the body was cut short.
    const auto announced = request.contentLength();
    if (announced && body.size() < *announced) {
        return {HttpResult::failure(HttpOutcome::Failed)};
    }
    return {HttpResult::answer(status, std::move(body), fromWide(request.header(L"Retry-After")))};
}

// After a TLS channel error that names no problem (under Wine a refused
// certificate looks like any other handshake failure): whether the
// handshake succeeds with the certificate checks off. A bare HEAD / is sent
// and nothing is read.
HttpOutcome classifyChannelError(HINTERNET connection, int timeoutMs, const RequestLimits& limits) {
    WinHttpRequest probe(connection, L"HEAD", L"/", true);
    if (!probe) {
        return HttpOutcome::Failed;
    }
    probe.setTimeouts(timeoutMs);
    probe.ignoreCertificateErrors();
    switch (probe.send(kRequestHeaders, limits)) {
    case Step::Done:
        return HttpOutcome::Certificate;
    case Step::Cancelled:
        return HttpOutcome::Cancelled;
    case Step::TimedOut:
        return HttpOutcome::TimedOut;
    case Step::Failed:
        break;
    }
    return HttpOutcome::Failed;
}

}  // namespace

WinHttpTransport::WinHttpTransport()
    : session_(WinHttpOpen(L"Nubiro/9.0", WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME,
                           WINHTTP_NO_PROXY_BYPASS, WINHTTP_FLAG_ASYNC)),
      cancelled_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    if (session_ && WinHttpSetStatusCallback(session_.get(), onRequestStatus, kRequestNotifications, 0) ==
                        WINHTTP_INVALID_STATUS_CALLBACK) {
        session_.reset();
    }
}

WinHttpTransport::~WinHttpTransport() = default;

HINTERNET WinHttpTransport::connectionTo(const HostPort& host) {
    auto it = connections_.find(host);
    if (it == connections_.end()) {
        InternetHandle connection(WinHttpConnect(session_.get(), host.first.c_str(), host.second, 0));
        if (!connection) {
            return nullptr;
        }
        it = connections_.emplace(host, std::move(connection)).first;
    }
    return it->second.get();
}

HttpResult WinHttpTransport::send(const HttpRequest& request, const LogFn& log) {
    const std::wstring url = toWide(request.url);
    URL_COMPONENTS parts{};
    parts.dwStructSize = sizeof parts;
    parts.dwSchemeLength = static_cast<DWORD>(-1);
    parts.dwHostNameLength = static_cast<DWORD>(-1);
    parts.dwUrlPathLength = static_cast<DWORD>(-1);
    parts.dwExtraInfoLength = static_cast<DWORD>(-1);
    if (!WinHttpCrackUrl(url.c_str(), static_cast<DWORD>(url.size()), 0, &parts)) {
        logLine(log, "WinHttpCrackUrl failed: " + request.url, "ERROR");
        return HttpResult::failure(HttpOutcome::Failed);
    }
    const HostPort host{std::wstring(parts.lpszHostName, parts.dwHostNameLength), parts.nPort};
    std::wstring object(parts.lpszUrlPath, parts.dwUrlPathLength);
    object.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
    const bool secure = parts.nScheme == INTERNET_SCHEME_HTTPS;
    if (!session_ || !cancelled_) {
        return HttpResult::failure(HttpOutcome::Failed);
    }
    const HINTERNET connection = connectionTo(host);
    if (connection == nullptr) {
        return HttpResult::failure(HttpOutcome::Failed);
    }

    ResetEvent(cancelled_.get());
    std::optional<HttpCancel::Watch> watch;
    if (request.cancel != nullptr) {
        watch.emplace(request.cancel->watch([event = cancelled_.get()] { SetEvent(event); }));
    }
    if (isCancelled(request.cancel)) {
        return HttpResult::failure(HttpOutcome::Cancelled);
    }
    const int timeoutMs = request.timeoutSec * 1000;
    const RequestLimits limits{std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs),
                               cancelled_.get()};
    Attempt attempt = tryGet(connection, object, secure, request.verifyTls, timeoutMs, limits);
    if (attempt.result.outcome == HttpOutcome::Failed && attempt.beforeAnswer && attempt.keptConnection) {
        // The server closed the kept connection while it was idle.
        attempt = tryGet(connection, object, secure, request.verifyTls, timeoutMs, limits);
    }
    if (attempt.channelError && secure && request.verifyTls && brokenChannels_.count(host) == 0) {
        const HttpOutcome outcome = classifyChannelError(connection, timeoutMs, limits);
        if (outcome == HttpOutcome::Failed) {
            brokenChannels_.insert(host);
        }
        return HttpResult::failure(outcome);
    }
    return attempt.result;
}

}  // namespace wx
