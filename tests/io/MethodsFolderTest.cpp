#include "io/MethodsFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
void write(const QString& path, const QByteArray& text) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
}

QByteArray read(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

TEST(MethodsFolder, TheExamplesAreCopiedOnceAndThenThePlayersFolderIsLeftAlone) {
    QTemporaryDir files;
    QTemporaryDir data;
    ASSERT_TRUE(files.isValid() && data.isValid());
    const QString shipped = QDir(files.path()).filePath(QStringLiteral("metodi"));
    ASSERT_TRUE(QDir().mkpath(shipped));
    write(shipped + QStringLiteral("/a.lua"), "-- a\n");
    write(shipped + QStringLiteral("/b.lua"), "-- b\n");
    write(shipped + QStringLiteral("/leggimi.txt"), "no\n");
    QFile::setPermissions(shipped + QStringLiteral("/a.lua"), QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);

    const QString own = prepareMethodsFolder(files.path(), data.path());
    EXPECT_EQ(own, QDir(data.path()).filePath(QStringLiteral("metodi")));
    EXPECT_EQ(QDir(own).entryList(QDir::Files, QDir::Name), (QStringList{QStringLiteral("a.lua"), QStringLiteral("b.lua")}));
    EXPECT_EQ(read(own + QStringLiteral("/a.lua")), "-- a\n");
    EXPECT_TRUE(QFileInfo(own + QStringLiteral("/a.lua")).isWritable());

    // The player changes one and deletes the other: the next start keeps both choices.
    write(own + QStringLiteral("/a.lua"), "-- mio\n");
    QFile::remove(own + QStringLiteral("/b.lua"));
    EXPECT_EQ(prepareMethodsFolder(files.path(), data.path()), own);
    EXPECT_EQ(read(own + QStringLiteral("/a.lua")), "-- mio\n");
    EXPECT_FALSE(QFile::exists(own + QStringLiteral("/b.lua")));
}

TEST(MethodsFolder, WhenTheDataFolderIsTheFilesFolderTheShippedFolderIsThePlayers) {
    QTemporaryDir files;
    ASSERT_TRUE(files.isValid());
    ASSERT_TRUE(QDir().mkpath(files.path() + QStringLiteral("/metodi")));
    EXPECT_EQ(prepareMethodsFolder(files.path(), files.path()), QDir(files.path()).filePath(QStringLiteral("metodi")));
}
} // namespace
