#include "gui/kit/HelpViewer.h"

#include "ProgramFolder.h"
#include "gui/kit/HelpBrowser.h"
#include "gui/kit/QtHelpService.h"

#include <QAction>
#include <QImage>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

QString shownText(const HelpViewer& viewer) {
    return viewer.browser()->toPlainText();
}

// Every picture of the page shown, as the browser loads it.
std::vector<QImage> picturesOf(HelpBrowser* browser) {
    std::vector<QImage> pictures;
    for (QTextBlock block = browser->document()->begin(); block.isValid(); block = block.next())
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            if (!format.isImageFormat())
                continue;
            const QUrl url = browser->source().resolved(QUrl(format.toImageFormat().name()));
            const QVariant data = browser->loadResource(QTextDocument::ImageResource, url);
            pictures.push_back(QImage::fromData(data.toByteArray()));
        }
    return pictures;
}

class HelpViewerWindow : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(viewer.openHelpFile(HelpFilePath)); }
    QAction* action(const char* name) { return viewer.findChild<QAction*>(QLatin1String(name)); }
    HelpViewer viewer;
};

TEST_F(HelpViewerWindow, ShowsTheTopicOfAContext) {
    viewer.showContext(200);
    EXPECT_EQ(viewer.currentTopic(), QStringLiteral("/minielenco.htm"));
    EXPECT_TRUE(shownText(viewer).contains(QStringLiteral("Mini elenco estrazioni")));
    EXPECT_TRUE(shownText(viewer).contains(QStringLiteral("Resetta colorazione")));
    EXPECT_EQ(viewer.windowTitle(), QStringLiteral("Guida di Veltrano"));
}

TEST_F(HelpViewerWindow, UnknownContextShowsTheContentsPage) {
    viewer.showContext(4242);
    EXPECT_EQ(viewer.currentTopic(), QStringLiteral("/index.htm"));
    EXPECT_TRUE(shownText(viewer).contains(QStringLiteral("Argomenti")));
}

TEST_F(HelpViewerWindow, PicturesOfAPageLoadFromTheHelpFile) {
    viewer.showContext(190);
    const auto pictures = picturesOf(viewer.browser());
    ASSERT_EQ(pictures.size(), 8u); // the eight icon buttons of the main window
    for (const QImage& picture : pictures) {
        EXPECT_FALSE(picture.isNull());
        EXPECT_EQ(picture.size(), QSize(24, 24));
    }
}

TEST_F(HelpViewerWindow, StyleSheetOfThePagesIsApplied) {
    viewer.showContext(180);
    // The heading colour comes only from the style sheet inside the help file.
    const QTextBlock heading = viewer.browser()->document()->begin();
    EXPECT_EQ(heading.charFormat().foreground().color(), QColor(0xd6, 0x28, 0x28));
}

TEST_F(HelpViewerWindow, BackAndForwardRetraceThePagesSeen) {
    QAction* back = action("HelpBack");
    QAction* forward = action("HelpForward");
    ASSERT_TRUE(back && forward);
    viewer.showContext(180);
    EXPECT_FALSE(back->isEnabled());
    viewer.showContext(210);
    ASSERT_TRUE(back->isEnabled());
    back->trigger();
    EXPECT_EQ(viewer.currentTopic(), QStringLiteral("/inizio.htm"));
    ASSERT_TRUE(forward->isEnabled());
    forward->trigger();
    EXPECT_EQ(viewer.currentTopic(), QStringLiteral("/ambo.htm"));
    action("HelpContents")->trigger();
    EXPECT_EQ(viewer.currentTopic(), QStringLiteral("/index.htm"));
}

TEST_F(HelpViewerWindow, ClickingATopicInTheListOpensIt) {
    viewer.show();
    auto* topics = viewer.findChild<QTreeWidget*>(QStringLiteral("HelpTopics"));
    ASSERT_TRUE(topics);
    const auto found =
        topics->findItems(QStringLiteral("Verifica degli esiti"), Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_EQ(found.size(), 1);
    EXPECT_TRUE(found.front()->parent()); // listed under the ambo window's topic
    const QRect place = topics->visualItemRect(found.front());
    QTest::mouseClick(topics->viewport(), Qt::LeftButton, {}, place.center());
    EXPECT_EQ(viewer.currentTopic(), QStringLiteral("/ambo-esiti.htm"));
    EXPECT_TRUE(shownText(viewer).contains(QStringLiteral("In gioco")));
}

TEST_F(HelpViewerWindow, TopicListFollowsThePageShown) {
    auto* topics = viewer.findChild<QTreeWidget*>(QStringLiteral("HelpTopics"));
    ASSERT_TRUE(topics);
    viewer.showContext(190);
    ASSERT_TRUE(topics->currentItem());
    EXPECT_EQ(topics->currentItem()->text(0), QStringLiteral("Finestra principale"));
}

TEST_F(HelpViewerWindow, FollowingALinkStaysInsideTheHelpFile) {
    viewer.showContext(180);
    viewer.browser()->setSource(viewer.browser()->source().resolved(QUrl(QStringLiteral("principale.htm"))));
    EXPECT_EQ(viewer.currentTopic(), QStringLiteral("/principale.htm"));
    EXPECT_TRUE(shownText(viewer).contains(QStringLiteral("archivio modello")));
}

TEST_F(HelpViewerWindow, APageMissingFromTheFileSaysSo) {
    viewer.showTopic(QStringLiteral("/non-esiste.htm"));
    EXPECT_TRUE(shownText(viewer).contains(QStringLiteral("Argomento non trovato")));
}

TEST(HelpViewerWithoutFile, SaysTheHelpIsMissing) {
    HelpViewer viewer;
    EXPECT_FALSE(viewer.openHelpFile(QStringLiteral("/nessuna/cartella/HelpVeltrano.chm")));
    viewer.showContext(180); // must not crash
    EXPECT_TRUE(shownText(viewer).contains(QStringLiteral("Impossibile aprire il file della guida")));
    EXPECT_TRUE(shownText(viewer).contains(QStringLiteral("/nessuna/cartella/HelpVeltrano.chm")));
}

TEST(QtHelpServiceWindow, OpensTheViewerAtTheContextAndReusesIt) {
    QtHelpService help(HelpFilePath);
    EXPECT_EQ(help.viewer(), nullptr);
    help.showHelp(180);
    HelpViewer* first = help.viewer();
    ASSERT_TRUE(first);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->currentTopic(), QStringLiteral("/inizio.htm"));
    EXPECT_TRUE(shownText(*first).contains(QStringLiteral("SELEZIONE ARCHIVIO")));

    first->close();
    help.showHelp(190);
    EXPECT_EQ(help.viewer(), first);
    EXPECT_TRUE(first->isVisible());
    EXPECT_EQ(first->currentTopic(), QStringLiteral("/principale.htm"));
}

TEST(QtHelpServiceWindow, MissingHelpFileStillOpensAWindowThatExplains) {
    QtHelpService help(QStringLiteral("/nessuna/cartella/HelpVeltrano.chm"));
    help.showHelp(210);
    ASSERT_TRUE(help.viewer());
    EXPECT_TRUE(help.viewer()->isVisible());
    EXPECT_TRUE(shownText(*help.viewer()).contains(QStringLiteral("Impossibile aprire")));
}

} // namespace
