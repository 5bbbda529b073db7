#include "AmboFixture.h"
#include "ToolOnWindow.h"
#include "cli/AnalysisOptions.h"
#include "cli/AnalysisReport.h"
#include "core/Collaudo.h"

// The ambo window's pipeline (grids, state, controls) beside the code of the tools on plain data: the
// same analysis gives the same cases, outcomes and summary.

namespace {

class AnalisiOutputAgainstWindow : public AmboFixture {
protected:
    static QStringList visibleTexts(const GridModel& g, int row) {
        QStringList out;
        for (int c = 0; c < g.cols(); ++c)
            if (!g.isColHidden(c))
                out << g.text(row, c);
        return out;
    }
};

TEST_F(AnalisiOutputAgainstWindow, MatchesTheGridsOfTheSameAnalysisInTheWindow) {
    build.randomDraws(600, 21);
    open();
    // The window, set by hand as a user would.
    setRange(state, 350, 420);
    deselectAllWheels(FgR);
    for (int w : {BA, CA, FI, MI, NA, RO, TO, NZ})
        FgR.setBackColour(0, w, AmboState::ColoreRuota);
    Fgp.setBackColour(0, 3, AmboState::Bianco);
    typesOnly({1, 3, 5});
    controls.ComboC = "12";
    controls.Ch_Intervallo = 1;
    outcomeBoxes(1, 0, 1, 0);
    elaboraClick();
    ASSERT_GT(caseRows(), 5);

    QString report;
    const AnalysisParse p =
        parseAnalysisOptions({"--inizio", "350", "--fine", "420", "--ruote", "BA,CA,FI,MI,NA,RO,TO,NZ",
                              "--posizioni", "1,2,3,5", "--tipi", "adiacenti,gemelle,cfrz", "--colpi", "12",
                              "--intervallo", "--esiti", "ambata,quartina", "x.mdb"});
    ASSERT_TRUE(p.error.isEmpty());
    ASSERT_TRUE(runAnalysis(p.options, archive(), report).isEmpty());

    const QStringList lines = report.split('\n');
    ASSERT_EQ(lines.size(), 1 + caseRows() + 1 + 8 + 1); // the text ends with a newline
    QStringList header;
    for (const QString& h : visibleTexts(Fg1, 0))
        header << h.trimmed();
    EXPECT_EQ(lines[0], header.join('\t') + "\tEsito");
    for (int r = 1; r <= caseRows(); ++r) {
        QStringList expected = visibleTexts(Fg1, r);
        const GridModel::Colour c = Fg1.backColour(r, 0);
        expected << (c == EsitoPositivo ? "positivo" : c == palette.PaletteOrange ? "in gioco" : "negativo");
        EXPECT_EQ(lines[r], expected.join('\t')) << r;
    }
    EXPECT_TRUE(lines[caseRows() + 1].isEmpty());
    for (int s = 1; s <= 8; ++s) {
        const QStringList fields = lines[caseRows() + 1 + s].split('\t');
        ASSERT_EQ(fields.size(), 3);
        EXPECT_EQ(fields[0], FgS.text(s, 0));
        EXPECT_EQ(fields[1], FgS.text(s, 1));
        if (s == 1 || s == 8)
            EXPECT_TRUE(fields[2].isEmpty());
        else
            EXPECT_EQ(fields[2], QString::number(FgS.floodPercent(s, 1), 'f', 1));
    }
    EXPECT_TRUE(lines.last().isEmpty());
}

// The back-test and veltrano-analisi --intervallo on the same range, below the 1000-case cap: the same
// cases in the same order, with the same outcome and colpo.
struct AgreementCase {
    const char* name;
    QStringList options;
};

class AgreesWithTheAmboWindow : public ::testing::TestWithParam<AgreementCase> {};

TEST_P(AgreesWithTheAmboWindow, SameCasesAndOutcomes) {
    DrawArchive archive;
    ArchiveBuilder build(archive);
    build.randomDraws(120, 5);
    // Wheels missing in some draws, as in the real history's early years.
    for (int d = 1; d <= 40; ++d)
        for (int p = 1; p <= PositionCount; ++p)
            archive.storeNumber(static_cast<std::int16_t>(d), d % 3 == 0 ? NZ : GE, p, 0);
    build.finish();

    const QStringList common{"--inizio", "20", "--fine", "110", "--intervallo"};
    const AnalysisParse parsed = parseAnalysisOptions(common + GetParam().options + QStringList{"x.mdb"});
    ASSERT_TRUE(parsed.error.isEmpty()) << parsed.error.toStdString();
    const AnalysisOptions& o = parsed.options;
    AmboWorkbench work;
    ASSERT_TRUE(prepareWindowAsTool(o, archive, work.grids, work.state, work.controls).isEmpty());
    elabora(work.controls, work.grids, work.state, archive, work.palette, {});

    CollaudoSettings s;
    s.wheels = o.ruote;
    s.positions = o.posizioni;
    s.types = o.tipi;
    s.adjacentPositions = o.posizioniAdiacenti;
    s.colpi = o.colpi;
    s.boxes = {o.ambata, o.treAmbi, o.quartina, o.tutte};
    s.first = 20;
    s.last = 110;
    const CollaudoResult r = runCollaudo(s, archive);

    const GridModel& g = work.Fg1;
    ASSERT_GT(r.casi.size(), 10u);
    ASSERT_LT(r.casi.size(), 1000u);
    ASSERT_EQ(static_cast<std::size_t>(g.rows() - 1), r.casi.size());
    int positives = 0;
    for (std::size_t i = 0; i < r.casi.size(); ++i) {
        const int row = static_cast<int>(i) + 1;
        const CollaudoCase& c = r.casi[i];
        const EqualAmboCase e = c.equalAmbo();
        SCOPED_TRACE(row);
        EXPECT_EQ(g.text(row, ColEstrazione), QString::number(e.draw));
        EXPECT_EQ(g.text(row, ColData), c.date);
        EXPECT_EQ(g.text(row, ColRuota1), QString::number(e.wheel1));
        EXPECT_EQ(g.text(row, ColRuota2), QString::number(e.wheel2));
        EXPECT_EQ(g.backColour(row, ColNumeri1 + e.position1 - 1), AmboState::ColorePosizione);
        EXPECT_EQ(g.backColour(row, ColNumeri1 + e.position2 - 1), AmboState::ColorePosizione);
        EXPECT_EQ(g.text(row, ColAmbata), QString::number(e.forecast.Ambata));
        EXPECT_EQ(g.text(row, ColA1), QString::number(e.forecast.A1));
        EXPECT_EQ(g.text(row, ColA2), QString::number(e.forecast.A2));
        EXPECT_EQ(g.text(row, ColA3), QString::number(e.forecast.A3));
        EXPECT_EQ(g.text(row, ColColpo), c.colpo == 0 ? QString() : QString::number(c.colpo));
        const GridModel::Colour caseColour = g.backColour(row, ColCaso);
        const CaseOutcome::Esito shown = caseColour == EsitoPositivo ? CaseOutcome::Esito::Positivo
                                         : caseColour == work.palette.PaletteOrange
                                             ? CaseOutcome::Esito::InGioco
                                             : CaseOutcome::Esito::Negativo;
        EXPECT_EQ(shown, c.esito);
        positives += c.esito == CaseOutcome::Esito::Positivo ? 1 : 0;
    }
    EXPECT_EQ(r.riepilogo.positivi, positives);
    EXPECT_EQ(work.FgS.text(2, 1), QString::number(r.riepilogo.positivi));
    EXPECT_EQ(work.FgS.text(3, 1), QString::number(r.riepilogo.negativi));
    EXPECT_EQ(work.FgS.text(4, 1), QString::number(r.riepilogo.inGioco));
}

INSTANTIATE_TEST_SUITE_P(
    Settings, AgreesWithTheAmboWindow,
    ::testing::Values(AgreementCase{"Defaults", {}},
                      AgreementCase{"TutteEighteenColpi", {"--tipi", "tutte", "--colpi", "18"}},
                      AgreementCase{"AmbataAlone", {"--tipi", "tutte", "--esiti", "ambata", "--colpi", "3"}},
                      AgreementCase{
                          "QuartinaOnTwoWheels",
                          {"--tipi", "gemelle,gmtv,cfrz,bnp", "--esiti", "quartina", "--colpi", "5"}},
                      AgreementCase{"SomeWheelsAndPositions",
                                    {"--tipi", "tutte", "--ruote", "BA,GE,MI,RO,NZ", "--posizioni", "1,2,4",
                                     "--posizioni-adiacenti", "--esiti", "3ambi,quartina,tutte"}}),
    [](const auto& param) { return std::string(param.param.name); });

} // namespace
