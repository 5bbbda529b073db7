#include "gui/collaudo/CollaudoFrm.h"

#include "core/DrawArchive.h"
#include "core/SettingsCheck.h"
#include "core/metodi/ScriptError.h"
#include "core/metodi/ScriptRun.h"
#include "gui/collaudo/CollaudoParameters.h"
#include "gui/collaudo/CollaudoPresentation.h"
#include "gui/collaudo/ResultGrid.h"
#include "gui/collaudo/ScriptJobs.h"
#include "gui/collaudo/ScriptMethodPanel.h"
#include "gui/collaudo/SweepRunner.h"
#include "gui/collaudo/SweepSelection.h"
#include "gui/kit/FrameServices.h"
#include "gui/kit/Prompts.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabWidget>

// The Collaudo window's part for the player's methods: the list of scripts, their parameters, their
// back-test and sweep on the worker.
void CollaudoFrm::setMethodsFolder(const QString& folder) {
    m_methodsFolder = folder;
    QStringList paths;
    const QDir dir(folder);
    for (const QString& name : dir.entryList({QStringLiteral("*.lua")}, QDir::Files, QDir::Name))
        paths << dir.absoluteFilePath(name);
    Parametri->setScripts(paths);
}

void CollaudoFrm::showScript(const QString& path) {
    {
        // The parameters are read once, by COLLAUDA: a script with an error shows it once.
        const QSignalBlocker quiet(Parametri->ComboMetodo);
        Parametri->selectScript(QFileInfo(path).absoluteFilePath());
    }
    Parametri->ComboMetodo_Change();
    PnMetodo->setVisible(true);
    Schede_Change(Schede->currentIndex());
    CmdCollauda_Click();
}

bool CollaudoFrm::loadScript(const QString& path, QString& source, std::vector<ScriptParameter>& parameters) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_prompts.message(QStringLiteral("Non si può leggere il metodo %1: %2")
                              .arg(QDir::toNativeSeparators(path), file.errorString()),
                          windowTitle(), MessageIcon::Exclamation);
        return false;
    }
    source = QString::fromUtf8(file.readAll());
    try {
        parameters = scriptParameters(source, m_archive);
    } catch (const ScriptError& e) {
        m_prompts.message(QStringLiteral("%1\n\n%2").arg(e.message(), QDir::toNativeSeparators(path)), windowTitle(),
                          MessageIcon::Exclamation);
        return false;
    }
    return true;
}

void CollaudoFrm::scriptChosen() {
    const QString path = Parametri->scriptPath();
    PnMetodo->setVisible(!path.isEmpty());
    Schede_Change(Schede->currentIndex());
    if (path.isEmpty())
        return;
    QString source;
    std::vector<ScriptParameter> parameters;
    if (!loadScript(path, source, parameters))
        parameters.clear();
    PnMetodo->setParameters(parameters);
}

std::shared_ptr<ScriptJobOutcome> CollaudoFrm::prepareScriptJob() {
    auto job = std::make_shared<ScriptJobOutcome>();
    job->path = Parametri->scriptPath();
    std::vector<ScriptParameter> parameters;
    // Read again: the script may have changed since it was chosen, its parameters with it.
    if (!loadScript(job->path, job->source, parameters))
        return nullptr;
    PnMetodo->setParameters(parameters);
    QString refusal;
    const auto values = PnMetodo->values(refusal);
    if (!values) {
        m_prompts.message(refusal, windowTitle(), MessageIcon::Exclamation);
        return nullptr;
    }
    const CollaudoSettings settings = collaudoSettings(*Parametri, m_archive);
    job->run.first = settings.first;
    job->run.last = settings.last;
    job->run.parametri = *values;
    return job;
}

void CollaudoFrm::collaudaScript() {
    if (sweepRunning())
        return;
    if (auto job = prepareScriptJob())
        startScriptJob(std::move(job));
}

void CollaudoFrm::esploraScript() {
    auto job = prepareScriptJob();
    if (!job)
        return;
    const SweepSettings asked = sweepSettings(*Parametri, m_archive, SweepRows);
    if (const auto from = Parametri->outOfSampleFrom();
        from && !settingsAccepted(outOfSampleError(m_archive, asked.first, asked.last, *from)))
        return;
    ScriptSweepSettings sweep;
    sweep.split = asked.split;
    sweep.order = asked.order;
    sweep.primi = asked.primi;
    sweep.threads = asked.threads;
    job->sweep = sweep;
    LblEsplora->setText(QStringLiteral("Esplorazione in corso…"));
    startScriptJob(std::move(job));
}

void CollaudoFrm::startScriptJob(std::shared_ptr<ScriptJobOutcome> job) {
    m_scriptJob = job;
    m_frame.setProgressMaximum(100);
    m_frame.setProgressValue(0);
    setSweeping(true);
    CmdCollauda->setEnabled(false);
    m_runner->start(scriptJob(std::move(job), m_archive));
}

void CollaudoFrm::scriptJobFinished(bool cancelled) {
    setSweeping(false);
    CmdCollauda->setEnabled(true);
    m_frame.setProgressValue(0);
    const std::shared_ptr<ScriptJobOutcome> job = std::move(m_scriptJob);
    const bool sweep = job->sweep.has_value();
    if (!sweep)
        TxtUscita->setPlainText(job->printed().join(QLatin1Char('\n')));
    if (cancelled || job->cancelled) {
        if (sweep)
            LblEsplora->setText(m_sweep ? QStringLiteral("Esplorazione annullata: restano i risultati precedenti.")
                                        : QStringLiteral("Esplorazione annullata."));
        return;
    }
    if (job->error) {
        if (sweep)
            LblEsplora->setText(m_sweep ? QStringLiteral("Esplorazione non riuscita: restano i risultati precedenti.")
                                        : QStringLiteral("Esplorazione non riuscita."));
        m_prompts.message(QStringLiteral("%1\n\n%2").arg(*job->error, QDir::toNativeSeparators(job->path)), windowTitle(),
                          MessageIcon::Exclamation);
        return;
    }
    if (sweep) {
        auto outcome = std::make_shared<SweepOutcome>();
        outcome->settings = sweepSettings(*Parametri, m_archive, SweepRows);
        outcome->settings.metodo = MethodSettings::Metodo::Giocatore;
        outcome->settings.split = job->sweep->split;
        outcome->result = std::move(job->sweepResult);
        m_sweep = std::move(outcome);
        m_sweepScript = job->path;
        SweepShown shown = presentSweep(*m_sweep, m_archive);
        FgEsplora->setTable(shown.headers, std::move(shown.rows));
        LblEsplora->setText(shown.caption);
        Schede->setCurrentIndex(2);
        return;
    }
    m_selection.reset();
    showResults(presentCollaudo(*job->result), job->result);
}

void CollaudoFrm::applyScriptRow(int sourceRow) {
    if (sourceRow < 0 || sourceRow >= static_cast<int>(m_sweep->result.rows.size()))
        return;
    const SweepRow& row = m_sweep->result.rows[static_cast<std::size_t>(sourceRow)];
    if (Parametri->scriptPath() != m_sweepScript)
        Parametri->selectScript(m_sweepScript);
    PnMetodo->setValues(row.parametri);
    m_selection.reset();
    CmdCollauda_Click();
    Schede->setCurrentIndex(0);
}
