#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <functional>
#include <vector>

// Readers for the tables a compiled help file keeps beside its pages. They take the raw bytes, so
// that malformed input can be tried without building a help file.

// The /#SYSTEM entries the viewer uses.
struct ChmSystemInfo {
    QString contentsFile; // the topic list (.hhc)
    QString defaultTopic; // the page shown when no topic is asked for
    QString title;
};

// One line of the topic list; depth 0 for the outermost level.
struct ChmContentsEntry {
    QString name;
    QString local; // page inside the help file, may carry an #anchor; empty for a heading
    int depth = 0;
};

ChmSystemInfo parseChmSystem(const QByteArray& system);

// Help contexts from /#IVB (pairs of context number and offset into /#STRINGS) and /#STRINGS
// (zero-terminated texts). Entries whose offset lies outside the strings are left out.
QMap<quint32, QString> parseChmContextMap(const QByteArray& ivb, const QByteArray& strings);

// The topic list (a sitemap: nested <UL> of <OBJECT type="text/sitemap"> items).
std::vector<ChmContentsEntry> parseChmContents(const QByteArray& sitemap);

// Turns a link target stored in the help file into the path of an object inside it ("/page.htm").
// Some compilers store the page's full path on the build machine, so leading folders are dropped
// one at a time until an existing object is found. Empty when nothing matches.
QString resolveChmObjectPath(const QString& target, const std::function<bool(const QString&)>& exists);
