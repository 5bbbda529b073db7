#include "gui/kit/DrawSearch.h"

#include "BrowserFixture.h"
#include "ItalianLocale.h"
#include "ScriptedServices.h"

#include <QLocale>
#include <gtest/gtest.h>

namespace {

using DateSearch = ItalianLocale;
using IndexChoice = ItalianLocale;

TEST_F(DateSearch, ShowsTheDatePromptWithTheCallersTitleAndFindsTheDraw) {
    BrowserArchive a;
    ScriptedPrompts prompts;
    prompts.answerInput("05/03/2022");
    const auto found =
        searchDrawByDate(prompts, a.archive, "Ricerca per data GG/MM/AAAA", DateSearchScope::ModelArchive);
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(*found, a.indexOfDate.at("05/03/2022"));
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].kind, ShownBox::Input);
    EXPECT_EQ(prompts.shown()[0].text, "Data ?");
    EXPECT_EQ(prompts.shown()[0].title, "Ricerca per data GG/MM/AAAA");
}

TEST_F(DateSearch, UnknownDateShowsDataNonTrovata) {
    BrowserArchive a;
    for (const QString typed : {"04/03/2022", "5/3/2022", " 05/03/2022", "05/03/2022 ", "2022-03-05", ""}) {
        ScriptedPrompts prompts;
        prompts.answerInput(typed);
        EXPECT_FALSE(searchDrawByDate(prompts, a.archive, QString(), DateSearchScope::WholeArchive))
            << typed.toStdString();
        const auto messages = prompts.messages();
        ASSERT_EQ(messages.size(), 1u) << typed.toStdString();
        EXPECT_EQ(messages[0].text, "Data non trovata");
        EXPECT_EQ(messages[0].title, "Cerca data");
        EXPECT_EQ(messages[0].icon, MessageIcon::Information);
    }
}

TEST_F(DateSearch, ModelArchiveScopeMissesDrawsBeforeTheModelStartWholeArchiveFindsThem) {
    BrowserArchive a(30);
    const QString early = "10/01/2022";
    ASSERT_LT(a.indexOfDate.at(early), 30);
    ScriptedPrompts model;
    model.answerInput(early);
    EXPECT_FALSE(searchDrawByDate(model, a.archive, "t", DateSearchScope::ModelArchive));
    EXPECT_EQ(model.messages().size(), 1u);

    ScriptedPrompts whole;
    whole.answerInput(early);
    EXPECT_EQ(searchDrawByDate(whole, a.archive, "", DateSearchScope::WholeArchive), a.indexOfDate.at(early));
    EXPECT_TRUE(whole.messages().empty());

    ScriptedPrompts inside;
    inside.answerInput("15/02/2022");
    EXPECT_EQ(searchDrawByDate(inside, a.archive, "t", DateSearchScope::ModelArchive),
              a.indexOfDate.at("15/02/2022"));
}

TEST_F(DateSearch, TheFirstEqualDateWins) {
    BrowserArchive a;
    a.archive.storeDate(41, "03/03/2022"); // two draws on one day
    ScriptedPrompts prompts;
    prompts.answerInput("03/03/2022");
    EXPECT_EQ(searchDrawByDate(prompts, a.archive, "", DateSearchScope::WholeArchive), 40);
    prompts.answerInput("03/03/2022");
    EXPECT_EQ(searchDrawByDate(prompts, a.archive, "", DateSearchScope::ModelArchive), 40);
}

TEST_F(DateSearch, CancelledSearchMatchesTheEmptySlotWhenTheModelStartsAtZero) {
    BrowserArchive a(0);
    ScriptedPrompts prompts; // no answer: the box is cancelled
    EXPECT_EQ(searchDrawByDate(prompts, a.archive, "t", DateSearchScope::ModelArchive), 0);
    EXPECT_TRUE(prompts.messages().empty());
    // The whole archive starts at draw 1: the empty text matches nothing there.
    EXPECT_FALSE(searchDrawByDate(prompts, a.archive, "t", DateSearchScope::WholeArchive));
    EXPECT_EQ(prompts.messages().size(), 1u);
}

TEST_F(IndexChoice, ShowsItsPromptAndAcceptsIndicesFromOneToTheLastDraw) {
    BrowserArchive a;
    ScriptedPrompts prompts;
    prompts.answerInput("1");
    prompts.answerInput("42");
    EXPECT_EQ(chooseDrawIndex(prompts, a.archive), 1);
    EXPECT_EQ(chooseDrawIndex(prompts, a.archive), BrowserArchive::LastDraw);
    ASSERT_EQ(prompts.shown().size(), 2u);
    EXPECT_EQ(prompts.shown()[0].text, "Inserire il n° indice dell'archivio modello.");
    EXPECT_EQ(prompts.shown()[0].title, "Scelta estrazione");
    EXPECT_TRUE(prompts.messages().empty());
}

TEST_F(IndexChoice, RefusesEverythingElseSilently) {
    BrowserArchive a;
    for (const QString typed : {"0", "-3", "43", "abc", "", "12abc", "40000", "-40000", "1e9"}) {
        ScriptedPrompts prompts;
        prompts.answerInput(typed);
        EXPECT_FALSE(chooseDrawIndex(prompts, a.archive)) << typed.toStdString();
        EXPECT_TRUE(prompts.messages().empty()) << typed.toStdString();
    }
}

TEST_F(IndexChoice, ReadsTheLocalesDecimalCommaAndRoundsHalvesToEven) {
    EXPECT_EQ(typedWholeNumber("2,5"), 2);
    EXPECT_EQ(typedWholeNumber("3,5"), 4);
    EXPECT_EQ(typedWholeNumber("7,49"), 7);
    EXPECT_EQ(typedWholeNumber("-2,5"), -2);
    EXPECT_EQ(typedWholeNumber("32767"), 32767);
    EXPECT_EQ(typedWholeNumber("-32768"), -32768);
    EXPECT_FALSE(typedWholeNumber("32767,5")); // rounds to 32768, past 16 bits
    EXPECT_FALSE(typedWholeNumber("2.5.1"));
    BrowserArchive a;
    ScriptedPrompts prompts;
    prompts.answerInput("2,5");
    prompts.answerInput("3,5");
    EXPECT_EQ(chooseDrawIndex(prompts, a.archive), 2);
    EXPECT_EQ(chooseDrawIndex(prompts, a.archive), 4);
}

} // namespace
