#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace wx::sim {

// A file's whole content as bytes; nothing when it cannot be opened or read.
std::optional<std::string> readFileText(const std::filesystem::path& path);

}  // namespace wx::sim
