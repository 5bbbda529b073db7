#pragma once

#include "ArchiveBuilder.h"
#include "ArchiveFixtures.h"
#include "core/DrawArchive.h"

#include <QDate>
#include <QTemporaryDir>
#include <memory>

// The largest archive the program loads: 9,999 random draws, built once per benchmark program.
inline DrawArchive& fullArchive() {
    static const std::unique_ptr<DrawArchive> archive = [] {
        auto a = std::make_unique<DrawArchive>();
        ArchiveBuilder build(*a, QDate(1939, 1, 7));
        build.randomDraws(MaxDraws, 1871);
        build.finish();
        return a;
    }();
    return *archive;
}

// The real draw history (../shared/data/storico), imported with veltrano-importa and loaded once per
// benchmark program; null when the folder is not there or the import fails.
inline DrawArchive* realHistory() {
    static const std::unique_ptr<DrawArchive> archive = []() -> std::unique_ptr<DrawArchive> {
        if (fixtures::realHistoryFolder().isEmpty())
            return nullptr;
        QString error;
        return fixtures::loadRealHistory(error);
    }();
    return archive.get();
}

// The real history as an archive file for the tools, imported once per benchmark program; empty when the
// folder is not there or the import fails.
inline QString realHistoryFile() {
    static QTemporaryDir dir;
    static const QString path = [] {
        if (!dir.isValid() || fixtures::realHistoryFolder().isEmpty())
            return QString();
        QString error;
        return fixtures::importRealHistory(dir.path(), error);
    }();
    return path;
}
