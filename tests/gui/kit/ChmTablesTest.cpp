#include "gui/kit/ChmTables.h"

#include <QSet>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

void appendWord(QByteArray& bytes, quint32 value) {
    char raw[4];
    qToLittleEndian(value, raw);
    bytes.append(raw, 4);
}

void appendSystemEntry(QByteArray& bytes, quint16 code, const QByteArray& text) {
    char raw[2];
    qToLittleEndian<quint16>(code, raw);
    bytes.append(raw, 2);
    qToLittleEndian<quint16>(quint16(text.size() + 1), raw);
    bytes.append(raw, 2);
    bytes.append(text);
    bytes.append('\0');
}

QByteArray contextPairs(std::initializer_list<std::pair<quint32, quint32>> pairs) {
    QByteArray ivb;
    appendWord(ivb, quint32(pairs.size() * 8));
    for (const auto& [context, offset] : pairs) {
        appendWord(ivb, context);
        appendWord(ivb, offset);
    }
    return ivb;
}

const QByteArray strings = QByteArray("\0/build/help/inizio.htm\0principale.htm\0", 40);

TEST(ChmContextMap, PairsContextsWithTheirTargets) {
    const auto map = parseChmContextMap(contextPairs({{180, 1}, {190, 24}}), strings);
    ASSERT_EQ(map.size(), 2);
    EXPECT_EQ(map.value(180), QStringLiteral("/build/help/inizio.htm"));
    EXPECT_EQ(map.value(190), QStringLiteral("principale.htm"));
}

TEST(ChmContextMap, SkipsOffsetsOutsideTheStringsAndEmptyTargets) {
    const auto map = parseChmContextMap(contextPairs({{180, 1}, {200, 4000}, {210, 0}}), strings);
    EXPECT_EQ(map.keys(), QList<quint32>{180});
}

TEST(ChmContextMap, IgnoresADeclaredSizeLargerThanTheData) {
    QByteArray ivb = contextPairs({{180, 1}, {190, 24}});
    qToLittleEndian<quint32>(4000, ivb.data());
    ivb.chop(3); // the second pair is cut short
    const auto map = parseChmContextMap(ivb, strings);
    EXPECT_EQ(map.keys(), QList<quint32>{180});
}

TEST(ChmContextMap, EmptyOrTinyTablesGiveNothing) {
    EXPECT_TRUE(parseChmContextMap({}, strings).isEmpty());
    EXPECT_TRUE(parseChmContextMap(QByteArray("\x08\x00", 2), strings).isEmpty());
    EXPECT_TRUE(parseChmContextMap(contextPairs({{180, 1}}), {}).isEmpty());
}

TEST(ChmContextMap, TargetWithoutTerminatorEndsAtTheEndOfTheStrings) {
    const QByteArray unterminated("\0last.htm", 9);
    EXPECT_EQ(parseChmContextMap(contextPairs({{7, 1}}), unterminated).value(7), QStringLiteral("last.htm"));
}

TEST(ChmSystem, ReadsContentsFileDefaultTopicAndTitle) {
    QByteArray system;
    appendWord(system, 3);
    appendSystemEntry(system, 9, "compiler");
    appendSystemEntry(system, 2, "index.htm");
    appendSystemEntry(system, 3, "Guida di prova");
    appendSystemEntry(system, 0, "sommario.hhc");
    const ChmSystemInfo info = parseChmSystem(system);
    EXPECT_EQ(info.defaultTopic, QStringLiteral("index.htm"));
    EXPECT_EQ(info.title, QStringLiteral("Guida di prova"));
    EXPECT_EQ(info.contentsFile, QStringLiteral("sommario.hhc"));
}

TEST(ChmSystem, StopsAtAnEntryLongerThanTheFile) {
    QByteArray system;
    appendWord(system, 3);
    appendSystemEntry(system, 3, "Titolo");
    appendSystemEntry(system, 2, "index.htm");
    system.chop(4); // the default topic entry now claims more than is left
    const ChmSystemInfo info = parseChmSystem(system);
    EXPECT_EQ(info.title, QStringLiteral("Titolo"));
    EXPECT_TRUE(info.defaultTopic.isEmpty());
}

TEST(ChmSystem, DecodesUtf8AndFallsBackToLatin1) {
    QByteArray utf8;
    appendWord(utf8, 3);
    appendSystemEntry(utf8, 3, QStringLiteral("Città").toUtf8());
    EXPECT_EQ(parseChmSystem(utf8).title, QStringLiteral("Città"));

    QByteArray latin1;
    appendWord(latin1, 3);
    appendSystemEntry(latin1, 3, QStringLiteral("Città").toLatin1());
    EXPECT_EQ(parseChmSystem(latin1).title, QStringLiteral("Città"));
}

TEST(ChmContents, ReadsNamesPagesAndNesting) {
    const QByteArray sitemap = R"(<HTML><BODY><UL>
  <LI><OBJECT type="text/sitemap"><param name="Name" value="Primo"><param name="Local" value="a.htm"></OBJECT>
  <UL>
    <LI><OBJECT type="text/sitemap"><PARAM NAME="Local" VALUE="b.htm#due"><PARAM NAME="Name" VALUE="Sotto &amp; sopra"></OBJECT>
  </UL>
  <LI><object type="text/sitemap"><param name="Name" value="Capitolo"></object>
</UL></BODY></HTML>)";
    const auto entries = parseChmContents(sitemap);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].name, QStringLiteral("Primo"));
    EXPECT_EQ(entries[0].local, QStringLiteral("a.htm"));
    EXPECT_EQ(entries[0].depth, 0);
    EXPECT_EQ(entries[1].name, QStringLiteral("Sotto & sopra"));
    EXPECT_EQ(entries[1].local, QStringLiteral("b.htm#due"));
    EXPECT_EQ(entries[1].depth, 1);
    EXPECT_EQ(entries[2].name, QStringLiteral("Capitolo"));
    EXPECT_TRUE(entries[2].local.isEmpty());
    EXPECT_EQ(entries[2].depth, 0);
}

TEST(ChmContents, UnbalancedListsDoNotGiveNegativeDepths) {
    const QByteArray sitemap =
        R"(</UL></UL><OBJECT type="text/sitemap"><param name="Name" value="X"></OBJECT>)";
    const auto entries = parseChmContents(sitemap);
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_EQ(entries[0].depth, 0);
}

class ChmObjectPath : public ::testing::Test {
protected:
    QSet<QString> objects = {QStringLiteral("/inizio.htm"), QStringLiteral("/img/help.png")};
    QString resolve(const QString& target) {
        return resolveChmObjectPath(target, [this](const QString& path) { return objects.contains(path); });
    }
};

TEST_F(ChmObjectPath, KeepsPathsThatExist) {
    EXPECT_EQ(resolve(QStringLiteral("/inizio.htm")), QStringLiteral("/inizio.htm"));
    EXPECT_EQ(resolve(QStringLiteral("inizio.htm")), QStringLiteral("/inizio.htm"));
}

TEST_F(ChmObjectPath, DropsTheBuildMachinesFolders) {
    EXPECT_EQ(resolve(QStringLiteral("/work/build/help/chm/inizio.htm")), QStringLiteral("/inizio.htm"));
    EXPECT_EQ(resolve(QStringLiteral("C:\\progetti\\guida\\img\\help.png")), QStringLiteral("/img/help.png"));
}

TEST_F(ChmObjectPath, UnderstandsHelpFileAddresses) {
    EXPECT_EQ(resolve(QStringLiteral("ms-its:HelpVeltrano.chm::/inizio.htm")), QStringLiteral("/inizio.htm"));
}

TEST_F(ChmObjectPath, UnknownTargetsGiveNothing) {
    EXPECT_TRUE(resolve(QStringLiteral("/work/help/altro.htm")).isEmpty());
    EXPECT_TRUE(resolve(QString()).isEmpty());
}

} // namespace
