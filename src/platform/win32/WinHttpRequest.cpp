#include "platform/win32/WinHttpRequest.h"

#include <algorithm>
#include <atomic>
#include <vector>

#include "platform/win32/IpcHandles.h"

namespace wx {

// What the status callback reports for one request. WinHTTP holds a
// reference from the request handle's creation until it reports the handle
// closed, so a late notification never lands in freed memory.
struct WinHttpRequest::Events {
    KernelHandle completed{CreateEventW(nullptr, FALSE, FALSE, nullptr)};
    std::atomic<DWORD> status{0};
    std::atomic<DWORD> error{0};
    std::atomic<DWORD> bytes{0};
    std::atomic<DWORD> secureFailure{0};
    std::atomic<bool> connected{false};
    std::vector<char> buffer;  // the target of a pending read
};

namespace {

using EventsRef = std::shared_ptr<WinHttpRequest::Events>;

constexpr DWORD kReadChunk = 64 * 1024;

}  // namespace

void CALLBACK onRequestStatus(HINTERNET, DWORD_PTR context, DWORD status, LPVOID info, DWORD length) {
    if (context == 0) {
        return;
    }
    auto* ref = reinterpret_cast<EventsRef*>(context);
    WinHttpRequest::Events& events = **ref;
    switch (status) {
    case WINHTTP_CALLBACK_STATUS_HANDLE_CLOSING:
        delete ref;
        return;
    case WINHTTP_CALLBACK_STATUS_CONNECTED_TO_SERVER:
        events.connected = true;
        return;
    case WINHTTP_CALLBACK_STATUS_SECURE_FAILURE:
        events.secureFailure = info != nullptr ? *static_cast<const DWORD*>(info) : 0;
        return;
    case WINHTTP_CALLBACK_STATUS_REQUEST_ERROR:
        events.error = static_cast<const WINHTTP_ASYNC_RESULT*>(info)->dwError;
        break;
    case WINHTTP_CALLBACK_STATUS_DATA_AVAILABLE:
        events.bytes = *static_cast<const DWORD*>(info);
        break;
    case WINHTTP_CALLBACK_STATUS_READ_COMPLETE:
        events.bytes = length;
        break;
    case WINHTTP_CALLBACK_STATUS_SENDREQUEST_COMPLETE:
    case WINHTTP_CALLBACK_STATUS_HEADERS_AVAILABLE:
        break;
    default:
        return;
    }
    events.status = status;
    SetEvent(events.completed.get());
}

WinHttpRequest::WinHttpRequest(HINTERNET connection, const wchar_t* verb, const std::wstring& object, bool secure)
    : events_(std::make_shared<Events>()),
      handle_(WinHttpOpenRequest(connection, verb, object.c_str(), nullptr, WINHTTP_NO_REFERER,
                                 WINHTTP_DEFAULT_ACCEPT_TYPES, secure ? WINHTTP_FLAG_SECURE : 0)) {
    if (!handle_ || !events_->completed) {
        handle_.reset();
        return;
    }
    auto* ref = new EventsRef(events_);
    context_ = reinterpret_cast<DWORD_PTR>(ref);
    if (!WinHttpSetOption(handle_.get(), WINHTTP_OPTION_CONTEXT_VALUE, &context_, sizeof context_)) {
        delete ref;
        context_ = 0;
        handle_.reset();
    }
}

WinHttpRequest::~WinHttpRequest() = default;

void WinHttpRequest::setTimeouts(int timeoutMs) {
    WinHttpSetTimeouts(handle_.get(), timeoutMs, timeoutMs, timeoutMs, timeoutMs);
}

void WinHttpRequest::ignoreCertificateErrors() {
    DWORD flags = SECURITY_FLAG_IGNORE_UNKNOWN_CA | SECURITY_FLAG_IGNORE_CERT_WRONG_USAGE |
                  SECURITY_FLAG_IGNORE_CERT_CN_INVALID | SECURITY_FLAG_IGNORE_CERT_DATE_INVALID;
    WinHttpSetOption(handle_.get(), WINHTTP_OPTION_SECURITY_FLAGS, &flags, sizeof flags);
}

Step WinHttpRequest::finish(BOOL started, const RequestLimits& limits) {
    if (!started) {
        events_->error = GetLastError();
        return Step::Failed;
    }
    const HANDLE waits[2] = {events_->completed.get(), limits.cancelEvent};
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(limits.deadline -
                                                                           std::chrono::steady_clock::now());
    const DWORD waitMs = static_cast<DWORD>(std::max<int64_t>(left.count(), 0));
    switch (WaitForMultipleObjects(limits.cancelEvent != nullptr ? 2 : 1, waits, FALSE, waitMs)) {
    case WAIT_OBJECT_0:
        return events_->status == WINHTTP_CALLBACK_STATUS_REQUEST_ERROR ? Step::Failed : Step::Done;
    case WAIT_OBJECT_0 + 1:
        return Step::Cancelled;
    case WAIT_TIMEOUT:
        return Step::TimedOut;
    default:
        events_->error = GetLastError();
        return Step::Failed;
    }
}

Step WinHttpRequest::send(const wchar_t* headers, const RequestLimits& limits) {
    return finish(WinHttpSendRequest(handle_.get(), headers, static_cast<DWORD>(-1), WINHTTP_NO_REQUEST_DATA, 0, 0,
                                     context_),
                  limits);
}

Step WinHttpRequest::receiveResponse(const RequestLimits& limits) {
    return finish(WinHttpReceiveResponse(handle_.get(), nullptr), limits);
}

int WinHttpRequest::statusCode() const {
    DWORD status = 0;
    DWORD size = sizeof status;
    if (!WinHttpQueryHeaders(handle_.get(), WINHTTP_QUERY_STATUS_CODE | WINHTTP_QUERY_FLAG_NUMBER,
                             WINHTTP_HEADER_NAME_BY_INDEX, &status, &size, WINHTTP_NO_HEADER_INDEX)) {
        return 0;
    }
    return static_cast<int>(status);
}

Step WinHttpRequest::readBody(std::string& body, const RequestLimits& limits) {
    for (;;) {
        Step step = finish(WinHttpQueryDataAvailable(handle_.get(), nullptr), limits);
        if (step != Step::Done) {
            return step;
        }
        const DWORD available = std::min(events_->bytes.load(), kReadChunk);
        if (available == 0) {
            return Step::Done;
        }
        events_->buffer.resize(available);
        step = finish(WinHttpReadData(handle_.get(), events_->buffer.data(), available, nullptr), limits);
        if (step != Step::Done) {
            return step;
        }
        const DWORD read = std::min(events_->bytes.load(), available);
        if (read == 0) {
            return Step::Done;
        }
        body.append(events_->buffer.data(), read);
    }
}

std::optional<DWORD> WinHttpRequest::contentLength() const {
    DWORD length = 0;
    DWORD size = sizeof length;
    if (!WinHttpQueryHeaders(handle_.get(), WINHTTP_QUERY_CONTENT_LENGTH | WINHTTP_QUERY_FLAG_NUMBER,
                             WINHTTP_HEADER_NAME_BY_INDEX, &length, &size, WINHTTP_NO_HEADER_INDEX)) {
        return std::nullopt;
    }
    return length;
}

std::wstring WinHttpRequest::header(const wchar_t* name) const {
    DWORD bytes = 0;
    WinHttpQueryHeaders(handle_.get(), WINHTTP_QUERY_CUSTOM, name, WINHTTP_NO_OUTPUT_BUFFER, &bytes,
                        WINHTTP_NO_HEADER_INDEX);
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || bytes == 0) {
        return {};
    }
    std::wstring value(bytes / sizeof(wchar_t) + 1, L'\0');
    DWORD size = static_cast<DWORD>(value.size() * sizeof(wchar_t));
    if (!WinHttpQueryHeaders(handle_.get(), WINHTTP_QUERY_CUSTOM, name, value.data(), &size,
                             WINHTTP_NO_HEADER_INDEX)) {
        return {};
    }
    value.resize(size / sizeof(wchar_t));
    return value;
}

DWORD WinHttpRequest::error() const { return events_->error; }

DWORD WinHttpRequest::secureFailureFlags() const { return events_->secureFailure; }

bool WinHttpRequest::openedConnection() const { return events_->connected; }

}  // namespace wx
