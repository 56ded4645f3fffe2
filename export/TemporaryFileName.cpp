#include "TemporaryFileName.h"

#include <cstdint>
#include <random>

std::string TemporaryFileName(std::string_view folder) {
    static constexpr char kHexDigits[] = "0123456789abcdef";
    std::random_device source;
    std::uint64_t value = (std::uint64_t{source()} << 32) | source();
    std::string suffix(16, '0');
    for (char& digit : suffix) {
        digit = kHexDigits[value & 0xF];
        value >>= 4;
    }
    return std::string(folder) + ".nolt_f_r-" + suffix + ".tmp";
}
