#include "DamagedFile.h"

std::string italianNumber(unsigned long long value) {
    std::string digits = std::to_string(value);
    for (std::size_t at = digits.size(); at > 3; at -= 3)
        digits.insert(at - 3, 1, '.');
    return digits;
}
