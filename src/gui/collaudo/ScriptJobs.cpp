#include "gui/collaudo/ScriptJobs.h"

#include "core/metodi/ScriptError.h"

void ScriptJobOutcome::print(const QString& line) {
    const std::lock_guard lock(m_guard);
    if (m_printed.size() < MaxPrinted)
        m_printed << line;
    else if (!m_cut) {
        m_cut = true;
        m_printed << QStringLiteral("… (le altre righe non sono mostrate)");
    }
}

QStringList ScriptJobOutcome::printed() const {
    const std::lock_guard lock(m_guard);
    return m_printed;
}

SweepRunner::Job scriptJob(std::shared_ptr<ScriptJobOutcome> outcome, const DrawArchive& archive) {
    return [outcome, &archive](const SweepRunner::Progress& progress, const std::atomic<bool>& cancelled) {
        ScriptJobOutcome& o = *outcome;
        ScriptRunOptions run = o.run;
        run.cancel = &cancelled;
        run.print = [&o](const QString& line) { o.print(line); };
        try {
            if (o.sweep) {
                ScriptSweepSettings settings = *o.sweep;
                settings.run = run;
                // Thousands of runs would bury one run's output: the sweep's prints are dropped.
                settings.run.print = [](const QString&) {};
                constexpr int Steps = 1000;
                o.sweepResult = runScriptSweep(
                    o.source, archive, settings,
                    [&progress](double share) { progress(static_cast<int>(share * Steps), Steps); }, &cancelled);
                o.cancelled = o.sweepResult.cancelled || cancelled.load();
            } else {
                run.progress = [&progress](int examined, int total) { progress(examined, total); };
                auto result = std::make_shared<CollaudoResult>(runScriptCollaudo(o.source, archive, run));
                o.cancelled = cancelled.load();
                if (!o.cancelled)
                    o.result = std::move(result);
            }
        } catch (const ScriptError& e) {
            o.cancelled = cancelled.load();
            if (!o.cancelled)
                o.error = e.message();
        }
    };
}
