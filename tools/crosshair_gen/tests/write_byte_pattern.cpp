// Writes bytePattern() to the file named on the command line.
#include "byte_pattern.h"

#include <fstream>

int main(int argc, char** argv) {
    if (argc != 2)
        return 2;
    const std::vector<std::uint8_t> bytes = bytePattern();
    std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    return out ? 0 : 1;
}
