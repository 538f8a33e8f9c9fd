#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>

#include "util/Utf8Path.h"

namespace wx::test {

// A fresh folder under the system's temporary folder, removed with all it
// holds when the object goes. Paths are UTF-8, as the program passes them.
class ScratchDir {
public:
    // Inside the folder `base` (UTF-8), or without one the temporary folder.
    explicit ScratchDir(const std::string& baseFolder = {}) {
        const auto base = baseFolder.empty() ? std::filesystem::temp_directory_path() : utf8Path(baseFolder);
        std::random_device random;
        for (int attempt = 0; attempt < 100; ++attempt) {
            const auto candidate = base / ("nubiro-test-" + std::to_string(random()) + std::to_string(random()));
            if (std::filesystem::create_directory(candidate)) {
                root_ = candidate;
                return;
            }
        }
        throw std::runtime_error("cannot create a scratch folder");
    }
    ~ScratchDir() {
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    std::string path() const { return utf8String(root_); }
    // The path of name (UTF-8, may hold folders separated by '/') inside the
    // scratch folder, with the platform's separators.
    std::string path(const std::string& name) const { return utf8String(root_ / utf8Path(name).make_preferred()); }

    // Writes content (bytes as given) to name, making its folders, and
    // returns the file's path.
    std::string write(const std::string& name, const std::string& content) const {
        const auto file = utf8Path(path(name));
        std::filesystem::create_directories(file.parent_path());
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out << content;
        if (!out.flush()) {
            throw std::runtime_error("cannot write " + utf8String(file));
        }
        return utf8String(file);
    }

private:
    std::filesystem::path root_;
};

// The whole content of a file; empty when it cannot be read.
inline std::string readFile(const std::string& path) {
    std::ifstream in(utf8Path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace wx::test
