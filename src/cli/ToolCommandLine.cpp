#include "cli/ToolCommandLine.h"

#include "cli/MethodOptionValues.h"
#include "io/LocalPath.h"

#include <QCommandLineParser>

QStringList toolArguments(int argc, char** argv) {
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << pathFromLocal(QByteArray(argv[i]));
    return arguments;
}

QCommandLineOption valuedOption(const char* name, const char* valueName) {
    return QCommandLineOption(QLatin1String(name), {}, QLatin1String(valueName));
}

QString repeatedOptionError(const QCommandLineParser& parser,
                            std::initializer_list<const QCommandLineOption*> options) {
    for (const QCommandLineOption* option : options)
        if (parser.values(*option).size() > 1)
            return QStringLiteral("--%1 indicata più volte").arg(option->names().first());
    return {};
}

QString readPrimiOption(const QCommandLineParser& parser, const QCommandLineOption& option, int& out) {
    if (!parser.isSet(option))
        return {};
    return readBoundedOption(QStringLiteral("primi"), parser.value(option), 0, 1000000, out);
}

QString readArchiveArgument(const QCommandLineParser& parser, QString& path) {
    const QStringList positional = parser.positionalArguments();
    if (positional.size() != 1)
        return positional.isEmpty() ? QStringLiteral("manca l'archivio delle estrazioni")
                                    : QStringLiteral("un solo archivio, non %1").arg(positional.size());
    path = positional.first();
    return {};
}
