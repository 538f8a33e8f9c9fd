#include "SigmetFixture.h"

#include <utility>

#include "FileText.h"

namespace wx::sim {
namespace {

using nlohmann::ordered_json;
using std::chrono::seconds;

// A time member moved by `shift`: numbers as numbers, text of the
// service's form as such text; anything else is left as it is.
void moveTime(ordered_json& row, const char* key, seconds shift) {
    const auto it = row.find(key);
    if (it == row.end()) {
        return;
    }
    if (it->is_number_integer()) {
        *it = it->get<int64_t>() + shift.count();
    } else if (it->is_number()) {
        *it = it->get<double>() + static_cast<double>(shift.count());
    } else if (it->is_string()) {
        if (const auto time = parseUtcTime(it->get_ref<const std::string&>())) {
            *it = formatUtcTime(*time + shift);
        }
    }
}

}  // namespace

std::optional<SigmetFixture> SigmetFixture::load(const std::string& path, std::optional<UtcMillis> captured,
                                                 std::string& error) {
    const std::optional<std::string> text = readFileText(path);
    ordered_json rows = text ? ordered_json::parse(*text, nullptr, false) : ordered_json();
    if (!rows.is_array()) {
        error = path + " is not a JSON array";
        return std::nullopt;
    }
    return SigmetFixture(*text, std::move(rows), captured);
}

SigmetFixture::SigmetFixture(std::string text, ordered_json rows, std::optional<UtcMillis> captured)
    : text_(std::move(text)), rows_(std::move(rows)), captured_(captured) {}

std::string SigmetFixture::jsonAnswer(std::chrono::system_clock::time_point now) const {
    if (!captured_) {
        return text_;
    }
    const seconds shift = std::chrono::floor<seconds>(now) - std::chrono::floor<seconds>(*captured_);
    ordered_json rows = rows_;
    for (ordered_json& row : rows) {
        if (!row.is_object()) {
            continue;
        }
        for (const char* key : {"receiptTime", "validTimeFrom", "validTimeTo"}) {
            moveTime(row, key, shift);
        }
    }
    return rows.dump();
}

std::string SigmetFixture::rawAnswer() const {
    std::string raw;
    for (const ordered_json& row : rows_) {
        const auto text = row.is_object() ? row.find("rawSigmet") : row.end();
        if (text != row.end() && text->is_string()) {
            raw += text->get<std::string>() + "\n\n";
        }
    }
    return raw;
}

}  // namespace wx::sim
