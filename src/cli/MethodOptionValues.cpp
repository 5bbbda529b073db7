#include "cli/MethodOptionValues.h"

#include "core/SettingsCheck.h"

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

template <std::size_t N>
QString readFlags(const MethodSettings::Name& name, const QString& value, const OptionNames<N>& names,
                  bool upper, std::array<bool, N>& flags) {
    flags.fill(false);
    for (const QString& item : listItems(value)) {
        const QString key = upper ? item.toUpper() : item.toLower();
        bool known = false;
        for (std::size_t i = 0; i < N; ++i) {
            if (key == names[i]) {
                flags[i] = true;
                known = true;
            }
        }
        if (!known)
            return QStringLiteral("--%1: valore sconosciuto \"%2\"").arg(optionName(name), item);
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
    return readFlags(MethodSettings::WheelsName, value, wheelValues(), true, wheels);
}

QString readWheelOption(const QString& value, std::array<bool, WheelCount + 1>& wheels) {
    return readFlags(MethodSettings::WheelsName, value, wheelAndTutteValues(), true, wheels);
}

QString readPositionOption(const QString& value, std::array<bool, PositionCount>& positions) {
    return readFlags(MethodSettings::PositionsName, value, positionValues(), false, positions);
}

QString readTypeOption(const QString& value, WheelRelations::Types& types) {
    return readFlags(MethodSettings::TypesName, value, typeValues(), false, types);
}

QString readOutcomeOption(const QString& value, OutcomeBoxes& boxes) {
    std::array<bool, 4> outcomes{};
    const QString error = readFlags(MethodSettings::OutcomesName, value, outcomeValues(), false, outcomes);
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
