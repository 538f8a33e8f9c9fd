#include "app/win32/LogView.h"

#include "app/LogLine.h"
#include "app/LogTrim.h"
#include "platform/win32/WideText.h"

namespace wx {
namespace {

size_t textLength(HWND edit) { return static_cast<size_t>(SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0)); }

void selectEnd(HWND edit) {
    const auto end = static_cast<WPARAM>(textLength(edit));
    SendMessageW(edit, EM_SETSEL, end, static_cast<LPARAM>(end));
}

LocalTime localTimeNow() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return {now.wHour, now.wMinute, now.wSecond};
}

}  // namespace

LogView::LogView(HWND edit) : edit_(edit) {
    if (edit_ != nullptr) {
        SendMessageW(edit_, EM_SETLIMITTEXT, kLogViewLimitChars, 0);
    }
}

void LogView::setFont(HFONT font) {
    if (edit_ != nullptr) {
        SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
}

void LogView::append(const std::string& line) {
    if (edit_ == nullptr) {
        return;
    }
    const std::wstring text = toWide(line);
    selectEnd(edit_);
    SendMessageW(edit_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
    if (textLength(edit_) > kLogViewMaxChars) {
        dropOldLines();
    }
}

void LogView::dropOldLines() {
    std::wstring text(textLength(edit_) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(edit_, text.data(), static_cast<int>(text.size()))));
    const size_t drop = oldLinesToDrop(text, kLogViewMaxChars, kLogViewKeepChars);
    if (drop == 0) {
        return;
    }
    SendMessageW(edit_, EM_SETSEL, 0, static_cast<LPARAM>(drop));
    SendMessageW(edit_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L""));
    selectEnd(edit_);
    SendMessageW(edit_, EM_SCROLLCARET, 0, 0);
}

void LogView::appendNow(const std::string& level, const std::string& message) {
    append(formatLogLine(localTimeNow(), level, message));
}

}  // namespace wx
