#pragma once

#include <string>

namespace jet {

// What page 0 of an Access file says about itself.
struct JetHeaderInfo {
    int version = 0;         // 0 Jet 3, 1 Jet 4, 2.. later Access formats
    double creationDate = 0; // Jet date (days since 1899-12-30)
    std::string password;    // UTF-8, empty when the database has none
    unsigned pageEncodingKey = 0;
    int codePage = 0; // of single-byte text, 1252 in Western files
};

// Reads and decodes page 0. Throws JetError when the file cannot be read or is not a Jet 3/4 database.
JetHeaderInfo readJetHeader(const std::string& path);

// The check the engine makes when a database is opened with a password: a database without a
// password opens whatever password is given; otherwise the two must match exactly (case-sensitive).
// Throws JetError (not a database, unreadable) or WrongPasswordError.
void checkDatabasePassword(const std::string& path, const std::string& password);

} // namespace jet
