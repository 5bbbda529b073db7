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

} // namespace jet
