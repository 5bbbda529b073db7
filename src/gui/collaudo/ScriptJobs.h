#pragma once

#include "core/Collaudo.h"
#include "core/Sweep.h"
#include "core/metodi/ScriptCollaudo.h"
#include "gui/collaudo/SweepRunner.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <mutex>
#include <optional>

class DrawArchive;

// A player's method run on the Collaudo window's worker: what was asked, what came back (a result, or the
// script's error) and what the script printed. The job fills it; the window reads it once the job is done.
struct ScriptJobOutcome {
    QString path;
    QString source;
    ScriptRunOptions run;
    std::optional<ScriptSweepSettings> sweep; // set for ESPLORA
    std::shared_ptr<const CollaudoResult> result;
    SweepResult sweepResult;
    std::optional<QString> error; // the script's message, its line included
    bool cancelled = false;

    // The lines print wrote, at most MaxPrinted (print may be called from several threads at once).
    void print(const QString& line);
    QStringList printed() const;
    static constexpr int MaxPrinted = 5000;

private:
    mutable std::mutex m_guard;
    QStringList m_printed;
    bool m_cut = false;
};

// The job that runs the back-test (runScriptCollaudo, progress in draws examined) or the sweep
// (runScriptSweep, progress in combinations tried) of the outcome's script.
SweepRunner::Job scriptJob(std::shared_ptr<ScriptJobOutcome> outcome, const DrawArchive& archive);
