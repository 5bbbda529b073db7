#include "cli/MethodOptionValues.h"

#include "core/SettingsCheck.h"

#include <functional>

namespace {

template <std::size_t N> using OptionNames = std::array<QString, N>;

// The values each option takes, spelled as the readers compare them.
const OptionNames<WheelCount>& wheelValues() {
    static const OptionNames<WheelCount> names = [] {
        OptionNames<WheelCount> n;
        for (std::size_t w = 0; w < n.size(); ++w)
            n[w] = QString::fromLatin1(WheelNames[w].code);
        return n;
    }();
    return names;
}

// The eleven wheels and "TU", the ten wheels Bari..Venezia together (for the statistics).
const OptionNames<WheelCount + 1>& wheelAndTutteValues() {
    static const OptionNames<WheelCount + 1> names = [] {
        OptionNames<WheelCount + 1> n;
        for (std::size_t w = 0; w < WheelCount; ++w)
            n[w] = wheelValues()[w];
        n[WheelCount] = QStringLiteral("TU");
        return n;
    }();
    return names;
}

const OptionNames<WheelRelations::TypeCount>& typeValues() {
    static const OptionNames<WheelRelations::TypeCount> names = [] {
        OptionNames<WheelRelations::TypeCount> n;
        for (std::size_t t = 0; t < n.size(); ++t)
            n[t] = QString::fromLatin1(WheelRelations::TypeNames[t]).toLower();
        return n;
    }();
    return names;
}

const OptionNames<PositionCount>& positionValues() {
    static const OptionNames<PositionCount> names = [] {
        OptionNames<PositionCount> n;
        for (std::size_t p = 0; p < n.size(); ++p)
            n[p] = QString::number(p + 1);
        return n;
    }();
    return names;
}

const OptionNames<4>& outcomeValues() {
    static const OptionNames<4> names = [] {
        OptionNames<4> n;
        for (std::size_t b = 0; b < n.size(); ++b)
            n[b] = QString::fromLatin1(MethodSettings::OutcomeNames[b].option);
        return n;
    }();
    return names;
}

QStringList listItems(const QString& value) {
    QStringList items;
    for (const QString& item : value.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString trimmed = item.trimmed();
        if (!trimmed.isEmpty())
            items << trimmed;
    }
    return items;
}

// The value of each item, std::nullopt for one the option does not know.
using ItemLookup = std::function<std::optional<std::size_t>(const QString&)>;

template <std::size_t N> ItemLookup lookupIn(const OptionNames<N>& names, bool upper) {
    return [&names, upper](const QString& item) -> std::optional<std::size_t> {
        const QString key = upper ? item.toUpper() : item.toLower();
        for (std::size_t i = 0; i < N; ++i)
            if (key == names[i])
                return i;
        return std::nullopt;
    };
}

// A wheel by any of its codes or its name, without regard to case (RO or RM or Roma, NZ or RN); with
// `tutte`, "TU" after the eleven.
ItemLookup wheelLookup(bool tutte) {
    return [tutte](const QString& item) -> std::optional<std::size_t> {
        if (tutte && item.compare(wheelAndTutteValues()[WheelCount], Qt::CaseInsensitive) == 0)
            return WheelCount;
        if (const auto wheel = wheelFromName(item.toStdString()))
            return static_cast<std::size_t>(*wheel);
        return std::nullopt;
    };
}

// The other spellings of a wheel that the options read, for the message that lists the codes.
QString otherWheelNames() {
    QStringList codes;
    for (const WheelNaming& n : WheelNames)
        if (n.storicoCode != n.code)
            codes << QString::fromLatin1(n.storicoCode.data(), static_cast<qsizetype>(n.storicoCode.size()));
    return QStringLiteral("; anche %1 e i nomi delle ruote").arg(codes.join(QStringLiteral(", ")));
}

template <std::size_t N>
QString readFlags(const MethodSettings::Name& name, const QString& value, const OptionNames<N>& names,
                  const ItemLookup& lookup, std::array<bool, N>& flags, const QString& alsoRead = {}) {
    flags.fill(false);
    for (const QString& item : listItems(value)) {
        const auto index = lookup(item);
        if (!index || *index >= N)
            return QStringLiteral("--%1: valore sconosciuto \"%2\" (valori: %3)")
                .arg(optionName(name), item,
                     QStringList(names.begin(), names.end()).join(QStringLiteral(", ")) + alsoRead);
        flags[*index] = true;
    }
    return {};
}

template <std::size_t N> QString flagsValue(const std::array<bool, N>& flags, const OptionNames<N>& names) {
    QStringList items;
    for (std::size_t i = 0; i < N; ++i)
        if (flags[i])
            items << names[i];
    return items.join(QLatin1Char(','));
}

} // namespace

QString optionName(const MethodSettings::Name& name) {
    return QString::fromLatin1(name.option);
}

std::optional<int> optionWholeNumber(const QString& text) {
    return wholeNumber(text);
}

QString readBoundedOption(const QString& name, const QString& text, int low, int high, int& out) {
    return boundedNumberError(QStringLiteral("--") + name, text, low, high, out);
}

QString readWheelOption(const QString& value, std::array<bool, WheelCount>& wheels) {
    return readFlags(MethodSettings::WheelsName, value, wheelValues(), wheelLookup(false), wheels,
                     otherWheelNames());
}

QString readWheelOption(const QString& value, std::array<bool, WheelCount + 1>& wheels) {
    return readFlags(MethodSettings::WheelsName, value, wheelAndTutteValues(), wheelLookup(true), wheels,
                     otherWheelNames());
}

QString readPositionOption(const QString& value, std::array<bool, PositionCount>& positions) {
    return readFlags(MethodSettings::PositionsName, value, positionValues(),
                     lookupIn(positionValues(), false), positions);
}

QString readTypeOption(const QString& value, WheelRelations::Types& types) {
    return readFlags(MethodSettings::TypesName, value, typeValues(), lookupIn(typeValues(), false), types);
}

QString readOutcomeOption(const QString& value, OutcomeBoxes& boxes) {
    std::array<bool, 4> outcomes{};
    const QString error = readFlags(MethodSettings::OutcomesName, value, outcomeValues(),
                                    lookupIn(outcomeValues(), false), outcomes);
    boxes = OutcomeBoxes::fromFlags(outcomes);
    return error;
}

QString typeOptionValue(const WheelRelations::Types& types) {
    return flagsValue(types, typeValues());
}

QString positionOptionValue(const std::array<bool, PositionCount>& positions) {
    return flagsValue(positions, positionValues());
}

QString outcomeOptionValue(const OutcomeBoxes& boxes) {
    return flagsValue(boxes.flags(), outcomeValues());
}
