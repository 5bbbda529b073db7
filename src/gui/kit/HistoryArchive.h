#pragma once

#include "gui/kit/Prompts.h"
#include "io/storico/ArchiveMerge.h"
#include "io/storico/HistoryReading.h"

#include <QString>
#include <QStringList>
#include <string>
#include <vector>

class QProgressBar;
struct LoadProgress;

// What the start window and the frame share to make or update an archive from the operator's history.
// The reading and merging functions take no widget, so that they can run on a worker thread.

// The dialog that picks the history: text files or the operator's zip, several at once, and nothing
// else. It starts where the history was last picked (CREA DA STORICO… and "Aggiorna archivio" alike),
// the first time in the home folder: never in the program's data folder, whose PercorsoDatabase.txt
// is no history.
FileDialogRequest historyFilesRequest();

// Reads and checks the chosen history. Throws storico::StoricoError when a file or zip cannot be read;
// rejected lines are in the result's errors.
storico::HistoryReading readChosenHistory(const QStringList& files);

struct ArchiveUpdatePlan {
    storico::HistoryReading reading;
    storico::ArchiveMerge merge;
};

// Reads the history, checks that the archive holds only draws, reads it through the reader helper and
// merges. Throws storico::StoricoError. When the history has rejected lines, nothing is merged.
ArchiveUpdatePlan planArchiveUpdate(const QString& archivePath, const QStringList& files,
                                    const QString& readerProgram);

// Where "CREA DA STORICO…" proposes to save an archive of real draws: the user's data folder, unless that is
// the folder of the bundled sample (a build tree, a writable install), where an Enter too many would
// replace it; then the user's home folder.
QString proposedArchiveFolder(const QString& dataDir, const QString& sampleFolder);

// The question asked before an archive made from the history replaces the one at archivePath: where
// it is, how many draws it holds and the date of the last. Reads the archive through the reader helper:
// run it off the GUI thread.
QString replaceArchiveQuestion(const QString& archivePath, const QString& readerProgram);

// An update that corrects draws, or that does not find some archive draws in the history (the wrong
// history chosen?), is confirmed only on purpose: Annulla is then the report's default.
DefaultButton updateReportDefault(const storico::ArchiveMerge& merge);

// The closing message of a written update: what was added and corrected, the last draw, the copy.
QString updateDoneText(const storico::ArchiveMerge& merge, const QString& lastDate, const QString& backup);

// The rejected lines of a history, as a box shows them.
QString rejectedLinesText(const storico::HistoryReading& reading, const QString& consequence);

QString joinedLines(const std::vector<std::string>& lines);

// The bar as a busy indicator while work of unknown length runs, or back to empty.
void showBusy(QProgressBar* bar, bool busy);

// Load callbacks that move the bar row by row and keep the window painted, without taking input.
LoadProgress barProgress(QProgressBar* bar);
