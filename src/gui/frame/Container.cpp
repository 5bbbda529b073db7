#include "gui/frame/Container.h"

#include "core/DrawArchive.h"
#include "gui/frame/FramePlacement.h"
#include "gui/kit/BackgroundWork.h"
#include "gui/kit/HelpKey.h"
#include "gui/kit/HelpService.h"
#include "gui/kit/HistoryArchive.h"
#include "gui/kit/KeptSettings.h"
#include "gui/kit/Palette.h"
#include "gui/kit/ProgramEnd.h"
#include "gui/kit/ProgramIcons.h"
#include "gui/kit/Prompts.h"
#include "io/ArchiveLoader.h"
#include "io/storico/ArchiveReplace.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <ctime>

const QString Container::SampleText = QStringLiteral("Archivio di esempio: estrazioni inventate");

namespace {

const QString kUpdateTitle = QStringLiteral("Aggiorna archivio");

QString colourCss(std::uint32_t value) {
    return QStringLiteral("rgb(%1, %2, %3)")
        .arg(value & 0xFF)
        .arg((value >> 8) & 0xFF)
        .arg((value >> 16) & 0xFF);
}

} // namespace

Container::Container(Services services, QWidget* parent)
    : QMainWindow(parent), m_services(std::move(services)) {
    setWindowTitle(QStringLiteral("Veltrano"));
    setWindowIcon(programIcon(ProgramIcon::ProgramLogo));
    setObjectName("Container");

    Picture1 = new QWidget(this);
    Picture1->setObjectName("Picture1");
    Picture1->setAutoFillBackground(true);

    const char* captions[3] = {"Inizio", "Fine", "N° estr"};
    for (int i = 0; i < 3; ++i) {
        Label4[i] = new QLabel(QString::fromUtf8(captions[i]), Picture1);
        Label4[i]->setObjectName(QStringLiteral("Label4_%1").arg(i));
    }
    Lbl_inizioNE = valueLabel("Lbl_inizioNE", QStringLiteral("Indice inizio"));
    LblInizio = valueLabel("LblInizio", QStringLiteral("Data inizio"));
    Lbl_fineNE = valueLabel("Lbl_fineNE", QStringLiteral("Indice fine"));
    LblFine = valueLabel("LblFine", QStringLiteral("Data fine"));
    Lbl_Ev = valueLabel("Lbl_Ev", QStringLiteral("Estrazioni archivio modello"));
    const QString black = QStringLiteral("QLabel { color: white; background: black; padding: 2px 6px; }");
    const QString blue =
        QStringLiteral("QLabel { color: white; background: rgb(0, 0, 192); padding: 2px 6px; }");
    Lbl_inizioNE->setStyleSheet(black);
    LblInizio->setStyleSheet(black);
    Lbl_fineNE->setStyleSheet(blue);
    LblFine->setStyleSheet(blue);

    Command2 = programIconButton(Picture1, QStringLiteral("Command2"), ProgramIcon::MiniList,
                                 QStringLiteral("Mini elenco estrazioni"));
    Command6 = programIconButton(Picture1, QStringLiteral("Command6"), ProgramIcon::AmboWindow,
                                 QStringLiteral("Veltrano"));
    CmdCollaudo = programIconButton(Picture1, QStringLiteral("CmdCollaudo"), ProgramIcon::Collaudo,
                                    QStringLiteral("Collaudo del metodo"));
    CmdStatistiche = programIconButton(Picture1, QStringLiteral("CmdStatistiche"), ProgramIcon::Statistiche,
                                       QStringLiteral("Ritardi e frequenze"));
    CmdStatistiche->setVisible(static_cast<bool>(m_services.makeStatisticheWindow));
    CmdSpia = programIconButton(Picture1, QStringLiteral("CmdSpia"), ProgramIcon::Spia, QStringLiteral("Numeri spia"));
    CmdSpia->setVisible(static_cast<bool>(m_services.makeSpiaWindow));
    CmdMetodo = programIconButton(Picture1, QStringLiteral("CmdMetodo"), ProgramIcon::Metodo,
                                  QStringLiteral("Metodo del giocatore"));
    CmdMetodo->setVisible(static_cast<bool>(m_services.makeMetodoWindow));
    CmDHelp = programIconButton(Picture1, QStringLiteral("CmDHelp"), ProgramIcon::Help,
                                QStringLiteral("Help in linea"));
    CmdAggiorna =
        programIconButton(Picture1, QStringLiteral("CmdAggiorna"), ProgramIcon::UpdateArchive, kUpdateTitle);
    CmdAggiorna->setVisible(m_services.prompts != nullptr);
    Lbl_Esempio = new QLabel(SampleText, Picture1);
    Lbl_Esempio->setObjectName("Lbl_Esempio");
    Lbl_Esempio->setStyleSheet(QStringLiteral("QLabel { color: rgb(200, 0, 0); font-weight: bold; }"));
    Lbl_Esempio->hide();
    Command45 = new QPushButton(QStringLiteral("FINE"), Picture1);
    Command45->setObjectName("Command45");
    Command45->setStyleSheet(
        QStringLiteral("QPushButton { background: rgb(255, 255, 128); padding: 4px 14px; "
                       "border: 1px solid rgb(128, 128, 128); border-radius: 2px; }"
                       "QPushButton:pressed { background: rgb(230, 230, 100); }"));
    pb1 = new QProgressBar(Picture1);
    pb1->setObjectName("pb1");
    pb1->setTextVisible(false);
    pb1->setValue(0);
    pb1->setMaximumHeight(12);
    Pb2 = new QProgressBar(Picture1);
    Pb2->setObjectName("Pb2");
    Pb2->setTextVisible(false);
    Pb2->setValue(0);
    Pb2->setMaximumHeight(12);

    auto* row = new QHBoxLayout(Picture1);
    row->setContentsMargins(8, 6, 8, 6);
    row->addWidget(Label4[0]);
    row->addWidget(Lbl_inizioNE);
    row->addWidget(LblInizio);
    row->addSpacing(12);
    row->addWidget(Label4[1]);
    row->addWidget(Lbl_fineNE);
    row->addWidget(LblFine);
    row->addSpacing(12);
    row->addWidget(Label4[2]);
    row->addWidget(Lbl_Ev);
    row->addSpacing(16);
    row->addWidget(Command2);
    row->addWidget(Command6);
    row->addWidget(CmdCollaudo);
    row->addWidget(CmdStatistiche);
    row->addWidget(CmdSpia);
    row->addWidget(CmdMetodo);
    row->addWidget(CmdAggiorna);
    row->addWidget(CmDHelp);
    row->addSpacing(12);
    row->addWidget(Lbl_Esempio);
    row->addSpacing(16);
    auto* bars = new QVBoxLayout;
    bars->setSpacing(3);
    bars->addWidget(pb1);
    bars->addWidget(Pb2);
    row->addLayout(bars, 1);
    row->addSpacing(16);
    row->addWidget(Command45);

    mdiArea = new QMdiArea(this);
    mdiArea->setObjectName("mdiArea");
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(Picture1);
    column->addWidget(mdiArea, 1);
    setCentralWidget(central);
    resize(1280, 800);

    connect(Command2, &QToolButton::clicked, this, &Container::Command2_Click);
    connect(Command6, &QToolButton::clicked, this, &Container::Command6_Click);
    connect(CmdCollaudo, &QToolButton::clicked, this, &Container::CmdCollaudo_Click);
    connect(CmdStatistiche, &QToolButton::clicked, this, &Container::CmdStatistiche_Click);
    connect(CmdSpia, &QToolButton::clicked, this, &Container::CmdSpia_Click);
    connect(CmdMetodo, &QToolButton::clicked, this, &Container::CmdMetodo_Click);
    connect(CmdAggiorna, &QToolButton::clicked, this, &Container::CmdAggiorna_Click);
    connect(CmDHelp, &QToolButton::clicked, this, &Container::CmDHelp_Click);
    connect(Command45, &QPushButton::clicked, this, &Container::Command45_Click);
    HelpKey::attach(this, m_services.help, HelpContext);
}

QLabel* Container::valueLabel(const char* name, const QString& toolTip) {
    auto* label = new QLabel(Picture1);
    label->setObjectName(name);
    label->setToolTip(toolTip);
    label->setAlignment(Qt::AlignCenter);
    label->setMinimumWidth(40);
    return label;
}

void Container::MDIForm_Load() {
    m_services.palette.SettaValoriBase();
    Lbl_Ev->setStyleSheet(QStringLiteral("QLabel { color: white; background: %1; padding: 2px 6px; }")
                              .arg(colourCss(m_services.palette.PaletteGreen)));
    QPalette face = Picture1->palette();
    face.setColor(QPalette::Window, palette().color(QPalette::Button));
    Picture1->setPalette(face);
    ImpostazioniArchivioModello();
}

void Container::ImpostazioniArchivioModello() {
    const DrawArchive& archive = m_services.archive;
    // Invented draws must never pass for real ones: the frame says so, in red and in its title.
    Lbl_Esempio->setVisible(archive.isSampleArchive());
    setWindowTitle(archive.isSampleArchive() ? QStringLiteral("Veltrano - ") + SampleText
                                             : QStringLiteral("Veltrano"));
    if (archive.modelCount() <= 0) {
        // No draw in the model archive: nothing to show as its range.
        for (QLabel* label : {Lbl_inizioNE, LblInizio, Lbl_fineNE, LblFine})
            label->setText(QStringLiteral("-"));
        Lbl_Ev->setText(QStringLiteral("0"));
        return;
    }
    const int first = archive.modelDraw(1);
    const int last = archive.modelDraw(archive.modelCount());
    LblInizio->setText(archive.drawDate(first));
    Lbl_inizioNE->setText(QString::number(first));
    LblFine->setText(archive.drawDate(last));
    Lbl_fineNE->setText(QString::number(last));
    Lbl_Ev->setText(QString::number(Lbl_fineNE->text().toInt() - Lbl_inizioNE->text().toInt() + 1));
}

void Container::setProgressMaximum(int maximum) {
    pb1->setMaximum(std::max(maximum, 0));
}

void Container::showPlaced(QSettings& settings) {
    m_settings = &settings;
    FramePlacement::show(*this, settings);
}

void Container::keepPlacement() {
    if (m_settings)
        FramePlacement::keep(*this, *m_settings);
}

void Container::setProgressValue(int value) {
    pb1->setValue(std::clamp(value, 0, pb1->maximum()));
}

void Container::showDraw(int drawIndex) {
    openChild(m_miniList, m_services.makeMiniList);
    if (m_miniList && m_services.showDrawInMiniList)
        m_services.showDrawInMiniList(*m_miniList->widget(), drawIndex);
}

void Container::openChild(QPointer<QMdiSubWindow>& slot, const ChildFactory& factory) {
    if (!slot) {
        if (!factory)
            return;
        QWidget* content = factory(*this);
        slot = mdiArea->addSubWindow(content);
        slot->setAttribute(Qt::WA_DeleteOnClose);
        slot->setWindowTitle(content->windowTitle());
        slot->setWindowIcon(content->windowIcon());
    }
    slot->show();
    slot->widget()->show();
    mdiArea->setActiveSubWindow(slot);
    slot->raise();
}

void Container::Command2_Click() {
    openChild(m_miniList, m_services.makeMiniList);
}

void Container::Command6_Click() {
    openChild(m_ambo, m_services.makeAmboWindow);
}

void Container::CmdAggiorna_Click() {
    AggiornaArchivio();
}

void Container::setBusy(bool busy) {
    m_busy = busy;
    for (QWidget* w : {static_cast<QWidget*>(Command2), static_cast<QWidget*>(Command6),
                       static_cast<QWidget*>(CmdCollaudo), static_cast<QWidget*>(CmdStatistiche),
                       static_cast<QWidget*>(CmdSpia), static_cast<QWidget*>(CmdMetodo),
                       static_cast<QWidget*>(CmdAggiorna), static_cast<QWidget*>(CmDHelp),
                       static_cast<QWidget*>(Command45), static_cast<QWidget*>(mdiArea)})
        w->setEnabled(!busy);
    // The bar is empty whenever no task runs: the busy sweep is taken back, a reload's full bar emptied
    // (its maximum stays, the ambo window's own).
    if (busy || pb1->maximum() == 0)
        showBusy(pb1, busy);
    else
        pb1->setValue(0);
}

void Container::AggiornaArchivio() {
    Prompts& prompts = *m_services.prompts;
    if (m_services.archive.isSampleArchive()) {
        prompts.message(QStringLiteral("Questo è l'archivio di esempio, con estrazioni inventate: non si "
                                       "aggiorna con quelle vere. Per lavorare sulle estrazioni vere, "
                                       "riavviare il programma e usare CREA DA STORICO… nella finestra "
                                       "iniziale."),
                        kUpdateTitle, MessageIcon::Exclamation);
        return;
    }
    const QString archivePath = m_services.archive.archivePath();
    const QStringList files = prompts.openFiles(historyFilesRequest(QFileInfo(archivePath).absolutePath()));
    if (files.isEmpty())
        return;

    ArchiveUpdatePlan plan;
    setBusy(true);
    try {
        plan =
            runInBackground([&] { return planArchiveUpdate(archivePath, files, m_services.readerProgram); });
    } catch (const std::exception& e) {
        setBusy(false);
        prompts.message(
            QStringLiteral("Impossibile preparare l'aggiornamento: %1").arg(QString::fromUtf8(e.what())),
            kUpdateTitle, MessageIcon::Critical);
        return;
    }
    setBusy(false);
    if (!plan.reading.errors.empty()) {
        prompts.message(rejectedLinesText(plan.reading, QStringLiteral("archivio non modificato")),
                        kUpdateTitle, MessageIcon::Critical);
        return;
    }
    const QString report = joinedLines(storico::mergeReportLines(plan.merge));
    if (!plan.merge.changesArchive()) {
        prompts.message(
            QStringLiteral("Niente da aggiungere e niente da correggere: archivio non modificato.\n\n") +
                report,
            kUpdateTitle, MessageIcon::Information);
        return;
    }
    if (!prompts.confirm({report + QStringLiteral("\n\nArchivio: ") + QDir::toNativeSeparators(archivePath),
                          kUpdateTitle, updateReportDefault(plan.merge), UpdateHelpContext}))
        return;

    storico::ArchiveReplacement replacement;
    setBusy(true);
    try {
        replacement = runInBackground([&] {
            return storico::replaceDrawArchive(archivePath.toStdString(), plan.merge.draws,
                                               m_services.readerProgram.toStdString(), std::time(nullptr));
        });
    } catch (const std::exception& e) {
        setBusy(false);
        prompts.message(
            QStringLiteral("Impossibile aggiornare l'archivio: %1").arg(QString::fromUtf8(e.what())),
            kUpdateTitle, MessageIcon::Critical);
        return;
    }
    const bool loaded = reloadArchive();
    setBusy(false);
    if (!loaded)
        return;
    prompts.message(updateDoneText(plan.merge, LblFine->text(), QString::fromStdString(replacement.backup)),
                    kUpdateTitle, MessageIcon::Information);
}

namespace {

// The choices of an open window that keeps them, to give to the window that replaces it.
QVariantMap settingsOf(const QPointer<QMdiSubWindow>& window) {
    const auto* kept = window ? dynamic_cast<const KeptSettings*>(window->widget()) : nullptr;
    return kept ? kept->keptSettings() : QVariantMap();
}

void restoreInto(const QPointer<QMdiSubWindow>& window, const QVariantMap& settings) {
    auto* kept = window ? dynamic_cast<KeptSettings*>(window->widget()) : nullptr;
    if (kept && !settings.isEmpty())
        kept->restoreSettings(settings);
}

} // namespace

bool Container::reloadArchive() {
    const bool miniListOpen = m_miniList;
    const bool amboOpen = m_ambo;
    const bool collaudoOpen = m_collaudo;
    const bool statisticheOpen = m_statistiche;
    const bool spiaOpen = m_spia;
    const QVariantMap collaudoSettings = settingsOf(m_collaudo);
    const QVariantMap statisticheSettings = settingsOf(m_statistiche);
    const QVariantMap spiaSettings = settingsOf(m_spia);
    delete m_miniList;
    delete m_ambo;
    delete m_collaudo;
    delete m_statistiche;
    delete m_spia;
    try {
        loadDrawArchive(m_services.archive, m_services.archive.archivePath(), m_services.readerProgram,
                        barProgress(pb1));
    } catch (const std::exception& e) {
        ImpostazioniArchivioModello();
        m_services.prompts->message(
            QStringLiteral("L'archivio è stato aggiornato, ma non è stato possibile caricarlo di nuovo: %1")
                .arg(QString::fromUtf8(e.what())),
            kUpdateTitle, MessageIcon::Critical);
        return false;
    }
    ImpostazioniArchivioModello();
    if (miniListOpen)
        Command2_Click();
    if (amboOpen)
        Command6_Click();
    if (collaudoOpen) {
        CmdCollaudo_Click();
        restoreInto(m_collaudo, collaudoSettings);
    }
    if (statisticheOpen) {
        CmdStatistiche_Click();
        restoreInto(m_statistiche, statisticheSettings);
    }
    if (spiaOpen) {
        CmdSpia_Click();
        restoreInto(m_spia, spiaSettings);
    }
    return true;
}

void Container::CmdCollaudo_Click() {
    openChild(m_collaudo, m_services.makeCollaudoWindow);
}

void Container::CmdStatistiche_Click() {
    openChild(m_statistiche, m_services.makeStatisticheWindow);
}

void Container::CmdSpia_Click() {
    openChild(m_spia, m_services.makeSpiaWindow);
}

void Container::CmdMetodo_Click() {
    openChild(m_metodo, m_services.makeMetodoWindow);
}

void Container::tryScript(const QString& path) {
    openChild(m_collaudo, m_services.makeCollaudoWindow);
    if (m_collaudo && m_services.runScriptInCollaudo)
        m_services.runScriptInCollaudo(*m_collaudo->widget(), path);
}

void Container::CmDHelp_Click() {
    m_services.help.showHelp(HelpContext);
}

void Container::Command45_Click() {
    keepPlacement();
    m_ending = true;
    m_services.programEnd.endProgram();
}

void Container::closeEvent(QCloseEvent* event) {
    // Half-way through an update the archive must be finished and loaded again before the program ends.
    if (m_busy) {
        event->ignore();
        return;
    }
    // Closing the frame ends the program like "FINE".
    event->accept();
    if (!m_ending) {
        keepPlacement();
        m_ending = true;
        m_services.programEnd.endProgram();
    }
}
