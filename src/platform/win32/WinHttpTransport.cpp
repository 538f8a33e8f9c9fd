#include "platform/win32/WinHttpTransport.h"

#include <windows.h>
#include <winhttp.h>

#include "platform/win32/WideText.h"

namespace wx {
namespace {

// Certificate checks a request without verification ignores: unknown
// authority, wrong usage, name mismatch, expired or not yet valid.
constexpr DWORD kIgnoreCertificateErrors = SECURITY_FLAG_IGNORE_UNKNOWN_CA | SECURITY_FLAG_IGNORE_CERT_WRONG_USAGE |
                                           SECURITY_FLAG_IGNORE_CERT_CN_INVALID |
                                           SECURITY_FLAG_IGNORE_CERT_DATE_INVALID;
static_assert(kIgnoreCertificateErrors == 0x3300);

constexpr wchar_t kRequestHeaders[] = L"User-Agent: Nubiro/1.0\r\nAccept: application/json,text/plain,*/*\r\n";

// Owns one WinHTTP handle.
class InternetHandle {
public:
    explicit InternetHandle(HINTERNET handle) : handle_(handle) {}
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;
    ~InternetHandle() {
        if (handle_ != nullptr) {
            WinHttpCloseHandle(handle_);
        }
    }
    explicit operator bool() const { return handle_ != nullptr; }
    HINTERNET get() const { return handle_; }

private:
    HINTERNET handle_;
};

// Appends what the server sends until it has nothing more; false when a
// call fails.
bool readAvailable(HINTERNET request, std::string& body) {
    for (;;) {
        DWORD available = 0;
        if (!WinHttpQueryDataAvailable(request, &available)) {
            return false;
        }
        if (available == 0) {
            return true;
        }
        const size_t start = body.size();
        body.resize(start + available);
        DWORD read = 0;
        if (!WinHttpReadData(request, body.data() + start, available, &read)) {
            return false;
        }
        body.resize(start + read);
        if (read == 0) {
            return true;
        }
    }
}

// The announced body length; absent when the response has none (chunked or
// ended by closing the connection).
std::optional<DWORD> contentLength(HINTERNET request) {
    DWORD length = 0;
    DWORD size = sizeof length;
    if (!WinHttpQueryHeaders(request, WINHTTP_QUERY_CONTENT_LENGTH | WINHTTP_QUERY_FLAG_NUMBER,
                             WINHTTP_HEADER_NAME_BY_INDEX, &length, &size, WINHTTP_NO_HEADER_INDEX)) {
        return std::nullopt;
    }
    return length;
}

// The body read to its end. A failed call, or fewer bytes than the response
// announced, fails the request: the body was cut short.
std::optional<std::string> readBody(HINTERNET request) {
    std::string body;
    if (!readAvailable(request, body)) {
        return std::nullopt;
    }
    const auto announced = contentLength(request);
    if (announced && body.size() < *announced) {
        return std::nullopt;
    }
    return body;
}

}  // namespace

std::optional<std::string> WinHttpTransport::send(const HttpRequest& request, const LogFn& log) {
    const std::wstring url = toWide(request.url);
    URL_COMPONENTS parts{};
    parts.dwStructSize = sizeof parts;
    parts.dwSchemeLength = static_cast<DWORD>(-1);
    parts.dwHostNameLength = static_cast<DWORD>(-1);
    parts.dwUrlPathLength = static_cast<DWORD>(-1);
    parts.dwExtraInfoLength = static_cast<DWORD>(-1);
    if (!WinHttpCrackUrl(url.c_str(), static_cast<DWORD>(url.size()), 0, &parts)) {
        logLine(log, "WinHttpCrackUrl failed: " + request.url, "ERROR");
        return std::nullopt;
    }
    const std::wstring host(parts.lpszHostName, parts.dwHostNameLength);
    std::wstring object(parts.lpszUrlPath, parts.dwUrlPathLength);
    object.append(parts.lpszExtraInfo, parts.dwExtraInfoLength);
    const bool secure = parts.nScheme == INTERNET_SCHEME_HTTPS;

    const InternetHandle session(
        WinHttpOpen(L"Nubiro/9.0", WINHTTP_ACCESS_TYPE_DEFAULT_PROXY, WINHTTP_NO_PROXY_NAME, WINHTTP_NO_PROXY_BYPASS, 0));
    if (!session) {
        return std::nullopt;
    }
    const int timeoutMs = request.timeoutSec * 1000;
    if (!WinHttpSetTimeouts(session.get(), timeoutMs, timeoutMs, timeoutMs, timeoutMs)) {
        return std::nullopt;
    }
    const InternetHandle connection(WinHttpConnect(session.get(), host.c_str(), parts.nPort, 0));
    if (!connection) {
        return std::nullopt;
    }
    const InternetHandle get(WinHttpOpenRequest(connection.get(), L"GET", object.c_str(), nullptr,
                                                WINHTTP_NO_REFERER, WINHTTP_DEFAULT_ACCEPT_TYPES,
                                                secure ? WINHTTP_FLAG_SECURE : 0));
    if (!get) {
        return std::nullopt;
    }
    // Each request gets a connection of its own: a pooled one could carry a
    // handshake made without verification into a request that wants it.
    DWORD noKeepAlive = WINHTTP_DISABLE_KEEP_ALIVE;
    WinHttpSetOption(get.get(), WINHTTP_OPTION_DISABLE_FEATURE, &noKeepAlive, sizeof noKeepAlive);
    // Waiting for the response headers is receiving too.
    DWORD responseTimeoutMs = static_cast<DWORD>(timeoutMs);
    WinHttpSetOption(get.get(), WINHTTP_OPTION_RECEIVE_RESPONSE_TIMEOUT, &responseTimeoutMs, sizeof responseTimeoutMs);
    if (!request.verifyTls && secure) {
        DWORD flags = kIgnoreCertificateErrors;
        WinHttpSetOption(get.get(), WINHTTP_OPTION_SECURITY_FLAGS, &flags, sizeof flags);
    }
    if (!WinHttpSendRequest(get.get(), kRequestHeaders, static_cast<DWORD>(-1), WINHTTP_NO_REQUEST_DATA, 0, 0, 0) ||
        !WinHttpReceiveResponse(get.get(), nullptr)) {
        return std::nullopt;
    }
    return readBody(get.get());
}

}  // namespace wx
