#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace jet {

enum class ColumnType { Text, Long, DateTime };

struct ColumnSpec {
    std::string name;
    ColumnType type = ColumnType::Text;
    int textLength = 255; // characters, 1..255, Text only
};

struct JetNull {
    bool operator==(const JetNull&) const = default;
};

// One cell: NULL, text (UTF-8), a LONG, or a DATETIME as a Jet date (see JetDate.h).
struct JetDateValue {
    double days = 0;
    bool operator==(const JetDateValue&) const = default;
};
using Value = std::variant<JetNull, std::string, std::int32_t, JetDateValue>;

struct TableSpec {
    std::string name;
    std::vector<ColumnSpec> columns;
    // Name of a Text column that becomes the primary key, index "PrimaryKey" (unique, case-insensitive).
    std::optional<std::string> primaryKey;
    std::vector<std::vector<Value>> rows;
};

struct DatabaseSpec {
    std::string password; // empty: no password
    double creationDate = 0;
    std::vector<TableSpec> tables;
};

// Writes a new Jet 4 ("Access 2000") database. The file appears whole or not at all: it is written
// beside the target, flushed, then renamed over it. Throws JetError on any refusal (bad spec, key the
// index cannot encode, duplicate key, value too long) or I/O failure; nothing is left behind then.
void writeJetDatabase(const std::string& path, const DatabaseSpec& spec);

} // namespace jet
