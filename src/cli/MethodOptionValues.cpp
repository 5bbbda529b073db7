#include "cli/MethodOptionValues.h"

namespace {

const char* const WheelCodeList[] = {"BA", "CA", "FI", "GE", "MI", "NA", "PA", "RO", "TO", "VE", "NZ"};
const char* const WheelAndTutteCodeList[] = {"BA", "CA", "FI", "GE", "MI", "NA",
                                             "PA", "RO", "TO", "VE", "NZ", "TU"};
const char* const TypeNames[] = {"tutte", "adiacenti", "diametrali", "gemelle", "gmtv", "cfrz", "bnp"};
const char* const PositionNames[] = {"1", "2", "3", "4", "5"};
const char* const OutcomeNames[] = {"ambata", "3ambi", "quartina", "tutte"};

QStringList listItems(const QString& value) {
    QStringList items;
    for (const QString& item : value.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString trimmed = item.trimmed();
        if (!trimmed.isEmpty())
            items << trimmed;
    }
    return items;
}

template <std::size_t N>
QString readFlags(const QString& name, const QString& value, const char* const (&names)[N], bool upper,
                  std::array<bool, N>& flags) {
    flags.fill(false);
    for (const QString& item : listItems(value)) {
        const QString key = upper ? item.toUpper() : item.toLower();
        bool known = false;
        for (std::size_t i = 0; i < N; ++i) {
            if (key == QLatin1String(names[i])) {
                flags[i] = true;
                known = true;
            }
        }
        if (!known)
            return QStringLiteral("--%1: valore sconosciuto \"%2\"").arg(name, item);
    }
    return {};
}

template <std::size_t N> QString flagsValue(const std::array<bool, N>& flags, const char* const (&names)[N]) {
    QStringList items;
    for (std::size_t i = 0; i < N; ++i)
        if (flags[i])
            items << QLatin1String(names[i]);
    return items.join(QLatin1Char(','));
}

} // namespace

std::optional<int> optionWholeNumber(const QString& text) {
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(n) : std::nullopt;
}

QString readBoundedOption(const QString& name, const QString& text, int low, int high, int& out) {
    const auto n = optionWholeNumber(text);
    if (!n || *n < low || *n > high)
        return QStringLiteral("--%1 vuole un numero da %2 a %3: \"%4\"")
            .arg(name)
            .arg(low)
            .arg(high)
            .arg(text);
    out = *n;
    return {};
}

QString readWheelOption(const QString& value, std::array<bool, WheelCount>& wheels) {
    return readFlags(QStringLiteral("ruote"), value, WheelCodeList, true, wheels);
}

QString readWheelOption(const QString& value, std::array<bool, WheelCount + 1>& wheels) {
    return readFlags(QStringLiteral("ruote"), value, WheelAndTutteCodeList, true, wheels);
}

QString readPositionOption(const QString& value, std::array<bool, PositionCount>& positions) {
    return readFlags(QStringLiteral("posizioni"), value, PositionNames, false, positions);
}

QString readTypeOption(const QString& value, WheelRelations::Types& types) {
    return readFlags(QStringLiteral("tipi"), value, TypeNames, false, types);
}

QString readOutcomeOption(const QString& value, OutcomeBoxes& boxes) {
    std::array<bool, 4> outcomes{};
    const QString error = readFlags(QStringLiteral("esiti"), value, OutcomeNames, false, outcomes);
    boxes = {outcomes[0], outcomes[1], outcomes[2], outcomes[3]};
    return error;
}

QString typeOptionValue(const WheelRelations::Types& types) {
    return flagsValue(types, TypeNames);
}

QString positionOptionValue(const std::array<bool, PositionCount>& positions) {
    return flagsValue(positions, PositionNames);
}
