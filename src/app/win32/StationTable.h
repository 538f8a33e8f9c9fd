#pragma once

#include <windows.h>

#include <string>

#include "app/StationCells.h"

namespace wx {

// The station table: a report-style list view (owned by the dialog) with
// one row per station reported since the program started, the newest
// station on top, each row updated in place when its station is reported
// again.
class StationTable {
public:
    StationTable() = default;
    // Sets grid lines, full-row selection and the eleven columns.
    explicit StationTable(HWND listView);

    explicit operator bool() const { return list_ != nullptr; }
    // Fills the station's row, inserting it at the top when it is new.
    void show(const std::string& stationId, const StationCells& cells);

private:
    int findRow(const std::string& stationId) const;
    int insertRow(const std::string& stationId);
    void setCell(int row, int column, const std::string& text);

    HWND list_ = nullptr;
};

}  // namespace wx
