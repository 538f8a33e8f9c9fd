#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "app/StationCells.h"
#include "app/UiLanguage.h"

namespace wx {

// The station table: a report-style list view (owned by the dialog) with
// one row per station reported since the program started, the newest
// station on top, each row updated in place when its station is reported
// again. Each row's flight category is tinted in its colour.
class StationTable {
public:
    StationTable() = default;
    // Sets grid lines, full-row selection and the fourteen columns with their
    // headers in that language.
    StationTable(HWND listView, Language language);

    explicit operator bool() const { return list_ != nullptr; }
    // Fills the station's row (its role, then the cells), inserting it at
    // the top when it is new.
    void show(const std::string& stationId, StationRole role, const StationCells& cells);

    // Makes every column wide enough for its header and a typical cell in
    // the table's current font, and at least its width scaled to dpi; then
    // stretches the last column.
    void fitColumns(unsigned dpi);
    // Widens the last column over the room the others leave, never below
    // the width fitColumns gave it.
    void stretchLastColumn();

    // The table's custom drawing: the category cell in its category's
    // colour, in white; every other cell as the table draws it.
    LRESULT customDraw(NMLVCUSTOMDRAW& draw) const;

private:
    int findRow(const std::string& stationId) const;
    int insertRow(const std::string& stationId);
    void setCell(int row, int column, const std::string& text);
    int textWidth(const std::string& text) const;

    HWND list_ = nullptr;
    Language language_ = Language::English;
    int lastColumnMinPx_ = 0;
};

}  // namespace wx
