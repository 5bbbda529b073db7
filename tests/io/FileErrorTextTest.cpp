#include "io/FileErrorText.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <QTemporaryDir>
#include <cerrno>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Files that cannot be written, opened as the program opens them: the reason the user reads is Italian,
// where Qt's own text is the C library's English.
TEST(FileErrorText, FailedOpensAreExplainedInItalian) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    QFile plain(dir.filePath(QStringLiteral("un-file")));
    ASSERT_TRUE(plain.open(QIODevice::WriteOnly));
    plain.close();
    struct Case {
        const char* what;
        QString path;
        bool save; // QSaveFile rather than QFile
        const char* reason;
    };
    const Case cases[] = {
        {"missing folder", dir.filePath(QStringLiteral("manca/casi.csv")), false, "il file o la cartella non esiste"},
        {"missing folder, saved whole", dir.filePath(QStringLiteral("manca/casi.csv")), true,
         "il file o la cartella non esiste"},
        {"a file as folder", dir.filePath(QStringLiteral("un-file/casi.csv")), false,
         "una parte del percorso non è una cartella"},
        {"a folder as file", dir.path(), false, "è una cartella, non un file"},
    };
    for (const Case& c : cases) {
        std::unique_ptr<QFileDevice> file;
        if (c.save)
            file = std::make_unique<QSaveFile>(c.path);
        else
            file = std::make_unique<QFile>(c.path);
        errno = 0;
        ASSERT_FALSE(file->open(QIODevice::WriteOnly)) << c.what;
        const int error = errno;
        EXPECT_EQ(fileErrorText(file->error(), error), QString::fromUtf8(c.reason)) << c.what;
        EXPECT_NE(fileErrorText(file->error(), error), file->errorString()) << c.what;
    }
    // Without the system's number, Qt's kind of error still says something in Italian.
    EXPECT_EQ(fileErrorText(QFileDevice::WriteError, 0), QStringLiteral("errore di scrittura"));
    EXPECT_EQ(fileErrorText(QFileDevice::PermissionsError, 0), QStringLiteral("permesso negato"));
}

} // namespace
