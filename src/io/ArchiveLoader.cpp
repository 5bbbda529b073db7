#include "io/ArchiveLoader.h"

#include "core/DrawArchive.h"
#include "core/LeadingNumber.h"
#include "io/LocalPath.h"
#include "io/jet/ArchiveQuery.h"
#include "io/jet/JetDate.h"
#include "io/jet/JetError.h"
#include "io/storico/ArchiveDraws.h"

#include <algorithm>
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
    if (d.year >= 1000 && d.year <= 9999 && d.month >= 1 && d.month <= 12 && d.day >= 1 && d.day <= 31) {
        // The usual date, spelled out directly: a load formats one date per draw, and the general
        // formatting below is the slow way.
        const char16_t text[10] = {char16_t(u'0' + d.day / 10),
                                   char16_t(u'0' + d.day % 10),
                                   u'/',
                                   char16_t(u'0' + d.month / 10),
                                   char16_t(u'0' + d.month % 10),
                                   u'/',
                                   char16_t(u'0' + d.year / 1000),
                                   char16_t(u'0' + d.year / 100 % 10),
                                   char16_t(u'0' + d.year / 10 % 10),
                                   char16_t(u'0' + d.year % 10)};
        return QString(reinterpret_cast<const QChar*>(text), 10);
    }
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

std::array<std::int16_t, 5> cellNumbers(const std::string& text) {
    static_assert(PositionCount == 5);
    std::array<std::int16_t, 5> numbers{};
    if (text.empty())
        return numbers;
    // Byte and character positions agree up to the first byte that is not ASCII.
    const auto firstWide = std::find_if(text.begin(), text.end(), [](char c) { return (c & 0x80) != 0; });
    const std::size_t plain = static_cast<std::size_t>(firstWide - text.begin());
    const auto digit = [](char c) { return c >= '0' && c <= '9'; };
    QString wide;
    for (std::size_t p = 0; p < numbers.size(); ++p) {
        const std::size_t at = 3 * p;
        // Almost every field is two digits or a blank and a digit: read those directly, and anything
        // else the general way.
        if (at + 2 <= plain && digit(text[at + 1]) && (digit(text[at]) || text[at] == ' ')) {
            numbers[p] =
                static_cast<std::int16_t>((text[at] == ' ' ? 0 : (text[at] - '0') * 10) + text[at + 1] - '0');
            continue;
        }
        if (wide.isNull())
            wide = QString::fromStdString(text);
        numbers[p] = cellFieldNumber(wide.mid(static_cast<qsizetype>(at), 2));
    }
    return numbers;
}

void loadDrawArchive(DrawArchive& archive, const QString& path, const QString& readerProgram,
                     const LoadProgress& progress, SampleMark sampleMark) {
    archive.reset();
    int k = 0;
    const std::string noText;
    jet::QueryCallbacks callbacks;
    callbacks.reading = [&](long long rowsRead, long long rowsExpected) {
        if (!progress.reading)
            return;
        const auto read = static_cast<int>(std::clamp<long long>(rowsRead, 0, MaxDraws + 1));
        progress.reading(
            read, std::max(read, static_cast<int>(std::clamp<long long>(rowsExpected, 0, MaxDraws + 1))));
    };
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
            const std::array<std::int16_t, 5> numbers = cellNumbers(cell.isNull ? noText : cell.text);
            for (int p = 1; p <= PositionCount; ++p)
                archive.storeNumber(index, w, p, numbers[static_cast<std::size_t>(p - 1)]);
        }
        if (progress.rowStored)
            progress.rowStored(k);
    };
    try {
        jet::runArchiveQuery(readerProgram.toStdString(), localPath(path).toStdString(), ArchiveQueryText,
                             callbacks);
    } catch (const jet::DamagedArchiveError& e) {
        throw ArchiveDamagedError(storico::unreadableArchiveText(path.toStdString(), e.what()));
    } catch (const jet::JetError& e) {
        throw ArchiveLoadError(e.what());
    }
    if (k == 0)
        throw ArchiveLoadError("l'archivio non contiene estrazioni");
    archive.setDrawCount(static_cast<std::int16_t>(k));
    archive.buildModelArchive();
    if (sampleMark == SampleMark::Read)
        archive.setSampleArchive(
            storico::isSampleArchive(readerProgram.toStdString(), localPath(path).toStdString()));
}
