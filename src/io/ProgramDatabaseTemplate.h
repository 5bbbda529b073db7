#pragma once

#include "io/jet/JetWriter.h"

#include <string>

// The program's own database as shipped: the parameter table with its two rows, the six further tables
// the program opens, and the program's password.
jet::DatabaseSpec programDatabaseTemplate(const std::string& archivePath, double creationDate);
