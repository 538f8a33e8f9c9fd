#include "DialogDriver.h"

#include <commctrl.h>

#include <cstdlib>
#include <thread>

#include "RemoteMemory.h"
#include "platform/win32/WideText.h"

namespace wx::driver {
namespace {

constexpr UINT kSendTimeoutMs = 10000;
constexpr auto kPollInterval = std::chrono::milliseconds(50);
// Room for one list view cell or header read from another process.
constexpr size_t kCellChars = 512;

LRESULT send(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kSendTimeoutMs, &result);
    return static_cast<LRESULT>(result);
}

// The messages that read a combo box's or a list box's entries.
struct EntryMessages {
    UINT count;
    UINT length;
    UINT text;
};

std::vector<std::string> listEntries(HWND list, const EntryMessages& messages) {
    std::vector<std::string> entries;
    const auto count = send(list, messages.count, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring entry(static_cast<size_t>(send(list, messages.length, static_cast<WPARAM>(i), 0)) + 1, L'\0');
        send(list, messages.text, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(entry.data()));
        entries.push_back(fromWide(entry.c_str()));
    }
    return entries;
}

// One list view cell's or header's text, read through memory in the
// window's process: the request (an LVITEMW or LVCOLUMNW with what it asks
// for filled in) gets the text buffer that follows it there.
template <typename Request>
std::string remoteCellText(RemoteMemory& memory, HWND list, UINT message, WPARAM which, Request request) {
    request.pszText = memory.textAddress(sizeof request);
    request.cchTextMax = kCellChars;
    memory.writeRequest(&request, sizeof request);
    send(list, message, which, memory.lParam());
    return memory.readText(sizeof request, kCellChars);
}

std::string className(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return fromWide(name);
}

template <typename Predicate>
std::optional<HWND> findTopLevel(const Predicate& predicate) {
    struct Search {
        const Predicate* predicate;
        HWND found;
    } search{&predicate, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto* s = reinterpret_cast<Search*>(data);
            if ((*s->predicate)(window)) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found != nullptr ? std::optional<HWND>(search.found) : std::nullopt;
}

template <typename Find>
auto waitFor(const Find& find, std::chrono::milliseconds timeout) -> decltype(find()) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (true) {
        if (auto found = find()) {
            return found;
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            return {};
        }
        std::this_thread::sleep_for(kPollInterval);
    }
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

}  // namespace

std::string windowText(HWND window) {
    const auto length = static_cast<size_t>(send(window, WM_GETTEXTLENGTH, 0, 0));
    std::wstring text(length + 1, L'\0');
    const auto copied = static_cast<size_t>(
        send(window, WM_GETTEXT, static_cast<WPARAM>(text.size()), reinterpret_cast<LPARAM>(text.data())));
    text.resize(std::min(copied, length));
    return fromWide(text);
}

std::optional<DialogDriver> DialogDriver::find(DWORD processId, const std::string& caption, int controlId,
                                               std::chrono::milliseconds timeout) {
    const auto found = waitFor(
        [&] {
            return findTopLevel([&](HWND window) {
                DWORD owner = 0;
                GetWindowThreadProcessId(window, &owner);
                return (processId == 0 || owner == processId) && IsWindowVisible(window) != 0 && className(window) == "#32770" &&
                       GetDlgItem(window, controlId) != nullptr && windowText(window) == caption;
            });
        },
        timeout);
    return found ? std::optional<DialogDriver>(DialogDriver(*found)) : std::nullopt;
}

std::string DialogDriver::text(int id) const { return windowText(control(id)); }

bool DialogDriver::isChecked(int id) const { return send(control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

bool DialogDriver::isEnabled(int id) const { return IsWindowEnabled(control(id)) != 0; }

bool DialogDriver::click(int id) const {
    if (!isEnabled(id)) {
        return false;
    }
    send(control(id), BM_CLICK, 0, 0);
    return true;
}

bool DialogDriver::clickLater(int id) const {
    return isEnabled(id) && PostMessageW(control(id), BM_CLICK, 0, 0) != 0;
}

// Into an edit field, or the edit field of an editable combo box.
void DialogDriver::type(int id, const std::string& text) const {
    const HWND comboEdit = FindWindowExW(control(id), nullptr, L"Edit", nullptr);
    const HWND field = comboEdit != nullptr ? comboEdit : control(id);
    send(field, EM_SETSEL, 0, -1);
    send(field, WM_CHAR, VK_BACK, 1);
    for (const wchar_t c : toWide(text)) {
        send(field, WM_CHAR, c, 1);
    }
}

void DialogDriver::selectComboEntry(int id, int index) const {
    send(control(id), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    send(dialog_, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(control(id)));
}

void DialogDriver::selectListBoxEntry(int id, int index) const {
    send(control(id), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    send(dialog_, WM_COMMAND, MAKEWPARAM(id, LBN_SELCHANGE), reinterpret_cast<LPARAM>(control(id)));
}

bool DialogDriver::selectTab(int id, int index) const {
    const HWND tabs = control(id);
    RemoteMemory memory(tabs, sizeof(RECT));
    RECT item{};
    if (!memory || send(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index), memory.lParam()) == 0 ||
        !memory.read(&item, sizeof item)) {
        return false;
    }
    const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    send(tabs, WM_LBUTTONDOWN, MK_LBUTTON, at);
    send(tabs, WM_LBUTTONUP, 0, at);
    return selectedTab(id) == index;
}

void DialogDriver::wheel(int id, int notches) const {
    for (int notch = 0; notch < std::abs(notches); ++notch) {
        send(control(id), WM_MOUSEWHEEL, MAKEWPARAM(0, notches > 0 ? WHEEL_DELTA : -WHEEL_DELTA), 0);
    }
}

int DialogDriver::selectedTab(int id) const { return static_cast<int>(send(control(id), TCM_GETCURSEL, 0, 0)); }

std::vector<std::string> DialogDriver::comboEntries(int id) const {
    return listEntries(control(id), {CB_GETCOUNT, CB_GETLBTEXTLEN, CB_GETLBTEXT});
}

int DialogDriver::comboSelection(int id) const { return static_cast<int>(send(control(id), CB_GETCURSEL, 0, 0)); }

std::vector<std::string> DialogDriver::listBoxEntries(int id) const {
    return listEntries(control(id), {LB_GETCOUNT, LB_GETTEXTLEN, LB_GETTEXT});
}

std::vector<std::string> DialogDriver::listViewHeaders(int id) const {
    const HWND list = control(id);
    const auto header = reinterpret_cast<HWND>(send(list, LVM_GETHEADER, 0, 0));
    const auto count = static_cast<int>(send(header, HDM_GETITEMCOUNT, 0, 0));
    RemoteMemory memory(list, sizeof(LVCOLUMNW) + kCellChars * sizeof(wchar_t));
    std::vector<std::string> headers;
    for (int column = 0; column < count && memory; ++column) {
        LVCOLUMNW request{};
        request.mask = LVCF_TEXT;
        headers.push_back(remoteCellText(memory, list, LVM_GETCOLUMNW, static_cast<WPARAM>(column), request));
    }
    return headers;
}

std::vector<std::vector<std::string>> DialogDriver::listViewRows(int id) const {
    const HWND list = control(id);
    const auto header = reinterpret_cast<HWND>(send(list, LVM_GETHEADER, 0, 0));
    const auto columns = static_cast<int>(send(header, HDM_GETITEMCOUNT, 0, 0));
    const auto rows = static_cast<int>(send(list, LVM_GETITEMCOUNT, 0, 0));
    RemoteMemory memory(list, sizeof(LVITEMW) + kCellChars * sizeof(wchar_t));
    std::vector<std::vector<std::string>> table;
    for (int row = 0; row < rows && memory; ++row) {
        std::vector<std::string> cells;
        for (int column = 0; column < columns; ++column) {
            LVITEMW request{};
            request.iSubItem = column;
            cells.push_back(remoteCellText(memory, list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), request));
        }
        table.push_back(std::move(cells));
    }
    return table;
}

std::vector<std::string> DialogDriver::lines(int id) const { return splitLines(text(id)); }

std::optional<std::string> DialogDriver::waitForLine(int id, const std::function<bool(const std::string&)>& predicate,
                                                     std::chrono::milliseconds timeout) const {
    return waitFor(
        [&]() -> std::optional<std::string> {
            for (const std::string& line : lines(id)) {
                if (predicate(line)) {
                    return line;
                }
            }
            return std::nullopt;
        },
        timeout);
}

RECT DialogDriver::clientRect() const {
    RECT rect{};
    GetClientRect(dialog_, &rect);
    return rect;
}

RECT DialogDriver::controlRect(int id) const {
    RECT rect{};
    GetWindowRect(control(id), &rect);
    MapWindowPoints(HWND_DESKTOP, dialog_, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void DialogDriver::resize(int widthPx, int heightPx) const {
    SetWindowPos(dialog_, nullptr, 0, 0, widthPx, heightPx, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void DialogDriver::close() const { PostMessageW(dialog_, WM_CLOSE, 0, 0); }

std::optional<HWND> DialogDriver::waitForMessageBox(std::chrono::milliseconds timeout) const {
    return waitFor(
        [&] {
            return findTopLevel([&](HWND window) {
                return GetWindow(window, GW_OWNER) == dialog_ && IsWindowVisible(window) != 0 &&
                       className(window) == "#32770";
            });
        },
        timeout);
}

MessageBoxContent DialogDriver::readMessageBox(HWND box) {
    MessageBoxContent content{windowText(box), {}};
    for (HWND child = GetWindow(box, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
        if (className(child) == "Static") {
            std::string text = windowText(child);
            if (!text.empty()) {
                content.text = std::move(text);
                break;
            }
        }
    }
    return content;
}

bool DialogDriver::pressOk(HWND box, std::chrono::milliseconds timeout) {
    PostMessageW(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
    return waitFor([&] { return IsWindow(box) == 0; }, timeout);
}

}  // namespace wx::driver
