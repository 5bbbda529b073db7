#pragma once

#include <stdexcept>
#include <string>

namespace jet {

// Every failure of the Access file layer: the message is meant to be shown to the user as it is.
class JetError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The file is a Jet database but the password given is not the stored one.
class WrongPasswordError : public JetError {
public:
    using JetError::JetError;
};

// The file's pages do not add up (cut short, a page zeroed or copied in, rows missing or seen twice):
// nothing of it may be used, not even the part that reads. The message says what is wrong.
class DamagedArchiveError : public JetError {
public:
    using JetError::JetError;
};

} // namespace jet
