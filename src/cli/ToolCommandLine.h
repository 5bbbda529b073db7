#pragma once

#include <QString>
#include <QStringList>
#include <initializer_list>

class QCommandLineOption;
class QCommandLineParser;

// The command line's arguments after the program's name, file names kept byte for byte even when they
// are not UTF-8 (io/LocalPath.h).
QStringList toolArguments(int argc, char** argv);

// An option that takes a value, as the tools name them: --name value.
QCommandLineOption valuedOption(const char* name, const char* valueName);

// Checks every tool makes after a parse. Each returns an Italian error text, empty when good.

// An option given more than once.
QString repeatedOptionError(const QCommandLineParser& parser,
                            std::initializer_list<const QCommandLineOption*> options);
// --primi K, the rows a listing is cut to (0, every row, to 1,000,000), into `out` when given.
QString readPrimiOption(const QCommandLineParser& parser, const QCommandLineOption& option, int& out);
// The one archive the command line names, into `path`.
QString readArchiveArgument(const QCommandLineParser& parser, QString& path);
