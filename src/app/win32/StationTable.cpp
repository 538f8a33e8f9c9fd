#include "app/win32/StationTable.h"

#include <commctrl.h>

#include "platform/win32/WideText.h"

namespace wx {
namespace {

struct Column {
    const char* header;
    int widthPx;
};

constexpr Column kColumns[] = {
    {"ICAO", 55}, {"Дист.", 55}, {"Ветер", 80}, {"QNH", 50},    {"Вид.", 55},            {"T°C", 50},
    {"Облака", 55}, {"Турб.", 45}, {"Облед.", 40}, {"Осадки", 55}, {"Эшелоны / ветер", 420},
};

// The first column is read back with room for this many characters.
constexpr int kIdentifierReadChars = 15;

}  // namespace

StationTable::StationTable(HWND listView) : list_(listView) {
    if (list_ == nullptr) {
        return;
    }
    const LPARAM extended = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT;
    SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
    int index = 0;
    for (const Column& column : kColumns) {
        std::wstring header = toWide(column.header);
        LVCOLUMNW entry{};
        entry.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        entry.fmt = LVCFMT_LEFT;
        entry.cx = column.widthPx;
        entry.pszText = header.data();
        entry.iSubItem = index;
        SendMessageW(list_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&entry));
        ++index;
    }
}

void StationTable::show(const std::string& stationId, const StationCells& cells) {
    if (list_ == nullptr) {
        return;
    }
    int row = findRow(stationId);
    if (row < 0) {
        row = insertRow(stationId);
    }
    for (size_t i = 0; i < cells.size(); ++i) {
        setCell(row, static_cast<int>(i) + 1, cells[i]);
    }
}

int StationTable::findRow(const std::string& stationId) const {
    const auto rows = static_cast<int>(SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < rows; ++row) {
        wchar_t text[kIdentifierReadChars + 1] = {};
        LVITEMW item{};
        item.iSubItem = 0;
        item.pszText = text;
        item.cchTextMax = kIdentifierReadChars + 1;
        SendMessageW(list_, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        if (fromWide(text) == stationId) {
            return row;
        }
    }
    return -1;
}

int StationTable::insertRow(const std::string& stationId) {
    std::wstring text = toWide(stationId);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = 0;
    item.pszText = text.data();
    return static_cast<int>(SendMessageW(list_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

void StationTable::setCell(int row, int column, const std::string& text) {
    std::wstring wide = toWide(text);
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = wide.data();
    SendMessageW(list_, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

}  // namespace wx
