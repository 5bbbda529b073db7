#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <initializer_list>
#include <optional>
#include <utility>

// The tables the tools print: tsv and csv line by line, json objects, and the --formato option that
// chooses among them. Decimals with the point, UTF-8.

enum class TableFormat { Tsv, Csv, Json };

// The value of --formato among the formats a tool offers. Returns an Italian error text naming them
// ("--formato vuole tsv o csv: \"xml\""), empty when the value is good.
QString readFormatOption(const QString& value, std::initializer_list<TableFormat> offered,
                         TableFormat& format);

// One line of a tsv or csv table: the fields separated by tabs, or by commas with each field quoted
// where it needs it (io/CsvField.h), then a line break.
QString tableLine(const QStringList& fields, TableFormat format);

// Json values: a string with its escapes, a number as the shortest text that reads back as the same
// double (null when absent), and an object of "key": value members in the order given.
QString jsonString(const QString& text);
QString jsonNumber(double value);
QString jsonNumber(const std::optional<double>& value);
using JsonMembers = QList<std::pair<const char*, QString>>;
QString jsonObject(const JsonMembers& members);

// A line and an object appended to `out`: a table of tens of thousands of rows is written into one text,
// without a text of its own for every line and field.
void appendTableLine(QString& out, const QStringList& fields, TableFormat format);
void appendJsonObject(QString& out, const JsonMembers& members);
