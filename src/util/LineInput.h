#pragma once

#include <istream>
#include <string>

namespace wx {

// Reads the next line without its line end (LF or CR LF).
inline bool readLine(std::istream& in, std::string& line) {
    if (!std::getline(in, line)) {
        return false;
    }
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    return true;
}

}  // namespace wx
