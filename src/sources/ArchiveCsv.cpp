#include "sources/ArchiveCsv.h"

namespace wx {

std::vector<std::string> completeLines(const std::string& body) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end = body.find('\n'); end != std::string::npos; end = body.find('\n', start)) {
        std::string line = body.substr(start, end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

std::vector<std::string> csvFields(const std::string& line) {
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted && c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
            fields.back() += '"';
            ++i;
        } else if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

std::optional<UtcMillis> archiveTime(const std::string& text) {
    if (text.size() != 16 || text[10] != ' ') {
        return std::nullopt;
    }
    return parseUtcTime(text.substr(0, 10) + "T" + text.substr(11) + "Z");
}

std::vector<std::string> listItems(const std::string& text) {
    std::vector<std::string> items;
    std::string item;
    for (const char c : text + ",") {
        if (c == ',') {
            if (!item.empty()) {
                items.push_back(item);
            }
            item.clear();
        } else if (c != '[' && c != ']' && c != '{' && c != '}' && c != '\'' && c != '"' && c != ' ') {
            item += c;
        }
    }
    return items;
}

}  // namespace wx
