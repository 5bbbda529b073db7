// The reading of a draw archive, in-process: the reader helper's table scan through libmdb with its
// page and row checks, the wire between helper and program, the loader's dates and cells; and the
// program's own Jet reader, which lists an archive's tables and columns before an update and reads the
// program database. A damaged file must end in an error, never in a crash, a hang or a partial table.

#include "DamagedFile.h"
#include "FuzzFile.h"
#include "MdbTableReader.h"
#include "SelectQuery.h"
#include "io/ArchiveLoader.h"
#include "io/jet/ArchiveWire.h"
#include "io/jet/JetDatabase.h"
#include "io/jet/JetDate.h"
#include "io/jet/JetError.h"
#include "io/jet/ProgramPassword.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace {

void readThroughHelper(const std::string& path) {
    static const SelectQuery query = SelectQuery::parse(ArchiveQueryText);
    std::vector<MdbTableReader::Row> rows;
    try {
        rows = MdbTableReader::read(path, query);
    } catch (const std::runtime_error&) {
        return; // DamagedFile included: the whole file refused
    }
    for (const MdbTableReader::Row& row : rows) {
        // What the helper sends is what the program receives, field for field.
        const std::string line = jet::wire::rowLine(row.fields);
        const jet::wire::Line decoded =
            jet::wire::decodeLine(std::string_view(line).substr(0, line.size() - 1));
        if (decoded.fields.size() != row.fields.size())
            std::abort();
        for (std::size_t i = 0; i < row.fields.size(); ++i) {
            const jet::QueryField& sent = row.fields[i];
            const jet::QueryField& got = decoded.fields[i];
            if (sent.isNull != got.isNull || sent.isDate != got.isDate || sent.text != got.text ||
                (sent.isDate && std::memcmp(&sent.date, &got.date, sizeof sent.date) != 0))
                std::abort();
            if (got.isDate) {
                // A date out of range is the loader's JetError, which ends the load.
                try {
                    (void)jet::fromJetDate(got.date);
                } catch (const jet::JetError&) {
                    return;
                }
            } else if (!got.isNull) {
                (void)cellNumbers(got.text);
            }
        }
    }
}

std::shared_ptr<jet::JetDatabase> openOwn(const std::string& path) {
    try {
        return jet::JetDatabase::open(path, "");
    } catch (const jet::WrongPasswordError&) {
        return jet::JetDatabase::open(path, programDatabasePassword());
    }
}

void readThroughOwnReader(const std::string& path) {
    try {
        const auto database = openOwn(path);
        for (const std::string& table : database->tableNames()) {
            const std::vector<std::string> columns = database->columnNames(table);
            const auto recordset = database->openTable(table);
            try {
                recordset->setIndex("PrimaryKey");
            } catch (const jet::JetError&) {
                continue;
            }
            if (recordset->seek("PercorsoArchivio") && !columns.empty())
                for (const std::string& column : columns)
                    (void)recordset->field(column);
        }
    } catch (const jet::JetError&) {
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static FuzzFile file("Dbarcomax.mdb");
    const std::string& path = file.write(data, size);
    readThroughHelper(path);
    readThroughOwnReader(path);
    return 0;
}
