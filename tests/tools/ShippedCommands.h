#pragma once

#include <QFile>
#include <QStringList>

// The commands the package puts in /usr/bin, from the one list the build and the package check read.
inline QStringList shippedCommands() {
    QFile list(QStringLiteral(VELTRANO_SOURCE_DIR "/packaging/commands.txt"));
    QStringList commands;
    if (!list.open(QIODevice::ReadOnly | QIODevice::Text))
        return commands;
    for (const QString& line : QString::fromUtf8(list.readAll()).split(QLatin1Char('\n'))) {
        const QString command = line.trimmed();
        if (!command.isEmpty() && !command.startsWith(QLatin1Char('#')))
            commands << command;
    }
    return commands;
}
