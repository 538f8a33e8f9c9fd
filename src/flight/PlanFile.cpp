#include "flight/PlanFile.h"

#include <filesystem>
#include <fstream>
#include <system_error>

#include "flight/IniPlan.h"
#include "flight/PlanText.h"
#include "flight/XmlPlan.h"
#include "util/Utf8Path.h"

namespace wx {
namespace {

PlanReadResult tooLarge() {
    return PlanReadResult::failed(
        0, "the file is larger than " + std::to_string(kPlanFileMaxBytes / (1024 * 1024)) + " MB: not a flight plan");
}

bool isUtf16(std::string_view text) {
    return text.substr(0, 2) == "\xFF\xFE" || text.substr(0, 2) == "\xFE\xFF";
}

}  // namespace

PlanReadResult readPlanText(std::string_view text) {
    if (text.size() > kPlanFileMaxBytes) {
        return tooLarge();
    }
    if (isUtf16(text)) {
        return PlanReadResult::failed(0, "the file is UTF-16 text; save the plan as UTF-8 or ANSI text");
    }
    text = withoutByteOrderMark(text);
    if (const size_t nul = text.find('\0'); nul != std::string_view::npos) {
        return PlanReadResult::failed(lineOfOffset(text, nul), "a NUL byte: a binary file, not a flight plan");
    }
    const std::string_view content = trimmed(text);
    if (content.empty()) {
        return PlanReadResult::failed(0, "the file is empty");
    }
    return content.front() == '<' ? readXmlPlan(text) : readIniPlan(text);
}

PlanReadResult readPlanFile(const std::string& path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(utf8Path(path), error);
    if (!error && size > kPlanFileMaxBytes) {
        return tooLarge();
    }
    std::ifstream in(utf8Path(path), std::ios::binary);
    if (!in) {
        return PlanReadResult::failed(0, "the file cannot be opened");
    }
    // One byte more than allowed tells a file that grew, or has no size to
    // ask for, from one that fits.
    std::string text(kPlanFileMaxBytes + 1, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (in.bad()) {
        return PlanReadResult::failed(0, "the file cannot be read");
    }
    text.resize(static_cast<size_t>(in.gcount()));
    return readPlanText(text);
}

}  // namespace wx
