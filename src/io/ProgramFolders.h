#pragma once

#include <QString>

// Where the program and its tools find their files, and where the program writes its own.
//
// The files folder holds the reader helper, the help file, the sample archive and the program database
// (a template, when installed). The build tree keeps it beside the executables; an install keeps the
// executables in bin/ and the files in lib/veltrano/, so an unpacked package works under any folder.
//
// The data folder holds what the program writes (DbVeltrano.mdb, PercorsoDatabase.txt): the files
// folder itself when it is writable, as in the build tree or a per-user install; otherwise, and always
// under /usr (but /usr/local), where the package manager owns the files, the user's own folder,
// $XDG_DATA_HOME/veltrano (~/.local/share/veltrano when unset), so that each user of an installed package has
// their own settings and archive path.

// The files folder for executables in executableFolder: ../lib/veltrano when it exists, else
// executableFolder itself.
QString programFilesFolder(const QString& executableFolder);

// The reader helper (veltrano-lettore) for executables in executableFolder.
QString readerProgramFor(const QString& executableFolder);

// What decides the data folder; userDataFolder() reads it from the running process.
struct DataFolderSetting {
    QString filesFolder;
    bool filesFolderWritable = true;
    QString xdgDataHome; // the environment's value; empty or relative means unset
    QString home;
};

QString chooseDataFolder(const DataFolderSetting& setting);

// Makes the data folder ready. When it is not the files folder it is created and, the first time, the
// files folder's DbVeltrano.mdb is copied there, pointing at the files folder's sample archive, and
// PercorsoDatabase.txt is written beside it; later starts keep the copy and its settings.
// Throws std::runtime_error (an Italian message) when the folder or the copy cannot be made.
void prepareDataFolder(const QString& filesFolder, const QString& dataFolder);

// The data folder of the running user for filesFolder, made ready (see prepareDataFolder).
QString userDataFolder(const QString& filesFolder);
