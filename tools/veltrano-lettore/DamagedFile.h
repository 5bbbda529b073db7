#pragma once

#include <stdexcept>
#include <string>

// The file's pages do not add up: cut short, a page zeroed or copied in, rows missing or seen twice.
// Nothing read from such a file may be used, not even the part that reads; the message says what is
// wrong, in words for the user.
class DamagedFile : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// "7.365": counts in the messages are read by a person.
std::string italianNumber(unsigned long long value);
