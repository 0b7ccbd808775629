// Files as bytes, for the tests of what reads and writes panel files.
#pragma once

#include <fstream>
#include <sstream>
#include <string>

namespace test_files {

inline std::string read_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A file of the source tree, by its path from the top.
inline std::string source_file(const std::string& path) {
    return read_bytes(std::string(KORVEL_SOURCE_DIR) + "/" + path);
}

}  // namespace test_files
