#include "Container.h"

#include "DrawArchive.h"
#include "HelpService.h"
#include "Palette.h"
#include "ProgramEnd.h"
#include "ProgramIcons.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QShortcut>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {

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
    CmDHelp = programIconButton(Picture1, QStringLiteral("CmDHelp"), ProgramIcon::Help,
                                QStringLiteral("Help in linea"));
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
    row->addWidget(CmDHelp);
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
    connect(CmDHelp, &QToolButton::clicked, this, &Container::CmDHelp_Click);
    connect(Command45, &QPushButton::clicked, this, &Container::Command45_Click);
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    f1->setContext(Qt::WindowShortcut);
    connect(f1, &QShortcut::activated, this, &Container::CmDHelp_Click);
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

void Container::CmdCollaudo_Click() {
    openChild(m_collaudo, m_services.makeCollaudoWindow);
}

void Container::CmDHelp_Click() {
    m_services.help.showHelp(HelpContext);
}

void Container::Command45_Click() {
    m_ending = true;
    m_services.programEnd.endProgram();
}

void Container::closeEvent(QCloseEvent* event) {
    // Closing the frame ends the program like "FINE".
    event->accept();
    if (!m_ending) {
        m_ending = true;
        m_services.programEnd.endProgram();
    }
}
