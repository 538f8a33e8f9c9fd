#include "app/win32/StationTable.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>

#include "app/UiText.h"
#include "app/WeatherColours.h"
#include "app/WindowLayout.h"
#include "platform/win32/WideText.h"

namespace wx {
namespace {

// Each column's header, its narrowest width at 96 DPI, and a cell at least
// as wide as the ones it usually holds.
struct Column {
    TextId header;
    int minWidthPx;
    const char* typicalCell;
};

constexpr Column kColumns[] = {
    {TextId::ColumnStation, 55, "WWWW"},     {TextId::ColumnRole, 45, "ROUTE"},
    {TextId::ColumnCategory, 45, "LIFR"},
    {TextId::ColumnDistance, 55, "9999"},
    {TextId::ColumnAge, 55, "999 !"},        {TextId::ColumnWind, 80, "360/99"},
    {TextId::ColumnQnh, 50, "1013"},
    {TextId::ColumnVisibility, 55, "99999"}, {TextId::ColumnTemperature, 50, "-99"},
    {TextId::ColumnClouds, 55, "9"},         {TextId::ColumnTurbulence, 45, "9"},
    {TextId::ColumnIcing, 40, "9"},          {TextId::ColumnPrecipitation, 55, "SN9"},
    {TextId::ColumnUpperAir, 420, "FL050 250/45 -5C | FL100 260/50 -17C | FL180 270/60 -30C"},
};
constexpr int kColumnCount = static_cast<int>(std::size(kColumns));

// The cells of StationCells follow the identifier and the role.
constexpr int kFirstCellColumn = 2;

// Room beside a text inside a header or a cell, at 96 DPI.
constexpr int kTextPaddingPx = 16;

// The first column is read back with room for this many characters.
constexpr int kIdentifierReadChars = 15;

}  // namespace

StationTable::StationTable(HWND listView, Language language) : list_(listView), language_(language) {
    if (list_ == nullptr) {
        return;
    }
    const LPARAM extended = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT;
    SendMessageW(list_, LVM_SETEXTENDEDLISTVIEWSTYLE, extended, extended);
    for (int index = 0; index < kColumnCount; ++index) {
        std::wstring header = toWide(uiText(language, kColumns[index].header));
        LVCOLUMNW entry{};
        entry.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        entry.fmt = LVCFMT_LEFT;
        entry.cx = kColumns[index].minWidthPx;
        entry.pszText = header.data();
        entry.iSubItem = index;
        SendMessageW(list_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&entry));
    }
}

int StationTable::textWidth(const std::string& text) const {
    const std::wstring wide = toWide(text);
    return static_cast<int>(SendMessageW(list_, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(wide.c_str())));
}

void StationTable::fitColumns(unsigned dpi) {
    if (list_ == nullptr) {
        return;
    }
    const int padding = scaleToDpi(kTextPaddingPx, dpi);
    for (int index = 0; index < kColumnCount; ++index) {
        const Column& column = kColumns[index];
        const int width =
            std::max({scaleToDpi(column.minWidthPx, dpi), textWidth(uiText(language_, column.header)) + padding,
                      textWidth(column.typicalCell) + padding});
        SendMessageW(list_, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(index), MAKELPARAM(width, 0));
        lastColumnMinPx_ = width;
    }
    stretchLastColumn();
}

void StationTable::stretchLastColumn() {
    if (list_ == nullptr) {
        return;
    }
    RECT client{};
    GetClientRect(list_, &client);
    int room = client.right - client.left;
    // Leave room for the vertical scroll bar before it appears, so that
    // rows filling the table bring no horizontal one.
    if ((GetWindowLongW(list_, GWL_STYLE) & WS_VSCROLL) == 0) {
        room -= GetSystemMetrics(SM_CXVSCROLL);
    }
    for (int index = 0; index + 1 < kColumnCount; ++index) {
        room -= static_cast<int>(SendMessageW(list_, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(index), 0));
    }
    SendMessageW(list_, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(kColumnCount - 1),
                 MAKELPARAM(std::max(room, lastColumnMinPx_), 0));
}

LRESULT StationTable::customDraw(NMLVCUSTOMDRAW& draw) const {
    constexpr int kCategoryColumn = static_cast<int>(kCategoryCell) + kFirstCellColumn;
    switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
        return CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
        break;
    default:
        return CDRF_DODEFAULT;
    }
    draw.clrText = CLR_DEFAULT;
    draw.clrTextBk = CLR_DEFAULT;
    if (draw.iSubItem == kCategoryColumn) {
        wchar_t text[8] = {};
        LVITEMW item{};
        item.iSubItem = kCategoryColumn;
        item.pszText = text;
        item.cchTextMax = 8;
        SendMessageW(list_, LVM_GETITEMTEXTW, draw.nmcd.dwItemSpec, reinterpret_cast<LPARAM>(&item));
        if (const auto category = categoryNamed(fromWide(text))) {
            const Rgb tint = categoryColour(*category);
            draw.clrTextBk = RGB(tint.r, tint.g, tint.b);
            draw.clrText = RGB(255, 255, 255);
        }
    }
    return CDRF_NEWFONT;
}

void StationTable::show(const std::string& stationId, StationRole role, const StationCells& cells) {
    if (list_ == nullptr) {
        return;
    }
    int row = findRow(stationId);
    if (row < 0) {
        row = insertRow(stationId);
    }
    setCell(row, 1, stationRoleCell(role));
    for (size_t i = 0; i < cells.size(); ++i) {
        setCell(row, static_cast<int>(i) + kFirstCellColumn, cells[i]);
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
