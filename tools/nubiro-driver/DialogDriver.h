#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace wx::driver {

// What a message box shows.
struct MessageBoxContent {
    std::string caption;
    std::string text;
};

// Drives a dialog the way a user does (button clicks, typed characters,
// picks in a combo box or list box) and reads its controls back, in this
// process or in another one: texts, check and enabled states, combo box and
// list box entries, list view headers and rows. Texts are UTF-8.
class DialogDriver {
public:
    explicit DialogDriver(HWND dialog) : dialog_(dialog) {}

    // The visible top-level dialog of that process (0: of any process) with
    // that caption which holds a control of that id, waited for up to the
    // time-out.
    static std::optional<DialogDriver> find(DWORD processId, const std::string& caption, int controlId,
                                            std::chrono::milliseconds timeout);

    HWND window() const { return dialog_; }
    HWND control(int id) const { return GetDlgItem(dialog_, id); }

    std::string text(int id) const;
    bool isChecked(int id) const;
    bool isEnabled(int id) const;

    // Clicks a button and returns once its command has run; false, and no
    // click, when the button is disabled, as a user could not click it.
    bool click(int id) const;
    // Clicks a button without waiting for its command, for commands that
    // open a message box.
    bool clickLater(int id) const;
    // Replaces a field's text by typing: selects all, deletes, then types
    // each character, so the field's own filters (digits only, upper case)
    // apply.
    void type(int id, const std::string& text) const;
    // Picks an entry of a drop-down list as a user does: the selection
    // changes and the dialog hears of it.
    void selectComboEntry(int id, int index) const;
    void selectListBoxEntry(int id, int index) const;
    // Clicks a tab of a tab control; false when the tab is not there.
    bool selectTab(int id, int index) const;
    int selectedTab(int id) const;
    // Turns the mouse wheel over a control by that many notches, away from
    // the user (negative: toward).
    void wheel(int id, int notches) const;

    std::vector<std::string> comboEntries(int id) const;
    int comboSelection(int id) const;
    std::vector<std::string> listBoxEntries(int id) const;
    std::vector<std::string> listViewHeaders(int id) const;
    std::vector<std::vector<std::string>> listViewRows(int id) const;
    // The text of a multi-line field split into its lines.
    std::vector<std::string> lines(int id) const;
    // Waits until a line of that field satisfies the predicate; the line.
    std::optional<std::string> waitForLine(int id, const std::function<bool(const std::string&)>& predicate,
                                           std::chrono::milliseconds timeout) const;

    RECT clientRect() const;
    // A control's rectangle in the dialog's client coordinates.
    RECT controlRect(int id) const;
    // Sets the window's outer size in pixels, as dragging its frame does.
    void resize(int widthPx, int heightPx) const;
    // Asks the window to close, as its close box does.
    void close() const;

    // A message box the dialog owns, waited for up to the time-out.
    std::optional<HWND> waitForMessageBox(std::chrono::milliseconds timeout) const;
    static MessageBoxContent readMessageBox(HWND box);
    // Presses the box's OK button and waits for the box to go.
    static bool pressOk(HWND box, std::chrono::milliseconds timeout);

private:
    HWND dialog_;
};

// Everything of a window's text, read across processes.
std::string windowText(HWND window);

}  // namespace wx::driver
