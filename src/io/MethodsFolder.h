#pragma once

#include <QString>

// The player's methods live in the "metodi" folder of the data folder. The first time it is asked for, it
// is made with a copy of the example methods shipped in the files folder's "metodi" (read-only when
// installed), each copy the player's own to change; later calls keep whatever the player has there, an
// example deleted on purpose included. When the data folder is the files folder (the build tree, a
// per-user install), the shipped folder is the player's.
// Throws std::runtime_error (an Italian message) when the folder or a copy cannot be made.
QString prepareMethodsFolder(const QString& filesFolder, const QString& dataFolder);
