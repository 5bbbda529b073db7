#pragma once

#include <string>

// The password of the program's own database (DbVeltrano.mdb). The database tool and the program
// both ask this function, so the two always agree.
std::string programDatabasePassword();
