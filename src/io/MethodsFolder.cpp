#include "io/MethodsFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>

QString prepareMethodsFolder(const QString& filesFolder, const QString& dataFolder) {
    const QString name = QStringLiteral("metodi");
    const QString shipped = QDir(filesFolder).filePath(name);
    const QString own = QDir(dataFolder).filePath(name);
    if (QFileInfo(shipped) == QFileInfo(own) || QFileInfo(own).isDir())
        return own;
    // Made under a temporary name and renamed at the end, so that a failed copy is tried again next time.
    const QString partial = own + QStringLiteral(".parziale");
    QDir(partial).removeRecursively();
    if (!QDir().mkpath(partial))
        throw std::runtime_error(QStringLiteral("Non riesco a creare la cartella dei metodi %1").arg(own).toStdString());
    const QStringList examples = QDir(shipped).entryList({QStringLiteral("*.lua")}, QDir::Files, QDir::Name);
    for (const QString& example : examples) {
        const QString copy = QDir(partial).filePath(example);
        if (!QFile::copy(QDir(shipped).filePath(example), copy) ||
            !QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther))
            throw std::runtime_error(
                QStringLiteral("Non riesco a copiare il metodo di esempio %1 in %2").arg(example, own).toStdString());
    }
    if (!QDir().rename(partial, own))
        throw std::runtime_error(QStringLiteral("Non riesco a creare la cartella dei metodi %1").arg(own).toStdString());
    return own;
}
