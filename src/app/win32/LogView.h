#pragma once

#include <windows.h>

#include <string>

namespace wx {

// The window's log: a read-only multi-line edit control (owned by the
// dialog) that formatted lines are appended to. Its text limit is raised
// far above the control's default of about 32,000 characters, and past
// about a million characters the oldest whole lines are dropped, so that
// new lines keep appearing however long the program runs.
class LogView {
public:
    LogView() = default;
    // Sets the text limit.
    explicit LogView(HWND edit);

    void setFont(HFONT font);

    // Adds one line (UTF-8, with its line break) at the end of the text.
    void append(const std::string& line);
    // Adds a message as a line stamped with the local time and its level.
    void appendNow(const std::string& level, const std::string& message);

private:
    void dropOldLines();

    HWND edit_ = nullptr;
};

}  // namespace wx
