// Files the tests write: a folder of this process's own in the temporary folder, gone when the
// owner goes, and a whole file's text read back.
#pragma once

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <system_error>

#include <unistd.h>

namespace wh::testing {

struct ScratchFolder {
    std::filesystem::path dir;
    explicit ScratchFolder(const std::string& prefix)
        : dir(std::filesystem::temp_directory_path() / (prefix + "-" + std::to_string(getpid()))) {
        std::filesystem::create_directories(dir);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(dir, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
};

inline std::string fileText(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace wh::testing
