#pragma once

#include <QByteArray>
#include <QString>
#include <string>

// A file name is whatever bytes the system accepts, UTF-8 or not ("archivio\xe9.mdb" made on a Latin-1
// system). The tools carry the names of their command line in QStrings without losing a byte: UTF-8 is
// read as text, and each byte that is not UTF-8 becomes the lone code unit U+DC80..U+DCFF, which no
// text holds, and turns back into the same byte on the way to the system.
QString pathFromLocal(const QByteArray& bytes);
QByteArray localPath(const QString& path);

// The name for a message: valid UTF-8, with the bytes that are not text shown as \xHH.
QString shownPath(const QString& path);
