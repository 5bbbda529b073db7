#include "gui/ambo/AmboReport.h"

#include "core/DrawArchive.h"
#include "core/MethodSettings.h"
#include "gui/ambo/EqualAmboSearch.h"

#include <QDir>
#include <QPrinter>
#include <QStandardPaths>

namespace {

QString drawText(const DrawArchive& archive, int draw) {
    return QStringLiteral("%1 del %2").arg(draw).arg(archive.drawDate(draw));
}

QString listOrNone(const QStringList& items, const QString& separator) {
    return items.isEmpty() ? QStringLiteral("nessuna") : items.join(separator);
}

} // namespace

GridReport amboReport(const AmboState& searched, const AmboControls& verified, const DrawArchive& archive,
                      const GridModel& Fg1, const GridModel& FgS, const QDateTime& printedAt) {
    GridReport report;
    report.title = QStringLiteral("Veltrano – ambo uguale su due ruote");
    report.side = &FgS;
    report.table = &Fg1;
    report.footer =
        QStringLiteral("Veltrano, %1").arg(printedAt.toString(QStringLiteral("dd/MM/yyyy HH:mm")));

    QStringList& lines = report.lines;
    lines << QStringLiteral("Archivio: %1").arg(QDir::toNativeSeparators(archive.archivePath()));
    if (verified.Ch_Intervallo == AmboControls::Checked)
        lines << QStringLiteral("Intervallo: estrazioni dalla %1 alla %2")
                     .arg(drawText(archive, searched.IndiceInizio), drawText(archive, searched.IndiceFine));
    else
        lines << QStringLiteral("Ricerca: dall'estrazione %1 indietro, fino a %2 casi")
                     .arg(drawText(archive, searched.IndiceFine))
                     .arg(searched.LimiteCasi);
    if (const QString notice = caseCapNotice(searched); !notice.isEmpty())
        lines << notice;

    QStringList wheels;
    for (int w = 0; w < static_cast<int>(searched.RuoteSelezionate.size()); ++w)
        if (searched.RuoteSelezionate[static_cast<std::size_t>(w)])
            wheels << archive.wheelCode(w);
    QStringList positions;
    for (int p = 1; p <= 5; ++p)
        if (searched.PosizioniSelezionate[static_cast<std::size_t>(p)])
            positions << QString::number(p);
    lines << QStringLiteral("Ruote: %1    Posizioni: %2%3")
                 .arg(listOrNone(wheels, QStringLiteral(" ")), listOrNone(positions, QStringLiteral(" ")),
                      searched.PosizioniAdiacenti ? QStringLiteral(" (solo adiacenti)") : QString());

    QStringList types;
    for (std::size_t t = 0; t < WheelRelations::TypeNames.size(); ++t)
        if (searched.TipiRuote[t])
            types << QString::fromUtf8(WheelRelations::TypeNames[t]);
    QStringList outcomes;
    const std::array boxes{verified.Ch_1, verified.Ch_2, verified.Ch_4, verified.Ch_Tutte};
    for (std::size_t b = 0; b < boxes.size(); ++b)
        if (boxes[b] == AmboControls::Checked)
            outcomes << QString::fromUtf8(MethodSettings::OutcomeNames[b].caption);
    lines << QStringLiteral("Tipo ruote: %1    Colpi: %2    Esiti: %3")
                 .arg(listOrNone(types, QStringLiteral(", ")))
                 .arg(searched.Colpi)
                 .arg(listOrNone(outcomes, QStringLiteral(", ")));
    return report;
}

FileDialogRequest pdfExportRequest() {
    FileDialogRequest request;
    request.title = QStringLiteral("Esporta PDF");
    request.folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    request.fileName = QStringLiteral("casi.pdf");
    request.filter = QStringLiteral("Documento PDF (*.pdf)");
    request.defaultSuffix = QStringLiteral("pdf");
    return request;
}
