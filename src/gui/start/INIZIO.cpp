#include "gui/start/INIZIO.h"

#include "core/DrawArchive.h"
#include "core/LeadingNumber.h"
#include "gui/kit/BackgroundWork.h"
#include "gui/kit/HelpService.h"
#include "gui/kit/HistoryArchive.h"
#include "gui/kit/ProgramEnd.h"
#include "gui/kit/ProgramIcons.h"
#include "gui/kit/Prompts.h"
#include "gui/kit/StartPicture.h"
#include "io/ArchiveLoader.h"
#include "io/jet/JetError.h"
#include "io/storico/ArchiveReplace.h"

#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>
#include <ctime>

const QString INIZIO::ArchiveFileName = QStringLiteral("Dbarcomax.mdb");

namespace {
const QString kAvviso = QStringLiteral("Avviso");
const QString kWrongArchive =
    QStringLiteral("Attenzione, probabilmente è stato selezionato un altro archivio. Chiudere il programma e "
                   "riavviarlo");
} // namespace

INIZIO::INIZIO(Services services, QWidget* parent)
    : QWidget(parent), m_services(std::move(services)), m_programDatabase(m_services.dataDir) {
    setWindowTitle(QStringLiteral("Veltrano - Avvio"));
    setWindowIcon(programIcon(ProgramIcon::ProgramLogo));

    Picture = new QLabel(this);
    Picture->setObjectName("Picture");
    Picture->setPixmap(startPicture(QSize(560, 250)));
    Picture->setAlignment(Qt::AlignCenter);

    Label5 = new QLabel(QStringLiteral("Percorso archivio:"), this);
    Label5->setObjectName("Label5");
    pb1 = new QProgressBar(this);
    pb1->setObjectName("pb1");
    pb1->setRange(0, 1);
    pb1->setValue(0);
    pb1->setTextVisible(false);
    Lbl_Archivio = new QLabel(this);
    Lbl_Archivio->setObjectName("Lbl_Archivio");
    Lbl_Archivio->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Lbl_Archivio->setWordWrap(true);

    Command4 = new QPushButton(QStringLiteral("SELEZIONE ARCHIVIO"), this);
    Command4->setObjectName("Command4");
    Command5 = new QPushButton(QStringLiteral("CREA DA STORICO…"), this);
    Command5->setObjectName("Command5");
    Command5->setToolTip(
        QStringLiteral("Crea l'archivio delle estrazioni dallo storico del gestore (file di testo o zip)"));
    CmDHelp = new QToolButton(this);
    CmDHelp->setObjectName("CmDHelp");
    CmDHelp->setIcon(programIcon(ProgramIcon::Help));
    CmDHelp->setIconSize(QSize(24, 24));
    CmDHelp->setToolTip(QStringLiteral("Help in linea"));
    Command3 = new QPushButton(QStringLiteral("FINE"), this);
    Command3->setObjectName("Command3");
    Command2 = new QPushButton(QStringLiteral("PROCEDI"), this);
    Command2->setObjectName("Command2");
    Command2->setDefault(true);

    auto* pathRow = new QHBoxLayout;
    pathRow->addWidget(Label5);
    pathRow->addWidget(pb1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Command4);
    buttons->addWidget(Command5);
    buttons->addWidget(CmDHelp);
    buttons->addStretch(1);
    buttons->addWidget(Command3);
    buttons->addWidget(Command2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Picture);
    layout->addLayout(pathRow);
    layout->addWidget(Lbl_Archivio);
    layout->addSpacing(6);
    layout->addLayout(buttons);

    connect(Command4, &QPushButton::clicked, this, &INIZIO::Command4_Click);
    connect(Command5, &QPushButton::clicked, this, &INIZIO::Command5_Click);
    connect(Command2, &QPushButton::clicked, this, &INIZIO::Command2_Click);
    connect(Command3, &QPushButton::clicked, this, &INIZIO::Command3_Click);
    connect(CmDHelp, &QToolButton::clicked, this, &INIZIO::CmDHelp_Click);
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this, &INIZIO::CmDHelp_Click);
}

INIZIO::~INIZIO() = default;

void INIZIO::endProgram() {
    m_services.programEnd.endProgram();
}

void INIZIO::Form_Load() {
    try {
        m_programDatabase.open();
    } catch (const jet::JetError& e) {
        // Without its own database the program cannot go on.
        m_services.prompts.message(QString::fromStdString(e.what()), QStringLiteral("Veltrano"),
                                   MessageIcon::Critical);
        endProgram();
        return;
    }

    DrawArchive& archive = m_services.archive;
    try {
        if (const auto path = m_programDatabase.readParameter(QStringLiteral("PercorsoArchivio")))
            archive.setArchivePath(*path);
    } catch (const jet::JetError&) {
        // An unreadable path row leaves the path empty: the probe below then asks for an archive.
    }
    Lbl_Archivio->setText(archive.archivePath());

    if (!ProgramDatabase::probeArchive(archive.archivePath())) {
        m_services.prompts.message(
            QStringLiteral("Attenzione, la prima volta è necessario configurare l'origine dell'archivio"),
            QStringLiteral("Selezionare Archivio"), MessageIcon::Exclamation);
        SelectArchive();
    }
    archive.fillWheelCodesAndDiametral();

    show();
    ImpostaInizialix();
}

void INIZIO::ImpostaInizialix() {
    DrawArchive& archive = m_services.archive;
    try {
        if (const auto value = m_programDatabase.readParameter(QStringLiteral("EstrazioneIniziale"))) {
            const auto start = roundToInt16(leadingNumber(*value));
            if (!start)
                throw jet::JetError("il valore di EstrazioneIniziale (\"" + value->toStdString() +
                                    "\") non è un numero di estrazione valido");
            archive.setModelStart(*start);
        }
    } catch (const std::exception& e) {
        m_services.prompts.message(QStringLiteral("Impossibile leggere l'estrazione iniziale dell'archivio "
                                                  "modello: %1")
                                       .arg(QString::fromUtf8(e.what())),
                                   QStringLiteral("Anomalia"), MessageIcon::Critical);
    }
    // A missing or non-positive start would make the model archive begin at the empty slot 0.
    if (archive.modelStart() <= 0)
        archive.setModelStart(1);
}

void INIZIO::SelectArchive() {
    FileDialogRequest request;
    request.title = QStringLiteral("Selezione archivio");
    request.folder = m_services.dataDir;
    request.fileName = QStringLiteral("*.mdb");
    request.filter = QStringLiteral("File di archivio (*.Mdb)");
    request.defaultSuffix = QStringLiteral("Mdb");
    const QString chosen = m_services.prompts.openFile(request);
    if (chosen.isEmpty())
        return;
    registerArchive(chosen);
}

bool INIZIO::registerArchive(const QString& path) {
    const QString previous = m_services.archive.archivePath();
    try {
        m_programDatabase.writePathFile(path);
        try {
            if (!m_programDatabase.writeArchivePath(path))
                throw jet::JetError("nel database del programma manca il parametro PercorsoArchivio");
        } catch (const std::exception&) {
            // The database still holds the previous path: the text file must say the same.
            try {
                m_programDatabase.writePathFile(previous);
            } catch (const std::exception&) {
            }
            throw;
        }
    } catch (const std::exception& e) {
        m_services.prompts.message(
            QStringLiteral("Impossibile registrare l'archivio scelto: %1").arg(QString::fromUtf8(e.what())),
            QStringLiteral("Selezione archivio"), MessageIcon::Critical);
        return false;
    }
    m_services.archive.setArchivePath(path);
    Lbl_Archivio->setText(QStringLiteral("Database: ") + path);
    return true;
}

void INIZIO::CreaDaStorico() {
    const QString title = QStringLiteral("Crea da storico");
    const QStringList files = m_services.prompts.openFiles(historyFilesRequest());
    if (files.isEmpty())
        return;
    storico::HistoryReading reading;
    setLoading(true);
    showBusy(pb1, true);
    try {
        reading = runInBackground([&] { return readChosenHistory(files); });
    } catch (const std::exception& e) {
        showBusy(pb1, false);
        setLoading(false);
        m_services.prompts.message(
            QStringLiteral("Impossibile leggere lo storico: %1").arg(QString::fromUtf8(e.what())), title,
            MessageIcon::Critical);
        return;
    }
    showBusy(pb1, false);
    setLoading(false);
    if (!reading.errors.empty() || reading.draws.empty()) {
        m_services.prompts.message(
            reading.errors.empty()
                ? QStringLiteral("Nessuna estrazione nello storico: nessun archivio creato.")
                : rejectedLinesText(reading, QStringLiteral("nessun archivio creato")),
            title, MessageIcon::Critical);
        return;
    }

    const QString path = chooseNewArchivePath(title);
    if (path.isEmpty())
        return;
    QString report = joinedLines(storico::historySummaryLines(reading)) + QStringLiteral("\n\nArchivio: ") +
                     QDir::toNativeSeparators(path);
    // Only the archive the user agreed to replace is replaced; one that appears meanwhile is not.
    const bool replacing = QFileInfo::exists(path);
    if (replacing)
        report +=
            QStringLiteral("\nL'archivio che c'è già verrà sostituito; il precedente resta accanto come "
                           "copia .bak");
    if (!m_services.prompts.confirm({report, title}))
        return;

    setLoading(true);
    showBusy(pb1, true);
    try {
        runInBackground([&] {
            return storico::replaceDrawArchive(
                path.toStdString(), reading.draws, m_services.readerProgram.toStdString(), std::time(nullptr),
                replacing ? storico::ExistingArchive::Replace : storico::ExistingArchive::Keep);
        });
    } catch (const std::exception& e) {
        showBusy(pb1, false);
        setLoading(false);
        m_services.prompts.message(
            QStringLiteral("Impossibile creare l'archivio: %1").arg(QString::fromUtf8(e.what())), title,
            MessageIcon::Critical);
        return;
    }
    showBusy(pb1, false);
    setLoading(false);
    if (registerArchive(path))
        m_services.prompts.message(
            QStringLiteral("Archivio creato: %1, l'ultima del %2. Premere PROCEDI per caricarlo.")
                .arg(QString::fromStdString(
                         storico::drawCountText(static_cast<long long>(reading.draws.size()))),
                     QString::fromStdString(reading.draws.back().date.programText())),
            title, MessageIcon::Information);
}

QString INIZIO::chooseNewArchivePath(const QString& title) {
    FileDialogRequest where;
    where.title = QStringLiteral("Cartella in cui salvare Dbarcomax.mdb");
    // The reader helper lives beside the bundled sample, in the program's own files.
    where.folder =
        proposedArchiveFolder(m_services.dataDir, QFileInfo(m_services.readerProgram).absolutePath());
    // An archive already in the chosen folder is replaced only on an explicit "Sì"; "No" asks again.
    for (;;) {
        const QString folder = m_services.prompts.chooseFolder(where);
        if (folder.isEmpty())
            return {};
        const QString path = QDir(folder).filePath(ArchiveFileName);
        if (!QFileInfo::exists(path))
            return path;
        setLoading(true);
        showBusy(pb1, true);
        const QString question =
            runInBackground([&] { return replaceArchiveQuestion(path, m_services.readerProgram); });
        showBusy(pb1, false);
        setLoading(false);
        if (m_services.prompts.ask(question, title, DefaultButton::Cancel))
            return path;
        where.folder = folder;
    }
}

void INIZIO::LoadDrawArchive() {
    const QString path = m_services.archive.archivePath();
    if (path.right(ArchiveFileName.size()).compare(ArchiveFileName, Qt::CaseInsensitive) != 0) {
        m_services.prompts.message(
            QStringLiteral("Attenzione, il programma funziona solamente se si possiede Arcomax"), kAvviso,
            MessageIcon::Critical);
        endProgram();
        return;
    }

    setLoading(true);
    try {
        loadDrawArchive(m_services.archive, path, m_services.readerProgram, barProgress(pb1));
    } catch (const ArchiveDamagedError& e) {
        setLoading(false);
        m_services.prompts.message(QString::fromUtf8(e.what()), kAvviso, MessageIcon::Critical);
        return;
    } catch (const std::exception&) {
        setLoading(false);
        m_services.prompts.message(kWrongArchive, kAvviso, MessageIcon::Critical);
        return;
    }
    setLoading(false);

    m_handedOver = true;
    close();
    deleteLater();
    try {
        if (m_services.openMainWindow)
            m_services.openMainWindow();
    } catch (const std::exception&) {
        m_services.prompts.message(kWrongArchive, kAvviso, MessageIcon::Critical);
    }
}

void INIZIO::setLoading(bool loading) {
    m_loading = loading;
    for (QWidget* w :
         {static_cast<QWidget*>(Command4), static_cast<QWidget*>(Command5), static_cast<QWidget*>(CmDHelp),
          static_cast<QWidget*>(Command3), static_cast<QWidget*>(Command2)})
        w->setEnabled(!loading);
}

void INIZIO::Command4_Click() {
    SelectArchive();
}

void INIZIO::Command5_Click() {
    CreaDaStorico();
}

void INIZIO::Command2_Click() {
    LoadDrawArchive();
}

void INIZIO::Command3_Click() {
    endProgram();
}

void INIZIO::CmDHelp_Click() {
    m_services.help.showHelp(HelpContext);
}

void INIZIO::closeEvent(QCloseEvent* event) {
    if (m_loading) {
        event->ignore();
        return;
    }
    event->accept();
    if (!m_handedOver)
        endProgram();
}
