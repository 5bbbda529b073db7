#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace jet {

class TableRecordset;

// A Jet 4 database opened by the program itself (no libmdb): used for the program's own database,
// which it reads through table-type recordsets and changes in place.
class JetDatabase : public std::enable_shared_from_this<JetDatabase> {
public:
    // Throws JetError (missing, unreadable, not a Jet database) or WrongPasswordError.
    static std::shared_ptr<JetDatabase> open(const std::string& path, const std::string& password);
    virtual ~JetDatabase() = default;

    // Throws JetError naming the table when it does not exist.
    virtual std::unique_ptr<TableRecordset> openTable(const std::string& name) = 0;
    virtual std::vector<std::string> tableNames() const = 0;
    // The table's columns in their stored order. Throws JetError when the table does not exist.
    virtual std::vector<std::string> columnNames(const std::string& table) const = 0;
    virtual const std::string& path() const = 0;
};

// A table-type recordset: index selection, seek, field read, edit and update of the current row.
class TableRecordset {
public:
    virtual ~TableRecordset() = default;

    // Throws JetError when the table has no index of that name.
    virtual void setIndex(const std::string& indexName) = 0;
    // Finds the first row whose index key equals key, compared without regard to case.
    // Returns false (NoMatch) when there is none; the current row is then undefined.
    virtual bool seek(const std::string& key) = 0;
    virtual bool noMatch() const = 0;
    // Value of a column of the current row as text; std::nullopt for NULL. Throws JetError when
    // there is no current row or no such column.
    virtual std::optional<std::string> field(const std::string& column) const = 0;

    virtual void edit() = 0;
    // Only Text columns can be set. The value is checked against the column's length on update.
    virtual void setField(const std::string& column, const std::optional<std::string>& value) = 0;
    // Writes the edited row into the file crash-safely (changed copy beside the file, flushed, renamed
    // over it) and refreshes every recordset open on the same database. Throws JetError and leaves the
    // file unchanged when the value does not fit.
    virtual void update() = 0;
};

} // namespace jet
