#include "core/SettingsCheck.h"

#include "core/DrawArchive.h"
#include "core/DrawRange.h"

#include <QDate>
#include <QStringList>
#include <algorithm>

QString equalAmboWheelsError(const std::array<bool, WheelCount>& wheels, const WheelRelations::Types& types) {
    int chosen = 0;
    for (bool w : wheels)
        chosen += w ? 1 : 0;
    if (chosen < 2)
        return QStringLiteral("Selezionare almeno due ruote: l'ambo uguale si cerca su una coppia di ruote.");
    QStringList typeNames;
    for (std::size_t t = 0; t < types.size(); ++t)
        if (types[t])
            typeNames << QString::fromLatin1(WheelRelations::TypeNames[t].data(),
                                             static_cast<qsizetype>(WheelRelations::TypeNames[t].size()));
    if (typeNames.isEmpty())
        return QStringLiteral("Selezionare almeno un tipo di ruote.");
    const WheelRelations& relations = WheelRelations::standard();
    for (int w1 = 0; w1 < WheelCount; ++w1)
        for (int w2 = w1 + 1; w2 < WheelCount; ++w2)
            if (wheels[static_cast<std::size_t>(w1)] && wheels[static_cast<std::size_t>(w2)] &&
                relations.admits(types, w1, w2))
                return {};
    return QStringLiteral("Nessuna coppia delle ruote selezionate è del tipo scelto (%1): selezionare altre "
                          "ruote o altri tipi di ruote.")
        .arg(typeNames.join(QStringLiteral(", ")));
}

QString twoWheelsError(const std::array<bool, WheelCount>& wheels) {
    WheelRelations::Types anyPair{};
    anyPair[0] = true; // "Tutte"
    return equalAmboWheelsError(wheels, anyPair);
}

QString methodWheelsError(MethodSettings::Metodo metodo, const std::array<bool, WheelCount>& wheels,
                          const WheelRelations::Types& types, bool sweep) {
    if (metodo == MethodSettings::Metodo::Ritardatario)
        return std::find(wheels.begin(), wheels.end(), true) != wheels.end()
                   ? QString()
                   : QStringLiteral("Selezionare almeno una ruota.");
    return sweep ? twoWheelsError(wheels) : equalAmboWheelsError(wheels, types);
}

QString outOfSampleError(const DrawArchive& archive, int first, int last, const QDate& from) {
    const int split = firstDrawFrom(archive, from);
    if (split > first && split <= last)
        return {};
    const auto day = [&archive](int draw) {
        return draw >= 1 && draw <= archive.drawCount() ? archive.drawDate(draw) : QStringLiteral("-");
    };
    return QStringLiteral("La data fuori campione (%1) deve cadere dopo il primo giorno del periodo (%2) e "
                          "non dopo l'ultimo (%3): solo così restano casi su cui misurare e casi su cui "
                          "verificare.")
        .arg(from.toString(QStringLiteral("dd/MM/yyyy")), day(first), day(last));
}

std::optional<int> wholeNumber(const QString& text) {
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    return ok ? std::optional<int>(n) : std::nullopt;
}

QString boundedNumberError(const QString& what, const QString& text, int low, int high, int& out) {
    const auto n = wholeNumber(text);
    if (!n || *n < low || *n > high)
        return QStringLiteral("%1 vuole un numero da %2 a %3: \"%4\"").arg(what).arg(low).arg(high).arg(text);
    out = *n;
    return {};
}
