#include "ProgramFolder.h"
#include "gui/kit/ChmFile.h"

#include <QFile>
#include <QRegularExpression>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString decodePage(const QByteArray& page) {
    QStringDecoder decoder = QStringDecoder::decoderForHtml(page);
    return decoder(page);
}

QString firstHeading(const QByteArray& page) {
    static const QRegularExpression heading(QStringLiteral("<h1[^>]*>(.*?)</h1>"),
                                            QRegularExpression::CaseInsensitiveOption |
                                                QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression tag(QStringLiteral("<[^>]*>"));
    QString text = heading.match(decodePage(page)).captured(1);
    return text.remove(tag).simplified();
}

class BuiltHelpFile : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(help.open(HelpFilePath)) << HelpFilePath.toStdString(); }
    ChmFile help;
};

TEST_F(BuiltHelpFile, CarriesTitleAndContentsPage) {
    EXPECT_EQ(help.system().title, QStringLiteral("Guida di Veltrano"));
    EXPECT_EQ(help.defaultTopic(), QStringLiteral("/index.htm"));
    EXPECT_EQ(firstHeading(help.read(help.defaultTopic())), QStringLiteral("Guida di Veltrano"));
}

TEST_F(BuiltHelpFile, ContextsOfTheWindowsOpenTheirTopics) {
    const std::pair<int, QString> expected[] = {
        {180, QStringLiteral("Finestra iniziale")},
        {190, QStringLiteral("Finestra principale")},
        {195, QStringLiteral("Aggiornare l'archivio")},
        {200, QStringLiteral("Mini elenco estrazioni")},
        {210, QStringLiteral("Metodo Veltrano: ambo uguale su due ruote")},
        {230, QStringLiteral("Collaudo del metodo")},
        {240, QStringLiteral("Ritardi e frequenze")},
    };
    for (const auto& [context, heading] : expected) {
        const QString topic = help.topicForContext(context);
        ASSERT_FALSE(topic.isEmpty()) << context;
        EXPECT_TRUE(help.contains(topic)) << context;
        EXPECT_EQ(firstHeading(help.read(topic)), heading) << context;
    }
}

TEST_F(BuiltHelpFile, InformationPageShowsTheProjectVersionAndIsInTheContents) {
    const QString page = decodePage(help.read(QStringLiteral("/informazioni.htm")));
    EXPECT_EQ(firstHeading(help.read(QStringLiteral("/informazioni.htm"))),
              QStringLiteral("Informazioni su Veltrano"));
    EXPECT_TRUE(page.contains(QStringLiteral("<b>Versione " VELTRANO_VERSION "</b>"))) << page.toStdString();
    bool listed = false;
    for (const ChmContentsEntry& entry : help.contents())
        listed = listed || entry.local.endsWith(QStringLiteral("informazioni.htm"));
    EXPECT_TRUE(listed);
}

TEST_F(BuiltHelpFile, TheContextTableComesFromTheFileItself) {
    // The windows' contexts, the update's report and the language of the player's methods, and nothing
    // else: a table read from somewhere else would differ.
    EXPECT_EQ(help.contextMap().keys(), (QList<quint32>{180, 190, 195, 200, 210, 230, 240, 250, 260}));
}

TEST_F(BuiltHelpFile, UnknownContextsHaveNoTopic) {
    EXPECT_TRUE(help.topicForContext(0).isEmpty());
    EXPECT_TRUE(help.topicForContext(185).isEmpty());
    EXPECT_TRUE(help.topicForContext(-1).isEmpty());
}

TEST_F(BuiltHelpFile, EveryLinkAndPictureOfEveryPageIsInTheFile) {
    static const QRegularExpression reference(QStringLiteral(R"((?:href|src)\s*=\s*"([^"#]+)(?:#[^"]*)?")"),
                                              QRegularExpression::CaseInsensitiveOption);
    int pages = 0;
    int references = 0;
    for (const QString& path : help.objectPaths()) {
        if (!path.endsWith(QLatin1String(".htm")))
            continue;
        ++pages;
        const QString folder = path.left(path.lastIndexOf(QLatin1Char('/')) + 1);
        for (auto it = reference.globalMatch(decodePage(help.read(path))); it.hasNext();) {
            const QString target = it.next().captured(1);
            ++references;
            EXPECT_TRUE(help.contains(folder + target))
                << path.toStdString() << " -> " << target.toStdString();
            EXPECT_FALSE(help.read(folder + target).isEmpty()) << target.toStdString();
        }
    }
    EXPECT_GE(pages, 7);
    EXPECT_GT(references, 30);
}

TEST_F(BuiltHelpFile, TopicListPointsAtPagesOfTheFile) {
    const auto entries = help.contents();
    ASSERT_GE(entries.size(), 5u);
    bool nested = false;
    for (const ChmContentsEntry& entry : entries) {
        EXPECT_FALSE(help.resolve(entry.local).isEmpty()) << entry.local.toStdString();
        nested = nested || entry.depth > 0;
    }
    EXPECT_TRUE(nested);
}

// F1 never opens a page the reader could not find again in the contents.
TEST_F(BuiltHelpFile, EveryTopicAContextOpensIsListedInTheContents) {
    QStringList listed;
    for (const ChmContentsEntry& entry : help.contents())
        listed << help.resolve(entry.local);
    for (const quint32 context : help.contextMap().keys())
        EXPECT_TRUE(listed.contains(help.topicForContext(static_cast<int>(context))))
            << context << " " << help.topicForContext(static_cast<int>(context)).toStdString();
}

TEST_F(BuiltHelpFile, ReadingAnAbsentObjectGivesNothing) {
    EXPECT_FALSE(help.contains(QStringLiteral("/non-esiste.htm")));
    EXPECT_TRUE(help.read(QStringLiteral("/non-esiste.htm")).isEmpty());
}

TEST(HelpFileOpening, RefusesMissingAndForeignFiles) {
    ChmFile help;
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    EXPECT_FALSE(help.open(folder.filePath(QStringLiteral("HelpVeltrano.chm"))));
    EXPECT_FALSE(help.isOpen());

    QFile foreign(folder.filePath(QStringLiteral("falso.chm")));
    ASSERT_TRUE(foreign.open(QIODevice::WriteOnly));
    foreign.write(QByteArray("ITSF") + QByteArray(200, '\x7f'));
    foreign.close();
    EXPECT_FALSE(help.open(foreign.fileName()));
    EXPECT_TRUE(help.topicForContext(180).isEmpty());
    EXPECT_TRUE(help.read(QStringLiteral("/index.htm")).isEmpty());
}

TEST(HelpFileOpening, ReopeningAnotherFileForgetsTheFirst) {
    ChmFile help(HelpFilePath);
    ASSERT_TRUE(help.isOpen());
    ASSERT_FALSE(help.topicForContext(180).isEmpty());
    EXPECT_FALSE(help.open(QStringLiteral("/nessuna/cartella/x.chm")));
    EXPECT_TRUE(help.topicForContext(180).isEmpty());
    EXPECT_TRUE(help.system().title.isEmpty());
}

} // namespace
