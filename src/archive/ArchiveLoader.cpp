#include "ArchiveLoader.h"

#include "ArchiveDraws.h"
#include "ArchiveQuery.h"
#include "DrawArchive.h"
#include "JetDate.h"
#include "JetError.h"
#include "LeadingNumber.h"

#include <cmath>

const char* const ArchiveQueryText =
    "SELECT EstrazioniLotto.DataEstrazione, EstrazioniLotto.Ba, EstrazioniLotto.Ca, EstrazioniLotto.Fi, "
    "EstrazioniLotto.Ge, EstrazioniLotto.Mi, EstrazioniLotto.Na, EstrazioniLotto.Pa, EstrazioniLotto.Ro, "
    "EstrazioniLotto.To, EstrazioniLotto.Ve, EstrazioniLotto.Nz "
    "From EstrazioniLotto ORDER BY EstrazioniLotto.DataEstrazione";

namespace {

QString dateText(const jet::QueryField& field) {
    if (field.isNull || !field.isDate || !std::isfinite(field.date))
        throw ArchiveLoadError("DataEstrazione non è una data");
    const jet::CivilDateTime d = jet::fromJetDate(field.date);
    return QStringLiteral("%1/%2/%3")
        .arg(d.day, 2, 10, QLatin1Char('0'))
        .arg(d.month, 2, 10, QLatin1Char('0'))
        .arg(d.year, 4, 10, QLatin1Char('0'));
}

} // namespace

std::int16_t cellFieldNumber(const QString& field) {
    // A field that does not fit 16 bits cannot come from a two-character field; 0 keeps it harmless.
    return roundToInt16(leadingNumber(field)).value_or(0);
}

void loadDrawArchive(DrawArchive& archive, const QString& path, const QString& readerProgram,
                     const LoadProgress& progress) {
    archive.reset();
    int k = 0;
    jet::QueryCallbacks callbacks;
    callbacks.started = [&](int rowCount) {
        if (progress.started)
            progress.started(rowCount);
    };
    callbacks.row = [&](const std::vector<jet::QueryField>& fields) {
        ++k;
        if (k > MaxDraws)
            throw ArchiveLoadError("l'archivio contiene più di 9999 estrazioni");
        if (fields.size() != 1 + WheelCount)
            throw ArchiveLoadError("la riga dell'archivio non ha le colonne attese");
        const auto index = static_cast<std::int16_t>(k);
        archive.storeDate(index, dateText(fields[0]));
        for (int w = 0; w < WheelCount; ++w) {
            const jet::QueryField& cell = fields[1 + w];
            const QString text = cell.isNull ? QString() : QString::fromStdString(cell.text);
            for (int p = 1; p <= PositionCount; ++p)
                archive.storeNumber(index, w, p, cellFieldNumber(text.mid(3 * p - 3, 2)));
        }
        if (progress.rowStored)
            progress.rowStored(k);
    };
    try {
        jet::runArchiveQuery(readerProgram.toStdString(), path.toStdString(), ArchiveQueryText, callbacks);
    } catch (const jet::JetError& e) {
        throw ArchiveLoadError(e.what());
    }
    if (k == 0)
        throw ArchiveLoadError("l'archivio non contiene estrazioni");
    archive.setDrawCount(static_cast<std::int16_t>(k));
    archive.buildModelArchive();
    archive.setSampleArchive(storico::isSampleArchive(readerProgram.toStdString(), path.toStdString()));
}
