#pragma once

#include "ArchiveBuilder.h"
#include "ArchiveLoader.h"
#include "DrawArchive.h"

#include <QDate>
#include <QDir>
#include <QProcess>
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
        const QString folder = QStringLiteral(VELTRANO_SHARED_DIR "/data/storico");
        const QString bin = QStringLiteral(VELTRANO_PROGRAM_DIR);
        QTemporaryDir dir;
        if (!QDir(folder).exists() || !dir.isValid())
            return nullptr;
        const QString path = dir.filePath(QStringLiteral("Dbarcomax.mdb"));
        QProcess import;
        import.start(bin + QStringLiteral("/veltrano-importa"), {QStringLiteral("--output"), path, folder});
        if (!import.waitForFinished(120000) || import.exitCode() != 0)
            return nullptr;
        auto a = std::make_unique<DrawArchive>();
        a->fillWheelCodesAndDiametral();
        a->setModelStart(1);
        loadDrawArchive(*a, path, bin + QStringLiteral("/veltrano-lettore"));
        return a;
    }();
    return archive.get();
}
