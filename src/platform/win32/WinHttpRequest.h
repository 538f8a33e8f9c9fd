#pragma once

#include <windows.h>
#include <winhttp.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "platform/win32/WinHttpHandles.h"

namespace wx {

// The notifications a session's status callback must be given for
// WinHttpRequest to work: every completion, secure failures, connections
// made and handles closing.
constexpr DWORD kRequestNotifications = WINHTTP_CALLBACK_FLAG_ALL_COMPLETIONS | WINHTTP_CALLBACK_FLAG_SECURE_FAILURE |
                                        WINHTTP_CALLBACK_FLAG_CONNECT_TO_SERVER | WINHTTP_CALLBACK_FLAG_HANDLES;

// The status callback of a session in asynchronous mode whose requests are
// WinHttpRequests.
void CALLBACK onRequestStatus(HINTERNET handle, DWORD_PTR context, DWORD status, LPVOID info, DWORD length);

// When waiting for a step ends early: the request's deadline, and an event
// that is signalled when the request is cancelled (may be null).
struct RequestLimits {
    std::chrono::steady_clock::time_point deadline;
    HANDLE cancelEvent = nullptr;
};

// How an asynchronous step ended.
enum class Step { Done, Failed, Cancelled, TimedOut };

// One request on a connection of an asynchronous session, driven one step
// at a time from the caller's thread: each step starts a WinHTTP call and
// waits for its completion, the deadline or the cancel event. Destroying
// the request closes its handle, which ends anything pending; what WinHTTP
// may still write to (the notifications, the read buffer) lives until
// WinHTTP reports the handle closed.
class WinHttpRequest {
public:
    WinHttpRequest(HINTERNET connection, const wchar_t* verb, const std::wstring& object, bool secure);
    ~WinHttpRequest();
    WinHttpRequest(const WinHttpRequest&) = delete;
    WinHttpRequest& operator=(const WinHttpRequest&) = delete;

    explicit operator bool() const { return static_cast<bool>(handle_); }

    // All four per-phase time-outs of the platform.
    void setTimeouts(int timeoutMs);
    // Unknown authority, wrong usage, wrong name, expired or not yet valid.
    void ignoreCertificateErrors();

    // Connects if need be (TLS included) and sends the request with these
    // extra header lines.
    Step send(const wchar_t* headers, const RequestLimits& limits);
    Step receiveResponse(const RequestLimits& limits);
    // The final status; 0 when it cannot be read.
    int statusCode() const;
    // Appends the body until the server has nothing more.
    Step readBody(std::string& body, const RequestLimits& limits);
    // The announced body length, when the response gives one.
    std::optional<DWORD> contentLength() const;
    // A header of the response by its name; empty when it has none.
    std::wstring header(const wchar_t* name) const;

    // The WinHTTP error of the failed step.
    DWORD error() const;
    // The certificate problems a secure failure reported (0 when none was).
    DWORD secureFailureFlags() const;
    // A connection was opened for this request rather than taken from the
    // session's kept ones.
    bool openedConnection() const;

    struct Events;

private:
    Step finish(BOOL started, const RequestLimits& limits);

    std::shared_ptr<Events> events_;
    DWORD_PTR context_ = 0;  // what the callback gets: a reference to events_
    InternetHandle handle_;
};

}  // namespace wx
