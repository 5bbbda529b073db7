#include "cli/MethodOptionValues.h"

#include "cli/MethodCommandLine.h"

#include <QCommandLineParser>
#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

template <std::size_t N> std::array<bool, N> flagsOf(unsigned mask) {
    std::array<bool, N> flags{};
    for (std::size_t i = 0; i < N; ++i)
        flags[i] = (mask >> i) & 1u;
    return flags;
}

// What the tools print for a choice (the sweep's rows, the help) reads back as the same choice.
TEST(MethodOptionValues, EveryChoiceReadsBackFromTheValueWrittenForIt) {
    for (unsigned mask = 0; mask < (1u << WheelRelations::TypeCount); ++mask) {
        const auto types = flagsOf<WheelRelations::TypeCount>(mask);
        WheelRelations::Types back{};
        EXPECT_EQ(readTypeOption(typeOptionValue(types), back), QString());
        EXPECT_EQ(back, types) << typeOptionValue(types).toStdString();
    }
    for (unsigned mask = 0; mask < (1u << PositionCount); ++mask) {
        const auto positions = flagsOf<PositionCount>(mask);
        std::array<bool, PositionCount> back{};
        EXPECT_EQ(readPositionOption(positionOptionValue(positions), back), QString());
        EXPECT_EQ(back, positions) << positionOptionValue(positions).toStdString();
    }
    for (unsigned mask = 0; mask < 16; ++mask) {
        const OutcomeBoxes boxes = OutcomeBoxes::fromFlags(flagsOf<4>(mask));
        OutcomeBoxes back;
        EXPECT_EQ(readOutcomeOption(outcomeOptionValue(boxes), back), QString());
        EXPECT_EQ(back, boxes) << outcomeOptionValue(boxes).toStdString();
    }
}

TEST(MethodOptionValues, NamesReadWithoutRegardToCaseAndUnknownOnesAreRefusedByOption) {
    std::array<bool, WheelCount> wheels{};
    EXPECT_EQ(readWheelOption(QStringLiteral("ba, Nz ,ro"), wheels), QString());
    EXPECT_EQ(wheels, (std::array<bool, WheelCount>{true, false, false, false, false, false, false, true,
                                                    false, false, true}));
    EXPECT_EQ(
        readWheelOption(QStringLiteral("BA,XY"), wheels),
        QStringLiteral("--ruote: valore sconosciuto \"XY\" (valori: BA, CA, FI, GE, MI, NA, PA, RO, TO, "
                       "VE, NZ; anche RM, RN e i nomi delle ruote)"));

    WheelRelations::Types types{};
    EXPECT_EQ(readTypeOption(QStringLiteral("GMTV,Diametrali"), types), QString());
    EXPECT_EQ(types, (WheelRelations::Types{false, false, true, false, true, false, false}));
    EXPECT_EQ(readTypeOption(QStringLiteral("vicine"), types),
              QStringLiteral("--tipi: valore sconosciuto \"vicine\" (valori: %1)")
                  .arg(typeOptionValue(WheelRelations::Types{true, true, true, true, true, true, true})
                           .replace(QLatin1Char(','), QStringLiteral(", "))));

    std::array<bool, PositionCount> positions{};
    EXPECT_EQ(readPositionOption(QStringLiteral("6"), positions),
              QStringLiteral("--posizioni: valore sconosciuto \"6\" (valori: 1, 2, 3, 4, 5)"));

    OutcomeBoxes boxes;
    EXPECT_EQ(readOutcomeOption(QStringLiteral("3AMBI"), boxes), QString());
    EXPECT_EQ(boxes.flags(), (std::array<bool, 4>{false, true, false, false}));
    EXPECT_EQ(
        readOutcomeOption(QStringLiteral("ambo"), boxes),
        QStringLiteral("--esiti: valore sconosciuto \"ambo\" (valori: ambata, 3ambi, quartina, tutte)"));
}

// Every spelling of a wheel that the history files use reads as that wheel in every option that takes
// wheels: the program's code, the operator's (RM for Roma, RN for Nazionale), the name in any case.
TEST(MethodOptionValues, EverySpellingOfAWheelChoosesIt) {
    const struct {
        const char* given;
        int wheel;
    } spellings[] = {{"RO", 7},   {"RM", 7},  {"rm", 7},      {"Roma", 7}, {"roma", 7},
                     {"ROMA", 7}, {"NZ", 10}, {"RN", 10},     {"rn", 10},  {"Nazionale", 10},
                     {"bari", 0}, {"Ve", 9},  {"VENEZIA", 9}, {"ge", 3},   {"Cagliari", 1}};
    for (const auto& s : spellings) {
        SCOPED_TRACE(s.given);
        std::array<bool, WheelCount> wheels{};
        ASSERT_EQ(readWheelOption(QString::fromLatin1(s.given), wheels), QString());
        std::array<bool, WheelCount> expected{};
        expected[static_cast<std::size_t>(s.wheel)] = true;
        EXPECT_EQ(wheels, expected);
        std::array<bool, WheelCount + 1> withTutte{};
        ASSERT_EQ(readWheelOption(QString::fromLatin1(s.given), withTutte), QString());
        EXPECT_TRUE(withTutte[static_cast<std::size_t>(s.wheel)]);
        EXPECT_FALSE(withTutte[WheelCount]);
    }
    std::array<bool, WheelCount + 1> tutte{};
    ASSERT_EQ(readWheelOption(QStringLiteral("tu,RM"), tutte), QString());
    EXPECT_TRUE(tutte[WheelCount] && tutte[7]);
    std::array<bool, WheelCount> noTutte{};
    EXPECT_TRUE(
        readWheelOption(QStringLiteral("TU"), noTutte)
            .startsWith(QStringLiteral(
                "--ruote: valore sconosciuto \"TU\" (valori: BA, CA, FI, GE, MI, NA, PA, RO, TO, VE, NZ;")));
    EXPECT_TRUE(readWheelOption(QStringLiteral("Rom"), tutte).contains(QStringLiteral("NZ, TU;")));
}

// A command line that chooses nothing gives the method's defaults, and the help states those defaults.
TEST(MethodCommandLineDefaults, NothingChosenGivesTheMethodsDefaultsThatTheHelpStates) {
    QCommandLineParser parser;
    const MethodCommandLine method(parser);
    ASSERT_TRUE(parser.parse({QStringLiteral("veltrano"), QStringLiteral("archivio.mdb")}));
    MethodCommandLine::Values v;
    ASSERT_EQ(method.read({}, v), QString());
    const MethodSettings d;
    EXPECT_EQ(static_cast<const MethodSettings&>(v), d);

    const QString help = MethodCommandLine::methodUsage() + MethodCommandLine::outcomeUsage();
    const auto typesDefault =
        QRegularExpression(QStringLiteral("\\n {26}\\(predefiniti: ([a-z,]+)\\)\\n")).match(help);
    ASSERT_TRUE(typesDefault.hasMatch()) << help.toStdString();
    WheelRelations::Types helpTypes{};
    EXPECT_EQ(readTypeOption(typesDefault.captured(1), helpTypes), QString());
    EXPECT_EQ(helpTypes, d.types);
    const auto colpi = QRegularExpression(QStringLiteral("--colpi N {15}colpi di gioco, da 1 a (\\d+) "
                                                         "\\(predefinito: (\\d+)\\)\\n"))
                           .match(help);
    ASSERT_TRUE(colpi.hasMatch()) << help.toStdString();
    EXPECT_EQ(colpi.captured(1).toInt(), MethodSettings::MaxColpi);
    EXPECT_EQ(colpi.captured(2).toInt(), d.colpi);
    // Every line starts with an option and lines its description up with the others.
    for (const QString& line : help.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        EXPECT_TRUE(line.startsWith(QStringLiteral("  --")) || line.startsWith(QString(26, QLatin1Char(' '))))
            << line.toStdString();
        EXPECT_NE(line.at(26), QLatin1Char(' ')) << line.toStdString();
        EXPECT_EQ(line.at(25), QLatin1Char(' ')) << line.toStdString();
    }
}

} // namespace
