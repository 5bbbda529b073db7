#include "INIZIO.h"

#include "ArchiveLoader.h"
#include "DrawArchive.h"
#include "HelpService.h"
#include "JetError.h"
#include "LeadingNumber.h"
#include "ProgramEnd.h"
#include "ProgramIcons.h"
#include "Prompts.h"
#include "StartPicture.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>

const QString INIZIO::ArchiveFileName = QStringLiteral("Dbarcomax.mdb");

namespace {
const QString kAvviso = QStringLiteral("Avviso");
const QString kWrongArchive =
    QStringLiteral("Attenzione, probabilmente è stato selezionato un altro archivio. Chiudere il programma e "
                   "riavviarlo");
} // namespace

INIZIO::INIZIO(Services services, QWidget* parent)
    : QWidget(parent), m_services(std::move(services)), m_programDatabase(m_services.programDir) {
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
    request.folder = m_services.programDir;
    request.fileName = QStringLiteral("*.mdb");
    request.filter = QStringLiteral("File di archivio (*.Mdb)");
    request.defaultSuffix = QStringLiteral("Mdb");
    const QString chosen = m_services.prompts.openFile(request);
    if (chosen.isEmpty())
        return;
    try {
        m_programDatabase.writePathFile(chosen);
        m_services.archive.setArchivePath(chosen);
        m_programDatabase.writeArchivePath(chosen);
    } catch (const std::exception&) {
        return; // a failed selection ends silently
    }
    Lbl_Archivio->setText(QStringLiteral("Database: ") + chosen);
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
    QElapsedTimer sinceRepaint;
    sinceRepaint.start();
    // Keep the window painted while the file is read, without taking the user's input.
    const auto repaint = [&] {
        if (sinceRepaint.elapsed() >= 30) {
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
            sinceRepaint.restart();
        }
    };
    LoadProgress progress;
    // The bar fills while the helper reads the file, then again, quickly, as the rows are stored.
    progress.reading = [&](int rowsRead, int rowsExpected) {
        pb1->setRange(0, std::max(rowsExpected, 1));
        pb1->setValue(rowsRead);
        repaint();
    };
    progress.started = [this](int rowCount) {
        pb1->setRange(0, std::max(rowCount, 1));
        pb1->setValue(0);
    };
    progress.rowStored = [&](int k) {
        pb1->setValue(std::min(k, pb1->maximum()));
        repaint();
    };
    try {
        loadDrawArchive(m_services.archive, path, m_services.readerProgram, progress);
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
    for (QWidget* w : {static_cast<QWidget*>(Command4), static_cast<QWidget*>(CmDHelp),
                       static_cast<QWidget*>(Command3), static_cast<QWidget*>(Command2)})
        w->setEnabled(!loading);
}

void INIZIO::Command4_Click() {
    SelectArchive();
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
