#include "io/LocalPath.h"

#include <QUtf8StringView>
#include <gtest/gtest.h>
#include <random>

namespace {

// Any bytes a file name can hold come back from the QString the tools carry it in, byte for byte; UTF-8
// names are the same QString as ever; the shown form is valid UTF-8 with every other byte as \xHH.
TEST(LocalPath, AnyFileNameComesBackByteForByte) {
    const struct {
        QByteArray bytes;
        QString shown;
    } names[] = {
        {"archivio\xe9.mdb", QStringLiteral("archivio\\xe9.mdb")},
        {"/tmp/\xff\xfe/Dbarcomax.mdb", QStringLiteral("/tmp/\\xff\\xfe/Dbarcomax.mdb")},
        {"citt\xc3\xa0/Dbarcomax.mdb", QStringLiteral("città/Dbarcomax.mdb")},
        {"\xed\xb2\x80", QStringLiteral("\\xed\\xb2\\x80")}, // a surrogate written as UTF-8 is not UTF-8
        {"\xf0\x9f\x8e\xb2 \x80", QStringLiteral("🎲 \\x80")},
        {"esc\x1b[2J", QStringLiteral("esc\\x1b[2J")},
        {"", QString()},
    };
    for (const auto& n : names) {
        SCOPED_TRACE(n.bytes.toHex().toStdString());
        const QString path = pathFromLocal(n.bytes);
        EXPECT_EQ(localPath(path), n.bytes);
        EXPECT_EQ(shownPath(path), n.shown);
        if (QUtf8StringView(n.bytes).isValidUtf8()) {
            EXPECT_EQ(path, QString::fromUtf8(n.bytes));
        }
    }
    std::mt19937 gen(7);
    std::uniform_int_distribution<int> byte(1, 255);
    for (int round = 0; round < 2000; ++round) {
        QByteArray bytes;
        for (int i = round % 24; i > 0; --i)
            bytes += static_cast<char>(byte(gen));
        const QString path = pathFromLocal(bytes);
        ASSERT_EQ(localPath(path), bytes) << bytes.toHex().toStdString();
        ASSERT_TRUE(QUtf8StringView(shownPath(path).toUtf8()).isValidUtf8());
    }
}

} // namespace
