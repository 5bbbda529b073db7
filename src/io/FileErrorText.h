#pragma once

#include <QFileDevice>
#include <QString>

// Why a QFile, QSaveFile or QTemporaryDir failed, in Italian: Qt's own errorString() is English (the C
// library's text). `systemError` is errno read right after the failing call; 0 when it is not known,
// and then Qt's kind of error says what it can.
QString fileErrorText(QFileDevice::FileError error, int systemError);
