#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace wx::fuzz {

// The seed folder of one target, emptied when made; each seed is a file
// named by its number, in the order added.
class SeedDir {
public:
    SeedDir(const std::filesystem::path& root, const std::string& target);

    void add(std::string_view bytes);
    size_t count() const { return count_; }
    const std::string& target() const { return target_; }

private:
    std::filesystem::path folder_;
    std::string target_;
    size_t count_ = 0;
};

}  // namespace wx::fuzz
