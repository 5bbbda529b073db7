#include "ArchiveFixtures.h"
#include "ScriptTestArchive.h"
#include "core/DrawnNumbers.h"
#include "core/EqualAmbi.h"
#include "core/MethodSettings.h"
#include "core/OverdueCases.h"
#include "core/metodi/ScriptError.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>
#include <memory>

namespace {
using namespace scripttest;

QString shippedMethod(const QString& name) {
    QFile f(QDir(QStringLiteral(VELTRANO_SOURCE_DIR "/metodi")).filePath(name));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

DrawArchive* realHistory() {
    static const std::unique_ptr<DrawArchive> archive = []() -> std::unique_ptr<DrawArchive> {
        if (fixtures::realHistoryFolder().isEmpty())
            return nullptr;
        QString error;
        return fixtures::loadRealHistory(error);
    }();
    return archive.get();
}

// A debug build with sanitizers runs the scripts many times slower than the program does.
ScriptRunOptions unhurried(std::map<QString, ScriptValue> values = {}) {
    ScriptRunOptions options;
    options.limits.time = std::chrono::minutes(2);
    options.parametri = std::move(values);
    return options;
}

WheelMask wheelBit(int w) {
    return static_cast<WheelMask>(1u << w);
}

// The giocata the overdue number's case stands for: its number as estratto on its wheel.
Giocata overdueGiocata(const OverdueCase& c, int colpi) {
    return {c.draw, colpi, {{{c.number}, Puntata::Sorte::Estratto, wheelBit(c.wheel), false, 1.0}},
            QStringLiteral("ritardo %1").arg(c.delay)};
}

TEST(ShippedMethods, RitardatarioGivesTheBuiltInOverdueCasesOnTheRealHistory) {
    DrawArchive* archive = realHistory();
    if (!archive)
        GTEST_SKIP() << "no real history in ../shared/data/storico";
    const QString script = shippedMethod(QStringLiteral("ritardatario.lua"));
    const DrawnNumbers drawn(*archive);
    const struct {
        std::map<QString, ScriptValue> values;
        std::array<bool, WheelCount> wheels;
        int soglia;
        int colpi;
    } settings[] = {
        {{}, MethodSettings{}.wheels, MethodSettings{}.soglia, MethodSettings{}.colpi},
        {{{QStringLiteral("soglia"), 36.0}, {QStringLiteral("colpi"), 18.0}, {QStringLiteral("ruote"), QStringLiteral("CA NZ RM")}},
         {false, true, false, false, false, false, false, true, false, false, true},
         36,
         18},
    };
    for (const auto& s : settings) {
        SCOPED_TRACE(s.soglia);
        const ScriptResult r = runScript(script, *archive, unhurried(s.values));
        const std::vector<OverdueCase> cases =
            findOverdueCases(s.wheels, s.soglia, s.colpi, 1, archive->drawCount(), *archive, drawn);
        ASSERT_FALSE(cases.empty());
        std::vector<Giocata> expected;
        for (const OverdueCase& c : cases)
            expected.push_back(overdueGiocata(c, s.colpi));
        ASSERT_EQ(r.giocate.size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i)
            ASSERT_EQ(r.giocate[i], expected[i]) << "case " << i << " draw " << expected[i].draw;
    }
}

// The numbers and wheels an equal ambo's case plays, read from the built-in's case: the ambata on both
// wheels, each distinct ambo ambata-Ai on both, the quartina's distinct numbers as ambo, terno, quaterna on
// the ten (the "Tutte" box, checked by default).
std::vector<Puntata> equalAmboBets(const EqualAmboCase& c) {
    const Forecast& f = c.forecast;
    const WheelMask both = static_cast<WheelMask>(wheelBit(c.wheel1) | wheelBit(c.wheel2));
    std::vector<Puntata> bets{{{f.Ambata}, Puntata::Sorte::Estratto, both, false, 1.0}};
    std::vector<int> seen;
    for (int a : {f.A1, f.A2, f.A3})
        if (a != f.Ambata && std::find(seen.begin(), seen.end(), a) == seen.end()) {
            seen.push_back(a);
            bets.push_back({{f.Ambata, a}, Puntata::Sorte::Ambo, both, false, 1.0});
        }
    std::vector<int> quartina;
    for (int n : {f.Ambata, f.A1, f.A2, f.A3})
        if (std::find(quartina.begin(), quartina.end(), n) == quartina.end())
            quartina.push_back(n);
    for (int s = 2; s <= std::min<int>(static_cast<int>(quartina.size()), 4); ++s)
        bets.push_back({quartina, static_cast<Puntata::Sorte>(s), 0, true, 1.0});
    return bets;
}

TEST(ShippedMethods, AmboUgualeGivesTheBuiltInCasesOnTheRealHistory) {
    DrawArchive* archive = realHistory();
    if (!archive)
        GTEST_SKIP() << "no real history in ../shared/data/storico";
    const ScriptResult r = runScript(shippedMethod(QStringLiteral("ambo-uguale.lua")), *archive, unhurried());
    const std::vector<EqualAmboCase> cases =
        findEqualAmbi(MethodSettings{}.search(), *archive, archive->drawCount(), 1);
    ASSERT_FALSE(cases.empty());
    ASSERT_EQ(r.giocate.size(), cases.size());
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const EqualAmboCase& c = cases[i];
        const Giocata& g = r.giocate[i];
        SCOPED_TRACE(testing::Message() << "case " << i << " draw " << c.draw);
        ASSERT_EQ(g.draw, c.draw);
        ASSERT_EQ(g.colpi, MethodSettings{}.colpi);
        ASSERT_EQ(g.puntate, equalAmboBets(c));
    }
}

TEST(ShippedMethods, EveryExampleRunsWithItsDefaultsAndDeclaresItsParameters) {
    DrawArchive archive;
    handWorked(archive);
    const QStringList names = QDir(QStringLiteral(VELTRANO_SOURCE_DIR "/metodi")).entryList({QStringLiteral("*.lua")});
    ASSERT_GE(names.size(), 6);
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        const QString script = shippedMethod(name);
        EXPECT_TRUE(script.startsWith(QLatin1String("-- "))) << "a comment says what it does";
        try {
            const std::vector<ScriptParameter> parameters = scriptParameters(script, archive);
            EXPECT_FALSE(parameters.empty());
            runScript(script, archive, {});
        } catch (const ScriptError& error) {
            ADD_FAILURE() << error.message().toStdString();
        }
    }
}

TEST(ShippedMethods, TheSmallExamplesPlayWhatTheirCommentSays) {
    DrawArchive archive;
    handWorked(archive);
    const struct {
        const char* name;
        std::map<QString, ScriptValue> values;
        std::vector<Giocata> giocate;
    } cases[] = {
        // The first draw of each month, its first number on Bari: draws 1 (January), 2 (February), 6 (March).
        {"calendario.lua",
         {{QStringLiteral("colpi"), 3.0}},
         {{6, 3, {{{2}, Puntata::Sorte::Estratto, wheelBit(BA), false, 1.0}}, QStringLiteral("2021-03-01: primo estratto 2")},
          {2, 3, {{{6}, Puntata::Sorte::Estratto, wheelBit(BA), false, 1.0}}, QStringLiteral("2020-02-01: primo estratto 6")},
          {1, 3, {{{1}, Puntata::Sorte::Estratto, wheelBit(BA), false, 1.0}}, QStringLiteral("2020-01-30: primo estratto 1")}}},
        // 90 and 45, 1 and 46 on Roma in draw 2 are 45 apart: their diametrali.
        {"distanza.lua",
         {{QStringLiteral("distanza"), 45.0}, {QStringLiteral("colpi"), 2.0}},
         {{2, 2, {{{45, 90}, Puntata::Sorte::Estratto, wheelBit(RO), false, 1.0}}, QStringLiteral("RO: 90 e 45 a distanza 45")},
          {2, 2, {{{46, 1}, Puntata::Sorte::Estratto, wheelBit(RO), false, 1.0}}, QStringLiteral("RO: 1 e 46 a distanza 45")}}},
        // The spy 12 comes out on Cagliari in draw 3: its vertibile 21 and diametrale 57.
        {"numero-spia.lua",
         {{QStringLiteral("spia"), 12.0}, {QStringLiteral("ruota"), QStringLiteral("ca")}},
         {{3, 5, {{{21, 57}, Puntata::Sorte::Estratto, wheelBit(CA), false, 1.0}}, QStringLiteral("uscito lo 12 in posizione 3")}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptRunOptions options;
        options.parametri = c.values;
        EXPECT_EQ(runScript(shippedMethod(QString::fromUtf8(c.name)), archive, options).giocate, c.giocate);
    }
}

} // namespace
