#pragma once

#include "gui/collaudo/CollaudoCharts.h"
#include "gui/collaudo/ResultGrid.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

// Everything the Collaudo window shows after one back-test beside its list of cases (a model over the
// result itself), in the words and number forms a person reads; made from the engine's result by plain
// functions, so tests check it without the window.
struct CollaudoShown {
    QString sentence;                                 // "3.475 positivi su 3.931 casi completi; ..."
    QString sentenceTip;                              // the exact figures of the sentence's small p's
    std::vector<std::pair<QString, QString>> summary; // label, value (Italian form)
    QHash<QString, QString> summaryTips;              // label -> the tool tip of its value
    QHash<QString, double> summaryExact;              // label -> the exact p behind "< 0,0001", for exports

    // A p shown in the summary: its short form, and where it is below what that form shows, the exact
    // figure in the tool tip and in the exports.
    void addSmallPNote(const QString& label, double p);
    std::vector<collaudoCharts::ColpoShare> byColpo;
    std::vector<collaudoCharts::BalanceStep> balance;
    std::optional<double> yield;
    std::vector<collaudoCharts::YearPositives> perYear;
};

// What the sweep table shows: its columns and one row per combination, in the engine's order.
struct SweepShown {
    QString caption; // above the table: how many combinations, how they are ranked
    QStringList headers;
    std::vector<ResultGrid::Row> rows;
};
