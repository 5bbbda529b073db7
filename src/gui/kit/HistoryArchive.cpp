#include "gui/kit/HistoryArchive.h"

#include "io/ArchiveLoader.h"
#include "io/storico/ArchiveDraws.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProgressBar>
#include <memory>

namespace {

// "1 estrazione", "7.365 estrazioni".
QString counted(std::size_t count, const char* one, const char* many) {
    return QStringLiteral("%1 %2").arg(
        QString::fromStdString(storico::italianCount(static_cast<long long>(count))),
        QString::fromUtf8(count == 1 ? one : many));
}

} // namespace

FileDialogRequest historyFilesRequest() {
    FileDialogRequest request;
    request.title = QStringLiteral("Storico delle estrazioni");
    request.folder = QDir::homePath();
    request.folderKey = QStringLiteral("storico");
    request.filter = QStringLiteral("Storico delle estrazioni (*.txt *.zip)");
    return request;
}

storico::HistoryReading readChosenHistory(const QStringList& files) {
    std::vector<std::string> inputs;
    for (const QString& file : files)
        inputs.push_back(file.toStdString());
    return storico::readHistory(storico::readHistoryInputs(inputs));
}

ArchiveUpdatePlan planArchiveUpdate(const QString& archivePath, const QStringList& files,
                                    const QString& readerProgram) {
    ArchiveUpdatePlan plan;
    plan.reading = readChosenHistory(files);
    if (!plan.reading.errors.empty())
        return plan;
    const std::string path = archivePath.toStdString();
    // The draws first: a damaged archive is named as such before anything else is said of it.
    std::vector<storico::Draw> archiveDraws = storico::readArchiveDraws(readerProgram.toStdString(), path);
    storico::checkArchiveHoldsOnlyDraws(path);
    plan.merge = storico::mergeHistory(archiveDraws, plan.reading.datedDraws);
    return plan;
}

QString joinedLines(const std::vector<std::string>& lines) {
    QStringList text;
    for (const auto& line : lines)
        text << QString::fromStdString(line);
    return text.join(QLatin1Char('\n'));
}

QString rejectedLinesText(const storico::HistoryReading& reading, const QString& consequence) {
    return QStringLiteral("%1 %2 nello storico, %3:\n\n%4")
        .arg(reading.errorCount)
        .arg(reading.errorCount == 1 ? QStringLiteral("riga rifiutata")
                                        : QStringLiteral("righe rifiutate"))
        .arg(consequence, joinedLines(storico::errorReportLines(reading.errors, reading.errorCount)));
}

void showBusy(QProgressBar* bar, bool busy) {
    bar->setRange(0, busy ? 0 : 1);
    bar->setValue(0);
}

LoadProgress barProgress(QProgressBar* bar) {
    auto sinceRepaint = std::make_shared<QElapsedTimer>();
    sinceRepaint->start();
    // Keep the window painted while the file is read and the rows arrive, without taking the user's input.
    const auto repaint = [sinceRepaint] {
        if (sinceRepaint->elapsed() >= 30) {
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            sinceRepaint->restart();
        }
    };
    LoadProgress progress;
    // The bar fills while the helper reads the file, then again, quickly, as the rows are stored.
    progress.reading = [bar, repaint](int rowsRead, int rowsExpected) {
        bar->setRange(0, std::max(rowsExpected, 1));
        bar->setValue(rowsRead);
        repaint();
    };
    progress.started = [bar](int rowCount) {
        bar->setRange(0, std::max(rowCount, 1));
        bar->setValue(0);
    };
    progress.rowStored = [bar, repaint](int k) {
        bar->setValue(std::min(k, bar->maximum()));
        repaint();
    };
    return progress;
}

QString proposedArchiveFolder(const QString& dataDir, const QString& sampleFolder) {
    const QString data = QFileInfo(dataDir).canonicalFilePath();
    if (data.isEmpty() || data == QFileInfo(sampleFolder).canonicalFilePath())
        return QDir::homePath();
    return dataDir;
}

QString replaceArchiveQuestion(const QString& archivePath, const QString& readerProgram) {
    const QString folder = QDir::toNativeSeparators(QFileInfo(archivePath).absolutePath());
    std::vector<storico::Draw> draws;
    try {
        draws = storico::readArchiveDraws(readerProgram.toStdString(), archivePath.toStdString());
    } catch (const std::exception&) {
        return QStringLiteral("Esiste già un file %1 in %2, che non si riesce a leggere come archivio: "
                              "sostituirlo?")
            .arg(QFileInfo(archivePath).fileName(), folder);
    }
    const QString held = draws.empty() ? QStringLiteral("nessuna estrazione")
                                       : counted(draws.size(), "estrazione", "estrazioni") +
                                             QStringLiteral(", l'ultima del ") +
                                             QString::fromStdString(draws.back().date.programText());
    return QStringLiteral("Esiste già un archivio in %1 (%2): sostituirlo?").arg(folder, held);
}

DefaultButton updateReportDefault(const storico::ArchiveMerge& merge) {
    return merge.corrections.empty() && merge.archiveOnly.empty() ? DefaultButton::Accept
                                                                  : DefaultButton::Cancel;
}

QString updateDoneText(const storico::ArchiveMerge& merge, const QString& lastDate, const QString& backup) {
    QStringList done;
    done << (merge.added.empty() ? QStringLiteral("nessuna estrazione aggiunta")
                                 : counted(merge.added.size(), "estrazione aggiunta", "estrazioni aggiunte"));
    if (!merge.filled.empty())
        done << counted(merge.filled.size(), "ruota aggiunta a un'estrazione già in archivio",
                        "ruote aggiunte a estrazioni già in archivio");
    done << (merge.corrections.empty() ? QStringLiteral("nessuna correzione")
                                       : counted(merge.corrections.size(), "correzione", "correzioni"));
    return QStringLiteral("Archivio aggiornato: %1; ultima estrazione del %2.\nCopia del precedente: %3")
        .arg(done.join(QStringLiteral(", ")), lastDate, QDir::toNativeSeparators(backup));
}
