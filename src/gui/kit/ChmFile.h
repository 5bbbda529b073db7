#pragma once

#include "gui/kit/ChmTables.h"

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>

struct chmFile;

// A compiled help file (.chm) opened for reading: its pages and pictures, the topic list and the
// table of help contexts written by the help compiler.
class ChmFile {
public:
    ChmFile() = default;
    explicit ChmFile(const QString& path) { open(path); }
    ~ChmFile();
    ChmFile(const ChmFile&) = delete;
    ChmFile& operator=(const ChmFile&) = delete;

    bool open(const QString& path);
    void close();
    bool isOpen() const { return m_handle != nullptr; }
    QString path() const { return m_path; }

    // Object paths start with "/" (a missing one is added); letter case does not matter.
    bool contains(const QString& objectPath) const;
    QByteArray read(const QString& objectPath) const;
    QStringList objectPaths() const; // every page, picture and style sheet

    const ChmSystemInfo& system() const { return m_system; }
    QString defaultTopic() const;               // object path of the contents page
    QString topicForContext(int context) const; // object path, empty for an unknown context
    const QMap<quint32, QString>& contextMap() const { return m_contexts; }
    std::vector<ChmContentsEntry> contents() const;

    // Maps a link target stored in the file to an object path, or empty.
    QString resolve(const QString& target) const;

private:
    chmFile* m_handle = nullptr;
    QString m_path;
    ChmSystemInfo m_system;
    QMap<quint32, QString> m_contexts; // context -> object path
};
