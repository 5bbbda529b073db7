#pragma once

#include "ArchiveBuilder.h"
#include "DrawArchive.h"

#include <QDate>
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
