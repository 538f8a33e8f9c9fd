#include "SeedDir.h"

#include <cstdio>
#include <fstream>
#include <stdexcept>

namespace wx::fuzz {

SeedDir::SeedDir(const std::filesystem::path& root, const std::string& target)
    : folder_(root / target), target_(target) {
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
}

void SeedDir::add(std::string_view bytes) {
    char name[32];
    std::snprintf(name, sizeof name, "seed-%05zu", ++count_);
    std::ofstream out(folder_ / name, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush()) {
        throw std::runtime_error("cannot write " + (folder_ / name).string());
    }
}

}  // namespace wx::fuzz
