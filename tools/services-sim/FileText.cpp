#include "FileText.h"

#include <fstream>
#include <sstream>

namespace wx::sim {

std::optional<std::string> readFileText(const std::filesystem::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    std::ostringstream text;
    if (file.peek() != std::ifstream::traits_type::eof() && !(text << file.rdbuf())) {
        return std::nullopt;
    }
    return text.str();
}

}  // namespace wx::sim
