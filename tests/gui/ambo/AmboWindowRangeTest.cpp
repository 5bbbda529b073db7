#include "AmboWindowFixture.h"

namespace {

class AmboWindowRangeLoad : public AmboWindowTest {};
class AmboWindowRangeBars : public AmboWindowTest {};
class AmboWindowRangeButtons : public AmboWindowTest {};

TEST_F(AmboWindowRangeLoad, LabelsShowIndexDateAndNumberInTheMonth) {
    build.emptyDraws(802); // 02/01/2020 .. 13/03/2022, one a day
    for (int day = 1; day <= 9; ++day)
        build.draw({}, QStringLiteral("%1/12/2022").arg(day, 2, 10, QLatin1Char('0')));
    build.draw({}, QStringLiteral("22/12/2022"));
    open();
    EXPECT_EQ(label("LabelFine"), "812 22/12/2022 PM:10");
    EXPECT_EQ(label("LabelInizio"), "312 08/11/2020 PM:8");
    EXPECT_EQ(bar("HsFine")->value(), 812);
    EXPECT_EQ(bar("HsInizio")->value(), 312);
    EXPECT_EQ(window->state().IndiceInizio, 312);
    EXPECT_EQ(window->state().IndiceFine, 812);
    for (const char* name : {"HsInizio", "HsFine"}) {
        EXPECT_EQ(bar(name)->minimum(), 1) << name;
        EXPECT_EQ(bar(name)->maximum(), 812) << name;
        EXPECT_EQ(bar(name)->singleStep(), 1) << name;
        EXPECT_EQ(bar(name)->pageStep(), 25) << name;
    }
}

TEST_F(AmboWindowRangeLoad, FiveHundredDrawsOrFewerStartAtTheFirst) {
    palette.SettaValoriBase();
    for (int count : {300, 500, 501, 1}) {
        auto small = std::make_unique<DrawArchive>();
        ArchiveBuilder smallBuild(*small);
        smallBuild.emptyDraws(count);
        smallBuild.finish();
        AmboOltreFrm w(*small, palette, prompts, help, frame);
        EXPECT_EQ(w.state().IndiceInizio, 1) << count;
        EXPECT_EQ(w.state().IndiceFine, count) << count;
        EXPECT_EQ(w.LabelInizio->text(), "1 02/01/2020 PM:1") << count;
        EXPECT_TRUE(w.LabelFine->text().startsWith(QString::number(count) + QLatin1Char(' '))) << count;
        EXPECT_EQ(w.HsInizio->value(), 1) << count;
        EXPECT_EQ(w.HsFine->value(), count) << count;
    }
}

TEST_F(AmboWindowRangeLoad, FiveHundredAndTwoDrawsStartAtTheSecond) {
    build.emptyDraws(502);
    open();
    EXPECT_EQ(window->state().IndiceInizio, 2);
    EXPECT_EQ(label("LabelInizio"), "2 03/01/2020 PM:2");
}

TEST_F(AmboWindowRangeBars, StartPushedPastTheEndDragsTheEnd) {
    build.emptyDraws(600);
    open();
    bar("HsInizio")->triggerAction(QAbstractSlider::SliderToMaximum); // the slider dragged to the end
    EXPECT_EQ(window->state().IndiceInizio, 600);
    EXPECT_EQ(window->state().IndiceFine, 600);
    EXPECT_EQ(label("LabelInizio"), label("LabelFine"));
    EXPECT_TRUE(label("LabelFine").startsWith(QStringLiteral("600 ")));
    EXPECT_EQ(bar("HsFine")->value(), 600);
}

TEST_F(AmboWindowRangeBars, EndPushedBelowTheStartDragsTheStart) {
    build.emptyDraws(600);
    open();
    clickBar("HsFine", QStyle::SC_ScrollBarSubPage);
    EXPECT_EQ(window->state().IndiceFine, 575);
    EXPECT_EQ(window->state().IndiceInizio, 100);
    bar("HsFine")->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(window->state().IndiceFine, 1);
    EXPECT_EQ(window->state().IndiceInizio, 1);
    EXPECT_EQ(bar("HsInizio")->value(), 1);
    EXPECT_EQ(label("LabelInizio"), "1 02/01/2020 PM:1");
    EXPECT_EQ(label("LabelFine"), "1 02/01/2020 PM:1");
}

TEST_F(AmboWindowRangeBars, ArrowsAndTrackMoveOneBoundOnly) {
    build.emptyDraws(600);
    open();
    clickBar("HsInizio", QStyle::SC_ScrollBarAddLine);
    EXPECT_EQ(window->state().IndiceInizio, 101);
    EXPECT_EQ(label("LabelInizio"), "101 11/04/2020 PM:11");
    clickBar("HsInizio", QStyle::SC_ScrollBarAddPage);
    EXPECT_EQ(window->state().IndiceInizio, 126);
    clickBar("HsInizio", QStyle::SC_ScrollBarSubLine);
    EXPECT_EQ(window->state().IndiceInizio, 125);
    EXPECT_EQ(window->state().IndiceFine, 600);
}

TEST_F(AmboWindowRangeBars, StartArrowPastTheEndPushesTheEndOn) {
    build.emptyDraws(600);
    open();
    prompts.answerInput(QStringLiteral("300"));
    press("Command8");
    prompts.answerInput(QStringLiteral("300"));
    press("Command61");
    ASSERT_EQ(window->state().IndiceInizio, 300);
    ASSERT_EQ(window->state().IndiceFine, 300);
    clickBar("HsInizio", QStyle::SC_ScrollBarAddLine);
    EXPECT_EQ(window->state().IndiceInizio, 301);
    EXPECT_EQ(window->state().IndiceFine, 301);
    EXPECT_TRUE(label("LabelFine").startsWith(QStringLiteral("301 ")));
}

TEST_F(AmboWindowRangeButtons, FirstAndLastDrawButtons) {
    build.emptyDraws(600);
    open();
    press("Command4");
    EXPECT_EQ(window->state().IndiceInizio, 1);
    EXPECT_EQ(label("LabelInizio"), "1 02/01/2020 PM:1");
    EXPECT_EQ(window->state().IndiceFine, 600);

    clickBar("HsFine", QStyle::SC_ScrollBarSubPage);
    ASSERT_EQ(window->state().IndiceFine, 575);
    press("Command9");
    EXPECT_EQ(window->state().IndiceFine, 600);
    EXPECT_EQ(bar("HsFine")->value(), 600);
    EXPECT_TRUE(label("LabelFine").startsWith(QStringLiteral("600 ")));
    EXPECT_EQ(window->state().IndiceInizio, 1);

    // Already there: nothing moves.
    press("Command9");
    press("Command4");
    EXPECT_EQ(window->state().IndiceInizio, 1);
    EXPECT_EQ(window->state().IndiceFine, 600);
    EXPECT_TRUE(prompts.shown().empty());
}

TEST_F(AmboWindowRangeButtons, EndDateOfTheOldestDrawBringsTheStartAlong) {
    build.emptyDraws(600);
    open();
    prompts.answerInput(QStringLiteral("02/01/2020"));
    press("Command10");
    ASSERT_EQ(prompts.shown().size(), 1u);
    EXPECT_EQ(prompts.shown()[0].kind, ShownBox::Input);
    EXPECT_EQ(prompts.shown()[0].text, "Data ?");
    EXPECT_TRUE(prompts.shown()[0].title.isEmpty());
    EXPECT_EQ(window->state().IndiceFine, 1);
    EXPECT_EQ(window->state().IndiceInizio, 1);
    EXPECT_EQ(label("LabelFine"), "1 02/01/2020 PM:1");
}

TEST_F(AmboWindowRangeButtons, DateSearchesFindTheFirstDrawOfTheDate) {
    build.emptyDraws(10);
    build.draw({}, QStringLiteral("20/01/2020"));
    build.draw({}, QStringLiteral("20/01/2020"));
    build.emptyDraws(10);
    open();
    prompts.answerInput(QStringLiteral("20/01/2020"));
    press("Command62");
    EXPECT_EQ(window->state().IndiceInizio, 11);
    EXPECT_EQ(label("LabelInizio"), "11 20/01/2020 PM:11");
    prompts.answerInput(QStringLiteral("04/01/2020"));
    press("Command10");
    EXPECT_EQ(window->state().IndiceFine, 3);
    EXPECT_EQ(window->state().IndiceInizio, 3);
    EXPECT_TRUE(prompts.messages().empty());
}

TEST_F(AmboWindowRangeButtons, StartDateNotFoundMovesTheStartToTheFirstDraw) {
    build.emptyDraws(600);
    open();
    const QString endLabel = label("LabelFine");
    prompts.answerInput(QStringLiteral("31/02/2020"));
    press("Command62");
    ASSERT_EQ(prompts.messages().size(), 1u);
    EXPECT_EQ(prompts.messages()[0].text, "Data non trovata");
    EXPECT_EQ(prompts.messages()[0].title, "Cerca data");
    EXPECT_EQ(prompts.messages()[0].icon, MessageIcon::Information);
    EXPECT_EQ(window->state().IndiceInizio, 1);
    EXPECT_EQ(label("LabelInizio"), "1 02/01/2020 PM:1");
    EXPECT_EQ(window->state().IndiceFine, 600);
    EXPECT_EQ(label("LabelFine"), endLabel);
}

TEST_F(AmboWindowRangeButtons, EndDateNotFoundMovesNothing) {
    build.emptyDraws(600);
    open();
    const QString startLabel = label("LabelInizio");
    const QString endLabel = label("LabelFine");
    prompts.answerInput(QStringLiteral("2/1/2020")); // not the stored form of the first date
    press("Command10");
    ASSERT_EQ(prompts.messages().size(), 1u);
    EXPECT_EQ(prompts.messages()[0].text, "Data non trovata");
    EXPECT_EQ(label("LabelInizio"), startLabel);
    EXPECT_EQ(label("LabelFine"), endLabel);
    EXPECT_EQ(window->state().IndiceFine, 600);
    EXPECT_EQ(window->state().IndiceInizio, 100);
}

TEST_F(AmboWindowRangeButtons, IndexOutsideTheArchiveOrNoNumberMovesNothing) {
    build.emptyDraws(600);
    open();
    for (const char* button : {"Command61", "Command8"}) {
        for (const QString& typed : {QStringLiteral("0"), QStringLiteral("601"), QStringLiteral("abc"),
                                     QStringLiteral("70000"), QString()}) {
            prompts.clear();
            prompts.answerInput(typed);
            press(button);
            ASSERT_EQ(prompts.shown().size(), 1u) << button;
            EXPECT_EQ(prompts.shown()[0].text, "Inserire il n° indice dell'archivio modello.");
            EXPECT_EQ(prompts.shown()[0].title, "Scelta estrazione");
            EXPECT_EQ(window->state().IndiceInizio, 100) << button << " " << typed.toStdString();
            EXPECT_EQ(window->state().IndiceFine, 600) << button << " " << typed.toStdString();
        }
    }
}

TEST_F(AmboWindowRangeButtons, IndexChoicesSetTheirBound) {
    build.emptyDraws(600);
    open();
    prompts.answerInput(QStringLiteral("250"));
    press("Command61");
    EXPECT_EQ(window->state().IndiceInizio, 250);
    EXPECT_EQ(label("LabelInizio"), "250 07/09/2020 PM:7");
    prompts.answerInput(QStringLiteral("400"));
    press("Command8");
    EXPECT_EQ(window->state().IndiceFine, 400);
    // A start above the end brings the end along.
    prompts.answerInput(QStringLiteral("450"));
    press("Command61");
    EXPECT_EQ(window->state().IndiceInizio, 450);
    EXPECT_EQ(window->state().IndiceFine, 450);
    EXPECT_EQ(label("LabelInizio"), label("LabelFine"));
}

TEST_F(AmboWindowRangeButtons, DateBeforeTheModelArchiveIsFound) {
    build.emptyDraws(40);
    open(20);
    prompts.answerInput(QStringLiteral("05/01/2020"));
    press("Command62");
    EXPECT_EQ(window->state().IndiceInizio, 4);
    EXPECT_TRUE(prompts.messages().empty());
}

} // namespace
