#include "gui/metodo/MetodoFrm.h"

#include "gui/kit/FrameServices.h"
#include "gui/kit/HelpKey.h"
#include "gui/kit/ProgramIcons.h"
#include "gui/kit/Prompts.h"
#include "gui/metodo/CodeEditor.h"
#include "gui/metodo/LuaHighlighter.h"

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSaveFile>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString Title = QStringLiteral("Metodo del giocatore");
const QString Filter = QStringLiteral("Metodi (*.lua)");

// A new script: the shape every method has, with a word on each part.
const char* const NewScript =
    "-- Il mio metodo: dire qui, in parole semplici, che cosa fa.\n"
    "\n"
    "local colpi = parametro(\"colpi\", 9, {3, 6, 9, 12})\n"
    "\n"
    "-- esamina(e) è chiamata per ogni estrazione e, dalla più vecchia; gioca{...} apre una giocata dopo e.\n"
    "function esamina(e)\n"
    "  if estratto(e, \"BA\", 1) == 90 then\n"
    "    gioca{numeri = {diametrale(90)}, sorte = \"estratto\", ruote = \"BA\", colpi = colpi}\n"
    "  end\n"
    "end\n";

QPushButton* button(QWidget* parent, const char* name, const QString& caption, const QString& tip) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(tip);
    return b;
}

} // namespace

MetodoFrm::MetodoFrm(Prompts& prompts, HelpService& help, FrameServices& frame, Folders folders, Check check,
                     QWidget* parent)
    : QWidget(parent), m_prompts(prompts), m_help(help), m_frame(frame), m_folders(std::move(folders)),
      m_check(std::move(check)) {
    setObjectName(QStringLiteral("MetodoFrm"));
    setWindowIcon(programIcon(ProgramIcon::Metodo));

    CmdNuovo = button(this, "CmdNuovo", QStringLiteral("Nuovo"), QStringLiteral("Un metodo nuovo"));
    CmdApri = button(this, "CmdApri", QStringLiteral("Apri…"), QStringLiteral("Apre un metodo della cartella metodi"));
    CmdSalva = button(this, "CmdSalva", QStringLiteral("Salva"), QStringLiteral("Salva il metodo (Ctrl+S)"));
    CmdSalva->setShortcut(QKeySequence::Save);
    CmdEsempi = new QToolButton(this);
    CmdEsempi->setObjectName(QStringLiteral("CmdEsempi"));
    CmdEsempi->setText(QStringLiteral("Esempi"));
    CmdEsempi->setToolTip(QStringLiteral("I metodi di esempio forniti con il programma"));
    CmdEsempi->setPopupMode(QToolButton::InstantPopup);
    CmdEsempi->setMenu(examplesMenu());
    CmdProva = button(this, "CmdProva", QStringLiteral("PROVA"),
                      QStringLiteral("Salva il metodo e ne mostra il collaudo nella finestra Collaudo"));
    QFont bold = CmdProva->font();
    bold.setBold(true);
    CmdProva->setFont(bold);
    LblFile = new QLabel(this);
    LblFile->setObjectName(QStringLiteral("LblFile"));
    LblStato = new QLabel(this);
    LblStato->setObjectName(QStringLiteral("LblStato"));
    LblStato->setWordWrap(true);
    LblStato->setTextInteractionFlags(Qt::TextSelectableByMouse);
    TxtCodice = new CodeEditor(this);
    TxtCodice->setObjectName(QStringLiteral("TxtCodice"));
    m_highlighter = new LuaHighlighter(TxtCodice->document());

    auto* commands = new QHBoxLayout;
    commands->setSpacing(6);
    for (QWidget* w : {static_cast<QWidget*>(CmdNuovo), static_cast<QWidget*>(CmdApri),
                       static_cast<QWidget*>(CmdSalva), static_cast<QWidget*>(CmdEsempi)})
        commands->addWidget(w);
    commands->addSpacing(16);
    commands->addWidget(CmdProva);
    commands->addSpacing(16);
    commands->addWidget(LblFile, 1);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addLayout(commands);
    layout->addWidget(TxtCodice, 1);
    layout->addWidget(LblStato);

    connect(CmdNuovo, &QPushButton::clicked, this, &MetodoFrm::CmdNuovo_Click);
    connect(CmdApri, &QPushButton::clicked, this, &MetodoFrm::CmdApri_Click);
    connect(CmdSalva, &QPushButton::clicked, this, &MetodoFrm::CmdSalva_Click);
    connect(CmdProva, &QPushButton::clicked, this, &MetodoFrm::CmdProva_Click);
    connect(TxtCodice->document(), &QTextDocument::modificationChanged, this, &MetodoFrm::showFile);
    HelpKey::attach(this, m_help, HelpContext);
    TxtCodice->setPlainText(QString::fromUtf8(NewScript));
    TxtCodice->document()->setModified(false);
    showFile();
}

MetodoFrm::~MetodoFrm() = default;

QSize MetodoFrm::sizeHint() const {
    return {820, 620};
}

bool MetodoFrm::modified() const {
    return TxtCodice->document()->isModified();
}

QMenu* MetodoFrm::examplesMenu() {
    auto* menu = new QMenu(this);
    const QFileInfoList scripts =
        QDir(m_folders.examples).entryInfoList({QStringLiteral("*.lua")}, QDir::Files, QDir::Name);
    for (const QFileInfo& script : scripts) {
        QAction* action = menu->addAction(script.completeBaseName());
        const QString path = script.absoluteFilePath();
        connect(action, &QAction::triggered, this, [this, path] { Esempio_Click(path); });
    }
    if (scripts.isEmpty())
        menu->addAction(QStringLiteral("(nessun esempio)"))->setEnabled(false);
    return menu;
}

void MetodoFrm::showFile() {
    const QString name = m_path.isEmpty() ? QStringLiteral("nuovo metodo") : QFileInfo(m_path).fileName();
    LblFile->setText(name + (modified() ? QStringLiteral(" (modificato)") : QString()));
    setWindowTitle(Title + QStringLiteral(" - ") + name + (modified() ? QStringLiteral("*") : QString()));
}

// Unsaved changes are never lost without a word: Sì saves them, No drops them.
bool MetodoFrm::keepChanges() {
    if (!modified())
        return true;
    if (!m_prompts.ask(QStringLiteral("Il metodo è stato modificato. Salvarlo prima?"), Title, DefaultButton::Accept))
        return true;
    return CmdSalva_Click();
}

void MetodoFrm::CmdNuovo_Click() {
    if (!keepChanges())
        return;
    m_path.clear();
    TxtCodice->setPlainText(QString::fromUtf8(NewScript));
    TxtCodice->document()->setModified(false);
    LblStato->clear();
    showFile();
}

void MetodoFrm::CmdApri_Click() {
    if (!keepChanges())
        return;
    const QString path = m_prompts.openFile({QStringLiteral("Apri un metodo"), m_folders.player, QString(), Filter,
                                             QStringLiteral("lua")});
    if (!path.isEmpty())
        openScript(path);
}

void MetodoFrm::Esempio_Click(const QString& path) {
    if (!keepChanges())
        return;
    // An example opens as a new method: saving it writes the player's own copy, never the shipped file.
    if (openScript(path))
        m_path.clear();
    showFile();
}

bool MetodoFrm::openScript(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_prompts.message(QStringLiteral("Impossibile leggere il metodo %1.").arg(QDir::toNativeSeparators(path)), Title,
                          MessageIcon::Critical);
        return false;
    }
    TxtCodice->setPlainText(QString::fromUtf8(file.readAll()));
    TxtCodice->document()->setModified(false);
    m_path = path;
    LblStato->clear();
    showFile();
    return true;
}

bool MetodoFrm::CmdSalva_Click() {
    return m_path.isEmpty() ? saveAs() : writeTo(m_path);
}

bool MetodoFrm::saveAs() {
    const QString path = m_prompts.saveFile({QStringLiteral("Salva il metodo"), m_folders.player,
                                             QStringLiteral("metodo.lua"), Filter, QStringLiteral("lua")});
    return !path.isEmpty() && writeTo(path);
}

bool MetodoFrm::writeTo(const QString& path) {
    QSaveFile file(path);
    const QByteArray bytes = TxtCodice->toPlainText().toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        m_prompts.message(QStringLiteral("Impossibile salvare il metodo in %1.").arg(QDir::toNativeSeparators(path)),
                          Title, MessageIcon::Critical);
        return false;
    }
    m_path = path;
    TxtCodice->document()->setModified(false);
    showFile();
    return true;
}

void MetodoFrm::CmdProva_Click() {
    // What is tried is always what is on screen, saved.
    if (!CmdSalva_Click())
        return;
    if (m_check) {
        if (const std::optional<ScriptProblem> problem = m_check(TxtCodice->toPlainText())) {
            TxtCodice->markErrorLine(problem->line);
            LblStato->setText(problem->message);
            m_prompts.message(problem->message, Title, MessageIcon::Exclamation);
            return;
        }
    }
    TxtCodice->markErrorLine(0);
    LblStato->setText(QStringLiteral("Collaudo del metodo nella finestra Collaudo."));
    m_frame.tryScript(m_path);
}

void MetodoFrm::closeEvent(QCloseEvent* event) {
    if (keepChanges())
        event->accept();
    else
        event->ignore();
}
