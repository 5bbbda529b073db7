#include "io/jet/JetDatabase.h"

#include "io/jet/FileDatabase.h"

namespace jet {

std::shared_ptr<JetDatabase> JetDatabase::open(const std::string& path, const std::string& password) {
    return engine::FileDatabase::open(path, password);
}

} // namespace jet
