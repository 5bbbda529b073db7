#include "gui/kit/HistoryArchive.h"

#include "io/ArchiveLoader.h"
#include "io/storico/ArchiveDraws.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProgressBar>
#include <memory>

FileDialogRequest historyFilesRequest(const QString& folder) {
    FileDialogRequest request;
    request.title = QStringLiteral("Storico delle estrazioni");
    request.folder = folder;
    request.filter = QStringLiteral("Storico delle estrazioni (*.txt *.zip);;Tutti i file (*)");
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
    storico::checkArchiveHoldsOnlyDraws(path);
    plan.merge = storico::mergeHistory(storico::readArchiveDraws(readerProgram.toStdString(), path),
                                       plan.reading.datedDraws);
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
        .arg(reading.errors.size())
        .arg(reading.errors.size() == 1 ? QStringLiteral("riga rifiutata")
                                        : QStringLiteral("righe rifiutate"))
        .arg(consequence, joinedLines(storico::errorReportLines(reading.errors)));
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
