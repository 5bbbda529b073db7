#include "gui/collaudo/CollaudoFrm.h"

#include "core/Collaudo.h"
#include "core/DrawArchive.h"
#include "core/SettingsCheck.h"
#include "gui/collaudo/CaseListModel.h"
#include "gui/collaudo/CollaudoParameters.h"
#include "gui/collaudo/CollaudoPresentation.h"
#include "gui/collaudo/ResultGrid.h"
#include "gui/collaudo/ScriptMethodPanel.h"
#include "gui/collaudo/SweepRunner.h"
#include "gui/collaudo/SweepSelection.h"
#include "gui/kit/ChartPanel.h"
#include "gui/kit/ChildArea.h"
#include "gui/kit/DateField.h"
#include "gui/kit/FrameServices.h"
#include "gui/kit/GridView.h"
#include "gui/kit/HelpKey.h"
#include "gui/kit/HelpService.h"
#include "gui/kit/ItemTableView.h"
#include "gui/kit/MethodControls.h"
#include "gui/kit/ProgramIcons.h"
#include "gui/kit/Prompts.h"
#include "gui/kit/StaleNotice.h"
#include "gui/kit/WaitPointer.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>
#include <atomic>

namespace {
const QString Title = QStringLiteral("Collaudo");
constexpr int SummaryWidth = 250;
constexpr int ProgressSteps = 1000;
constexpr int SweepTab = 2;
} // namespace

CollaudoFrm::CollaudoFrm(DrawArchive& archive, const Palette& palette, Prompts& prompts, HelpService& help,
                         FrameServices& frame, QWidget* parent)
    : QWidget(parent), m_archive(archive), m_palette(palette), m_prompts(prompts), m_help(help),
      m_frame(frame) {
    setObjectName(QStringLiteral("CollaudoFrm"));
    setWindowTitle(Title);
    setWindowIcon(programIcon(ProgramIcon::Collaudo));
    m_runner = new SweepRunner(this);
    buildControls();

    connect(CmdCollauda, &QPushButton::clicked, this, &CollaudoFrm::CmdCollauda_Click);
    connect(CmdEsplora, &QPushButton::clicked, this, &CollaudoFrm::CmdEsplora_Click);
    connect(CmdAnnulla, &QPushButton::clicked, this, &CollaudoFrm::CmdAnnulla_Click);
    connect(FgCasi, &QTableView::doubleClicked, this, &CollaudoFrm::FgCasi_DoubleClick);
    connect(FgEsplora, &ResultGrid::rowActivated, this, &CollaudoFrm::FgEsplora_RowActivated);
    connect(Parametri, &CollaudoParameters::changed, this, &CollaudoFrm::Parametri_Change);
    connect(Schede, &QTabWidget::currentChanged, this, &CollaudoFrm::Schede_Change);
    connect(m_runner, &SweepRunner::progress, this, &CollaudoFrm::sweepProgress);
    connect(m_runner, &SweepRunner::finished, this, &CollaudoFrm::sweepFinished);
    connect(Parametri->ComboMetodo, &QComboBox::currentIndexChanged, this, &CollaudoFrm::scriptChosen);
    // "FINE" and the frame's close end the event loop without closing this window, and the store the
    // worker reads goes away soon after: the worker must be gone first.
    connect(qApp, &QCoreApplication::aboutToQuit, this, &CollaudoFrm::stopSweep);
    HelpKey::attach(this, m_help, HelpContext);
}

CollaudoFrm::~CollaudoFrm() {
    // The worker reads the archive and writes into m_pendingSweep: it must be gone before they are.
    stopSweep();
}

void CollaudoFrm::stopSweep() {
    m_runner->cancel();
    m_runner->wait();
}

QSize CollaudoFrm::sizeHint() const {
    return {1250, 690};
}

bool CollaudoFrm::sweepRunning() const {
    return m_runner->isRunning();
}

void CollaudoFrm::buildControls() {
    Parametri = new CollaudoParameters(m_archive, this);
    auto* top = new QHBoxLayout;
    top->setSpacing(8);
    top->addWidget(Parametri, 1);
    top->addWidget(buildCommands());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addLayout(top);
    layout->addWidget(buildResults(), 1);
}

QWidget* CollaudoFrm::buildCommands() {
    auto* panel = new QWidget(this);
    auto* v = new QVBoxLayout(panel);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(4);
    CmdCollauda = new QPushButton(QStringLiteral("COLLAUDA"), panel);
    CmdCollauda->setObjectName(QStringLiteral("CmdCollauda"));
    CmdCollauda->setToolTip(QStringLiteral("Collaudo del metodo con le scelte della finestra"));
    // Drawn as the default, and Enter presses it (keyPressEvent): a window is no dialog, Qt does neither.
    CmdCollauda->setDefault(true);
    CmdEsplora = new QPushButton(QStringLiteral("ESPLORA"), panel);
    CmdEsplora->setObjectName(QStringLiteral("CmdEsplora"));
    CmdEsplora->setToolTip(QStringLiteral("Prova tutte le combinazioni del metodo: tipi, posizioni e colpi "
                                          "per l'ambo uguale, soglie e colpi per il ritardatario"));
    CmdAnnulla = new QPushButton(QStringLiteral("ANNULLA"), panel);
    CmdAnnulla->setObjectName(QStringLiteral("CmdAnnulla"));
    CmdAnnulla->setToolTip(QStringLiteral("Ferma l'esplorazione in corso"));
    CmdAnnulla->setEnabled(false);
    for (QPushButton* b : {CmdCollauda, CmdEsplora, CmdAnnulla}) {
        QFont font = b->font();
        font.setBold(true);
        b->setFont(font);
        b->setMinimumHeight(30);
        b->setMinimumWidth(110);
        v->addWidget(b);
    }
    v->addStretch(1);
    return panel;
}

QWidget* CollaudoFrm::buildResults() {
    auto* area = new QWidget(this);
    auto* column = new QVBoxLayout(area);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);
    auto* row = new QWidget(area);
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(6);

    // The sentence across the whole window: in the summary's narrow column a long one (a sweep row's, with
    // its corrections and out-of-sample figures) would push the summary's last rows out of sight.
    LblAggiorna = new StaleNotice(QStringLiteral("LblAggiorna"), QStringLiteral("COLLAUDA"), area);
    LblRiepilogo = new QLabel(area);
    LblRiepilogo->setObjectName(QStringLiteral("LblRiepilogo"));
    LblRiepilogo->setWordWrap(true);
    LblRiepilogo->setTextInteractionFlags(Qt::TextSelectableByMouse);
    LblRiepilogo->setText(QStringLiteral("Scegliere le impostazioni e premere COLLAUDA."));
    LblRiepilogo->setFrameShape(QFrame::StyledPanel);
    LblRiepilogo->setMargin(6);
    column->addWidget(LblAggiorna);
    column->addWidget(LblRiepilogo);
    column->addWidget(row, 1);

    FgRiepilogo = new GridView(row);
    FgRiepilogo->setObjectName(QStringLiteral("FgRiepilogo"));
    FgRiepilogo->setStretchLastColumn(true);
    FgRiepilogo->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FgRiepilogo->setCopyWithHeaders(true);
    FgRiepilogo->setExportFileName(QStringLiteral("collaudo-riepilogo.csv"));
    FgRiepilogo->setFixedWidth(SummaryWidth);
    // A player's method's parameters above the summary: the row of built-in controls has no room left.
    // Each keeps the summary's width, so that the column goes when both are hidden (the sweep's tab of a
    // built-in method).
    auto* summary = new QWidget(row);
    auto* sv = new QVBoxLayout(summary);
    sv->setContentsMargins(0, 0, 0, 0);
    sv->setSpacing(4);
    PnMetodo = new ScriptMethodPanel(summary);
    PnMetodo->setFixedWidth(SummaryWidth);
    PnMetodo->setVisible(false);
    sv->addWidget(PnMetodo);
    sv->addWidget(FgRiepilogo, 1);
    h->addWidget(summary);

    Schede = new QTabWidget(row);
    Schede->setObjectName(QStringLiteral("Schede"));
    auto* charts = new QWidget(Schede);
    auto* ch = new QHBoxLayout(charts);
    ch->setContentsMargins(2, 2, 2, 2);
    GrColpi = new ChartPanel(m_prompts, QStringLiteral("GrColpi"), charts);
    GrSaldo = new ChartPanel(m_prompts, QStringLiteral("GrSaldo"), charts);
    GrAnni = new ChartPanel(m_prompts, QStringLiteral("GrAnni"), charts);
    for (ChartPanel* panel : {GrColpi, GrSaldo, GrAnni})
        ch->addWidget(panel, 1);
    Schede->addTab(charts, QStringLiteral("Grafici"));

    m_cases = new CaseListModel(m_archive, m_palette, this);
    FgCasi = new ItemTableView(Schede);
    FgCasi->setObjectName(QStringLiteral("FgCasi"));
    FgCasi->setModel(m_cases);
    FgCasi->verticalHeader()->hide();
    FgCasi->horizontalHeader()->setMinimumSectionSize(14); // the marker column is a narrow strip
    // Every case has texts of the same few widths: a hundred rows measure the columns.
    FgCasi->horizontalHeader()->setResizeContentsPrecision(100);
    FgCasi->setPrompts(&m_prompts);
    FgCasi->setExportFileName(QStringLiteral("collaudo-casi.csv"));
    FgCasi->setToolTip(QStringLiteral("Doppio clic su un caso: mini elenco su quell'estrazione"));
    Schede->addTab(FgCasi, QStringLiteral("Casi"));

    auto* sweep = new QWidget(Schede);
    auto* sw = new QVBoxLayout(sweep);
    sw->setContentsMargins(2, 2, 2, 2);
    LblEsplora = new QLabel(QStringLiteral("Nessuna esplorazione."), sweep);
    LblEsplora->setObjectName(QStringLiteral("LblEsplora"));
    LblEsplora->setWordWrap(true);
    FgEsplora = new ResultGrid(QStringLiteral("FgEsplora"), false, sweep);
    FgEsplora->setExportFileName(QStringLiteral("collaudo-esplorazione.csv"));
    FgEsplora->setToolTip(
        QStringLiteral("Doppio clic su una riga: ne copia le impostazioni e avvia COLLAUDA"));
    LblAggiornaEsplora =
        new StaleNotice(QStringLiteral("LblAggiornaEsplora"), QStringLiteral("ESPLORA"), sweep);
    LblAggiornaEsplora->cover({LblEsplora, FgEsplora});
    sw->addWidget(LblAggiornaEsplora);
    sw->addWidget(LblEsplora);
    sw->addWidget(FgEsplora, 1);
    Schede->addTab(sweep, QStringLiteral("Esplorazione"));
    LblAggiorna->cover({LblRiepilogo, FgRiepilogo, charts, FgCasi});
    TxtUscita = new QPlainTextEdit(Schede);
    TxtUscita->setObjectName(QStringLiteral("TxtUscita"));
    TxtUscita->setReadOnly(true);
    TxtUscita->setLineWrapMode(QPlainTextEdit::NoWrap);
    TxtUscita->setPlaceholderText(QStringLiteral("Qui compare ciò che il metodo del giocatore scrive con print."));
    Schede->addTab(TxtUscita, QStringLiteral("Uscita del metodo"));
    h->addWidget(Schede, 1);
    for (GridView* g : {FgRiepilogo, static_cast<GridView*>(FgEsplora)})
        g->setPrompts(&m_prompts);
    return area;
}

namespace {

template <typename T, std::size_t N> QVariantList listOf(const std::array<T, N>& values) {
    QVariantList list;
    for (const T& v : values)
        list << v;
    return list;
}

template <typename T, std::size_t N>
std::array<T, N> arrayOf(const QVariant& value, const std::array<T, N>& fallback) {
    const QVariantList list = value.toList();
    if (list.size() != static_cast<qsizetype>(N))
        return fallback;
    std::array<T, N> out{};
    for (std::size_t i = 0; i < N; ++i)
        out[i] = list[static_cast<qsizetype>(i)].value<T>();
    return out;
}

} // namespace

QVariantMap CollaudoFrm::keptSettings() const {
    const CollaudoParameters& p = *Parametri;
    QVariantMap kept{{QStringLiteral("metodo"), static_cast<int>(p.metodo())},
                     {QStringLiteral("soglia"), p.soglia()},
                     {QStringLiteral("ruote"), listOf(p.wheels())},
                     {QStringLiteral("posizioni"), listOf(p.positions())},
                     {QStringLiteral("tipi"), listOf(p.wheelTypes())},
                     {QStringLiteral("adiacenti"), p.adjacentPositions()},
                     {QStringLiteral("colpi"), p.colpi()},
                     {QStringLiteral("esiti"), listOf(p.outcomeBoxes().flags())},
                     {QStringLiteral("poste"), listOf(p.stakes())},
                     {QStringLiteral("scheda"), Schede->currentIndex()}};
    methodControls::keepPeriod(kept, *p.DtDal, *p.DtAl);
    if (!p.scriptPath().isEmpty())
        kept.insert(QStringLiteral("script"), p.scriptPath());
    if (const auto from = p.outOfSampleFrom())
        kept.insert(QStringLiteral("fuoriCampione"), *from);
    return kept;
}

void CollaudoFrm::restoreSettings(const QVariantMap& kept) {
    CollaudoParameters& p = *Parametri;
    p.setMetodo(static_cast<MethodSettings::Metodo>(
        kept.value(QStringLiteral("metodo"), static_cast<int>(p.metodo())).toInt()));
    if (const QString script = kept.value(QStringLiteral("script")).toString();
        !script.isEmpty() && QFileInfo::exists(script))
        p.selectScript(script);
    p.setSoglia(kept.value(QStringLiteral("soglia"), p.soglia()).toInt());
    p.setWheels(arrayOf(kept.value(QStringLiteral("ruote")), p.wheels()));
    p.setPositions(arrayOf(kept.value(QStringLiteral("posizioni")), p.positions()));
    p.setWheelTypes(arrayOf(kept.value(QStringLiteral("tipi")), p.wheelTypes()));
    p.setAdjacentPositions(kept.value(QStringLiteral("adiacenti")).toBool());
    p.setColpi(kept.value(QStringLiteral("colpi"), p.colpi()).toInt());
    p.setOutcomeBoxes(arrayOf(kept.value(QStringLiteral("esiti")), p.outcomeBoxes().flags()));
    p.setStakes(arrayOf(kept.value(QStringLiteral("poste")), p.stakes()));
    p.setRange(kept.value(QStringLiteral("dal")).toDate(), methodControls::keptPeriodEnd(kept, *p.DtAl));
    p.setOutOfSampleFrom(kept.contains(QStringLiteral("fuoriCampione"))
                             ? std::optional<QDate>(kept.value(QStringLiteral("fuoriCampione")).toDate())
                             : std::nullopt);
    Schede->setCurrentIndex(kept.value(QStringLiteral("scheda")).toInt());
}

bool CollaudoFrm::rangeAccepted() {
    if (Parametri->rangeStart() <= Parametri->rangeEnd())
        return true;
    m_prompts.message(QStringLiteral("La data d'inizio (%1) è successiva alla data di fine (%2).")
                          .arg(Parametri->DtDal->text(), Parametri->DtAl->text()),
                      Title, MessageIcon::Exclamation);
    return false;
}

bool CollaudoFrm::settingsAccepted(const QString& error) {
    if (error.isEmpty())
        return true;
    m_prompts.message(error, Title, MessageIcon::Exclamation);
    return false;
}

void CollaudoFrm::CmdCollauda_Click() {
    if (!settingsAccepted(Parametri->typedDatesError(false)) || !rangeAccepted() ||
        !settingsAccepted(Parametri->typedNumbersError()))
        return;
    if (Parametri->metodo() == MethodSettings::Metodo::Giocatore) {
        collaudaScript();
        return;
    }
    const CollaudoSettings settings = collaudoSettings(*Parametri, m_archive);
    if (!settingsAccepted(methodWheelsError(settings.metodo, settings.wheels, settings.types, false)))
        return;
    WaitPointer hourglass;
    auto result = std::make_shared<const CollaudoResult>(runCollaudo(settings, m_archive));
    CollaudoShown shown = presentCollaudo(*result);
    // A setting changed by hand since the row was applied makes these settings the user's own.
    if (m_selection && !m_selection->stillHolds(settings))
        m_selection.reset();
    if (m_selection)
        noteSweepSelection(shown, *m_selection, *result);
    m_shownSettings = std::make_unique<CollaudoSettings>(settings);
    showResults(shown, result);
    Parametri_Change();
}

void CollaudoFrm::showResults(const CollaudoShown& shown, std::shared_ptr<const CollaudoResult> result) {
    LblRiepilogo->setText(shown.sentence);
    LblRiepilogo->setToolTip(shown.sentenceTip);
    GridModel& s = *FgRiepilogo->gridModel();
    {
        GridModel::Batch batch(s);
        s.setRows(static_cast<int>(shown.summary.size()) + 1);
        s.setCols(2);
        s.setFixedRows(1);
        s.setFixedCols(1);
        s.setText(0, 0, QStringLiteral("Riepilogo"));
        s.setText(0, 1, QStringLiteral("Valore"));
        for (std::size_t i = 0; i < shown.summary.size(); ++i) {
            s.setText(static_cast<int>(i) + 1, 0, shown.summary[i].first);
            s.setText(static_cast<int>(i) + 1, 1, shown.summary[i].second);
            s.setToolTip(static_cast<int>(i) + 1, 1, shown.summaryTips.value(shown.summary[i].first));
            if (const auto exact = shown.summaryExact.constFind(shown.summary[i].first);
                exact != shown.summaryExact.cend())
                s.setExactValue(static_cast<int>(i) + 1, 1, *exact);
        }
    }
    s.autoSizeColumns();

    m_cases->setResult(std::move(result));
    FgCasi->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    FgCasi->resizeColumnsToContents();
    FgCasi->setColumnWidth(CaseListModel::Marker, 14);
    GrColpi->setChart(collaudoCharts::positivesByColpo(shown.byColpo));
    GrSaldo->setChart(collaudoCharts::balanceOverTime(shown.balance, shown.yield));
    GrAnni->setChart(collaudoCharts::positivesPerYear(shown.perYear));
}

void CollaudoFrm::CmdEsplora_Click() {
    if (sweepRunning() || !settingsAccepted(Parametri->typedDatesError(true)) || !rangeAccepted())
        return;
    if (Parametri->metodo() == MethodSettings::Metodo::Giocatore) {
        esploraScript();
        return;
    }
    auto sweep = std::make_shared<SweepOutcome>();
    sweep->settings = sweepSettings(*Parametri, m_archive, SweepRows);
    if (!settingsAccepted(methodWheelsError(sweep->settings.metodo, sweep->settings.wheels, {}, true)))
        return;
    if (const auto from = Parametri->outOfSampleFrom();
        from &&
        !settingsAccepted(outOfSampleError(m_archive, sweep->settings.first, sweep->settings.last, *from)))
        return;
    m_pendingSweep = sweep;
    const DrawArchive& archive = m_archive;
    // The job holds its own reference to the outcome it fills; the window takes it when the job is done.
    SweepRunner::Job job = [sweep, &archive](const SweepRunner::Progress& progress,
                                             const std::atomic<bool>& cancelled) {
        sweep->result = runSweep(
            sweep->settings, archive,
            [&progress](double share) { progress(static_cast<int>(share * ProgressSteps), ProgressSteps); },
            &cancelled);
    };
    m_frame.setProgressMaximum(100);
    m_frame.setProgressValue(0);
    setSweeping(true);
    LblEsplora->setText(QStringLiteral("Esplorazione in corso…"));
    m_runner->start(std::move(job));
}

void CollaudoFrm::CmdAnnulla_Click() {
    m_runner->cancel();
}

void CollaudoFrm::sweepProgress(int done, int total) {
    // Reports queued before ANNULLA or the window's close arrive after it: they must not fill the bar
    // again once it has been emptied.
    if (total > 0 && !m_runner->cancelRequested())
        m_frame.setProgressValue(static_cast<int>(100LL * done / total));
}

void CollaudoFrm::sweepFinished(bool cancelled) {
    if (m_scriptJob) {
        scriptJobFinished(cancelled);
        return;
    }
    setSweeping(false);
    m_frame.setProgressValue(0);
    std::shared_ptr<SweepOutcome> finished = std::move(m_pendingSweep);
    if (cancelled || !finished || finished->result.cancelled) {
        // The previous results stay as they were.
        LblEsplora->setText(m_sweep
                                ? QStringLiteral("Esplorazione annullata: restano i risultati precedenti.")
                                : QStringLiteral("Esplorazione annullata."));
        return;
    }
    m_sweep = std::move(finished);
    SweepShown shown = presentSweep(*m_sweep, m_archive);
    FgEsplora->setTable(shown.headers, std::move(shown.rows));
    LblEsplora->setText(shown.caption);
    Schede->setCurrentIndex(SweepTab);
    Parametri_Change();
}

void CollaudoFrm::Schede_Change(int index) {
    // The summary is the back-test's: the sweep's table, with its out-of-sample columns, takes its room.
    FgRiepilogo->setVisible(index != SweepTab);
    // With neither the summary nor a player's method's parameters, the column goes, spacing and all.
    FgRiepilogo->parentWidget()->setVisible(index != SweepTab || !PnMetodo->isHidden());
}

void CollaudoFrm::Parametri_Change() {
    if (m_shownSettings)
        LblAggiorna->setStale(!sameBackTest(collaudoSettings(*Parametri, m_archive), *m_shownSettings));
    if (m_sweep)
        LblAggiornaEsplora->setStale(
            !sweepStillApplies(sweepSettings(*Parametri, m_archive, SweepRows), m_sweep->settings));
}

void CollaudoFrm::setSweeping(bool sweeping) {
    CmdAnnulla->setEnabled(sweeping);
    CmdEsplora->setEnabled(!sweeping);
}

void CollaudoFrm::FgCasi_DoubleClick(const QModelIndex& index) {
    if (index.isValid() && index.row() < m_cases->rowCount())
        m_frame.showDraw(m_cases->caseAt(index.row()).draw);
}

void CollaudoFrm::FgEsplora_RowActivated(int sourceRow) {
    if (m_sweep && m_sweep->settings.metodo == MethodSettings::Metodo::Giocatore) {
        applyScriptRow(sourceRow);
        return;
    }
    if (!m_sweep || !applySweepRow(*m_sweep, sourceRow, *Parametri))
        return;
    m_selection = std::make_unique<SweepSelection>(
        sweepSelection(*m_sweep, sourceRow, collaudoSettings(*Parametri, m_archive), m_archive));
    CmdCollauda_Click();
    Schede->setCurrentIndex(0);
}

void CollaudoFrm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_placed)
        return;
    m_placed = true;
    // Inside the frame the window takes the whole child area: charts and tables want the room.
    fillChildArea(*this);
}

void CollaudoFrm::keyPressEvent(QKeyEvent* event) {
    // Only the Enter no control took for itself (a date field hands it on after taking its date).
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && CmdCollauda->isEnabled()) {
        event->accept();
        CmdCollauda->click();
        return;
    }
    QWidget::keyPressEvent(event);
}

void CollaudoFrm::closeEvent(QCloseEvent* event) {
    // A sweep still running is stopped; its thread returns within a moment and nothing waits for it
    // but the window's end.
    m_runner->cancel();
    m_frame.setProgressValue(0);
    QWidget::closeEvent(event);
}
