#include "app/win32/PackRecording.h"

#include <windows.h>

#include <vector>

#include "platform/win32/WideText.h"
#include "sources/PackRecorder.h"

namespace wx {

std::optional<PackRecordingStart> recordFromEnvironment(std::shared_ptr<const WeatherClock> engineClock) {
    const DWORD size = GetEnvironmentVariableW(L"NUBIRO_RECORD", nullptr, 0);
    if (size <= 1) {
        return std::nullopt;
    }
    std::vector<wchar_t> value(size);
    const DWORD length = GetEnvironmentVariableW(L"NUBIRO_RECORD", value.data(), size);
    if (length == 0 || length >= size) {
        return std::nullopt;
    }
    PackRecordingStart start;
    start.dir = fromWide(std::wstring(value.data(), length));
    std::string error;
    start.recording = recordRequestsInto(start.dir, {}, error, std::move(engineClock));
    return start;
}

}  // namespace wx
