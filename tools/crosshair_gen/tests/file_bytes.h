// Reads committed files for the tests, which run from the build tree.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

inline std::vector<std::uint8_t> readFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::string repoPath(const std::string& relative) {
    return std::string(CROSSHAIR_REPO_ROOT) + "/" + relative;
}
