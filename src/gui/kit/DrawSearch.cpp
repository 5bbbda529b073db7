#include "gui/kit/DrawSearch.h"

#include "core/DrawArchive.h"
#include "core/LeadingNumber.h"
#include "gui/kit/Prompts.h"

#include <QLocale>

namespace {
const QString DatePrompt = QStringLiteral("Data ?");
const QString DateNotFound = QStringLiteral("Data non trovata");
const QString DateNotFoundTitle = QStringLiteral("Cerca data");
const QString IndexPrompt = QStringLiteral("Inserire il n° indice dell'archivio modello.");
const QString IndexTitle = QStringLiteral("Scelta estrazione");
} // namespace

std::optional<std::int16_t> searchDrawByDate(Prompts& prompts, const DrawArchive& archive,
                                             const QString& title, DateSearchScope scope) {
    // Dates are compared as the archive stores them (dd/mm/yyyy): "5/1/2021" is not "05/01/2021".
    const QString typed = prompts.input(DatePrompt, title, QString());
    if (scope == DateSearchScope::ModelArchive) {
        for (int k = 1; k <= archive.modelCount(); ++k) {
            const std::int16_t draw = archive.modelDraw(k);
            if (archive.drawDate(draw) == typed)
                return draw;
        }
    } else {
        for (int n = 1; n <= archive.drawCount(); ++n) {
            if (archive.drawDate(n) == typed)
                return static_cast<std::int16_t>(n);
        }
    }
    prompts.message(DateNotFound, DateNotFoundTitle, MessageIcon::Information);
    return std::nullopt;
}

std::optional<std::int16_t> typedWholeNumber(const QString& text) {
    bool ok = false;
    const double value = QLocale().toDouble(text, &ok);
    if (!ok)
        return std::nullopt;
    return roundToInt16(value);
}

std::optional<std::int16_t> chooseDrawIndex(Prompts& prompts, const DrawArchive& archive) {
    const std::optional<std::int16_t> n = typedWholeNumber(prompts.input(IndexPrompt, IndexTitle, QString()));
    if (!n || *n < 1 || *n > archive.drawCount())
        return std::nullopt;
    return n;
}
