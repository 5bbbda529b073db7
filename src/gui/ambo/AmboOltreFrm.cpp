#include "gui/ambo/AmboOltreFrm.h"

#include "core/CaseSearch.h"
#include "core/DrawArchive.h"
#include "core/SettingsCheck.h"
#include "gui/ambo/AmboGridLayout.h"
#include "gui/ambo/AmboRange.h"
#include "gui/ambo/AmboReport.h"
#include "gui/ambo/CaseGridFormat.h"
#include "gui/ambo/Elabora.h"
#include "gui/ambo/EqualAmboSearch.h"
#include "gui/ambo/OutcomeVerification.h"
#include "gui/kit/ChildArea.h"
#include "gui/kit/DrawSearch.h"
#include "gui/kit/FrameServices.h"
#include "gui/kit/GridView.h"
#include "gui/kit/HelpKey.h"
#include "gui/kit/HelpService.h"
#include "gui/kit/MethodControls.h"
#include "gui/kit/Palette.h"
#include "gui/kit/ProgramIcons.h"
#include "gui/kit/Prompts.h"
#include "gui/kit/WaitPointer.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace {
constexpr int RangePageStep = 25;
constexpr int SummaryWidth = 180;
} // namespace

using namespace methodControls;

AmboOltreFrm::AmboOltreFrm(DrawArchive& archive, const Palette& palette, Prompts& prompts, HelpService& help,
                           FrameServices& frame, QWidget* parent)
    : QWidget(parent), m_archive(archive), m_palette(palette), m_prompts(prompts), m_help(help),
      m_frame(frame) {
    setObjectName(QStringLiteral("AmboOltreFrm"));
    setWindowTitle(QStringLiteral("Veltrano"));
    setWindowIcon(programIcon(ProgramIcon::AmboWindow));
    buildControls();
    connectHandlers();
    HelpKey::attach(this, m_help, HelpContext);
    Form_Load();
}

AmboGrids AmboOltreFrm::grids() const {
    return {*Fg1->gridModel(), *FgS->gridModel(), *FgR->gridModel(), *Fgp->gridModel()};
}

AmboControls AmboOltreFrm::controls() const {
    AmboControls c;
    for (std::size_t i = 0; i < Ch_RuoteTipo.size(); ++i)
        c.Ch_RuoteTipo[i] = checkValue(Ch_RuoteTipo[i]);
    c.ChPosAdi = checkValue(ChPosAdi);
    c.ComboC = ComboC->currentText();
    c.ComboNC = ComboNC->currentText();
    c.Ch_Intervallo = checkValue(Ch_Intervallo);
    c.Ch_termina1 = checkValue(Ch_termina1);
    c.ChIso = checkValue(ChIso);
    c.Ch_1 = checkValue(Ch_1);
    c.Ch_2 = checkValue(Ch_2);
    c.Ch_4 = checkValue(Ch_4);
    c.Ch_Tutte = checkValue(Ch_Tutte);
    c.Option1 = Option1->isChecked();
    c.Option2 = Option2->isChecked();
    return c;
}

namespace {

// The check boxes a player sets, by name, in the order the window shows them.
std::vector<QCheckBox*> choiceBoxes(const AmboOltreFrm& w) {
    std::vector<QCheckBox*> boxes(w.Ch_RuoteTipo.begin(), w.Ch_RuoteTipo.end());
    boxes.insert(boxes.end(), {w.ChPosAdi, w.ChIso, w.Ch_Intervallo, w.Ch_termina1, w.Ch_1, w.Ch_2, w.Ch_4,
                               w.Ch_Tutte});
    return boxes;
}

template <std::size_t N> QVariantList listOf(const std::array<bool, N>& flags) {
    QVariantList list;
    for (const bool f : flags)
        list << f;
    return list;
}

template <std::size_t N> std::array<bool, N> flagsOf(const QVariant& value, std::array<bool, N> fallback) {
    const QVariantList list = value.toList();
    if (list.size() != static_cast<qsizetype>(N))
        return fallback;
    for (std::size_t i = 0; i < N; ++i)
        fallback[i] = list[static_cast<qsizetype>(i)].toBool();
    return fallback;
}

} // namespace

QVariantMap AmboOltreFrm::keptSettings() const {
    QVariantMap boxes;
    for (const QCheckBox* box : choiceBoxes(*this))
        boxes.insert(box->objectName(), box->checkState() == Qt::Checked);
    return {{QStringLiteral("ruote"), listOf(chosenWheels(*FgR->gridModel()))},
            {QStringLiteral("posizioni"), listOf(chosenPositions(*Fgp->gridModel()))},
            {QStringLiteral("caselle"), boxes},
            {QStringLiteral("colpi"), ComboC->currentText()},
            {QStringLiteral("casi"), ComboNC->currentText()},
            {QStringLiteral("cadenze"), Option1->isChecked()},
            {QStringLiteral("inizio"), HsInizio->value()},
            {QStringLiteral("fine"), HsFine->value()},
            {QStringLiteral("finoAllUltima"), HsFine->value() == HsFine->maximum()}};
}

void AmboOltreFrm::restoreSettings(const QVariantMap& kept) {
    showWheels(*FgR->gridModel(), flagsOf(kept.value(QStringLiteral("ruote")), chosenWheels(*FgR->gridModel())));
    showPositions(*Fgp->gridModel(),
                  flagsOf(kept.value(QStringLiteral("posizioni")), chosenPositions(*Fgp->gridModel())));
    const QVariantMap boxes = kept.value(QStringLiteral("caselle")).toMap();
    for (QCheckBox* box : choiceBoxes(*this))
        if (boxes.contains(box->objectName()))
            box->setChecked(boxes.value(box->objectName()).toBool());
    for (auto [combo, key] : {std::pair{ComboC, "colpi"}, std::pair{ComboNC, "casi"}}) {
        const int index = combo->findText(kept.value(QLatin1String(key)).toString());
        if (index >= 0)
            combo->setCurrentIndex(index);
    }
    (kept.value(QStringLiteral("cadenze"), true).toBool() ? Option1 : Option2)->setChecked(true);
    // The bars clamp a range past the new archive's end; the end moves before the start, so that the
    // start is not dragged along by the old end.
    HsFine->setValue(kept.value(QStringLiteral("finoAllUltima")).toBool()
                         ? HsFine->maximum()
                         : kept.value(QStringLiteral("fine"), HsFine->value()).toInt());
    HsInizio->setValue(kept.value(QStringLiteral("inizio"), HsInizio->value()).toInt());
}

QSize AmboOltreFrm::sizeHint() const {
    // On its own; inside the frame the window takes the whole child area when first shown.
    return {1250, 690};
}

void AmboOltreFrm::buildControls() {
    Cmd_Ambiuguali = new QPushButton(QStringLiteral("ELABORA"), this);
    Cmd_Ambiuguali->setObjectName(QStringLiteral("Cmd_Ambiuguali"));
    Command1 = new QPushButton(QStringLiteral("VERIFICA"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    for (QPushButton* b : {Cmd_Ambiuguali, Command1}) {
        QFont font = b->font();
        font.setBold(true);
        b->setFont(font);
        b->setMinimumHeight(30);
    }
    Command2 = new QPushButton(QStringLiteral("Command2"), this);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setToolTip(QStringLiteral("Riformatta la griglia dei casi"));
    Command34 = new QPushButton(QStringLiteral("Command34"), this);
    Command34->setObjectName(QStringLiteral("Command34"));
    CmdStampa = new QPushButton(QStringLiteral("Stampa…"), this);
    CmdStampa->setObjectName(QStringLiteral("CmdStampa"));
    CmdEsportaPdf = new QPushButton(QStringLiteral("Esporta PDF…"), this);
    CmdEsportaPdf->setObjectName(QStringLiteral("CmdEsportaPdf"));

    ComboC = numberCombo(this, QStringLiteral("ComboC"));
    ComboNC = numberCombo(this, QStringLiteral("ComboNC"));

    Ch_RuoteTipo = wheelTypeBoxes(this);
    ChPosAdi = adjacentPositionsBox(this);
    ChIso = checkBox(this, QStringLiteral("ChIso"), QStringLiteral("Isotopia perfetta"), true);
    Ch_Intervallo = checkBox(this, QStringLiteral("Ch_Intervallo"), QStringLiteral("Intervallo"), false);
    Ch_termina1 = checkBox(this, QStringLiteral("Ch_termina1"), QStringLiteral("Termina al 1° esito"), false);
    const std::array<QCheckBox*, 4> boxes = outcomeCheckBoxes(this);
    Ch_1 = boxes[0];
    Ch_2 = boxes[1];
    Ch_4 = boxes[2];
    Ch_Tutte = boxes[3];
    Option1 = new QRadioButton(QStringLiteral("Cadenze"), this);
    Option1->setObjectName(QStringLiteral("Option1"));
    Option1->setChecked(true);
    Option2 = new QRadioButton(QStringLiteral("Figure"), this);
    Option2->setObjectName(QStringLiteral("Option2"));

    m_choosers = selectionControls(this);
    FgR = m_choosers.wheels;
    Fgp = m_choosers.positions;
    Label6 = m_choosers.selectAllWheels;
    Label9 = m_choosers.deselectAllWheels;
    Label32 = m_choosers.selectAllPositions;
    Label30 = m_choosers.deselectAllPositions;

    Fg1 = new GridView(this);
    Fg1->setObjectName(QStringLiteral("Fg1"));
    Fg1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Fg1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    FgS = new GridView(this);
    FgS->setObjectName(QStringLiteral("FgS"));
    FgS->setStretchLastColumn(true);
    FgS->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FgS->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Fg1->setExportFileName(QStringLiteral("casi.csv"));
    FgS->setExportFileName(QStringLiteral("riepilogo.csv"));
    FgR->setExportFileName(QStringLiteral("ruote.csv"));
    Fgp->setExportFileName(QStringLiteral("posizioni.csv"));
    for (GridView* g : {FgR, Fgp, Fg1, FgS})
        g->setPrompts(&m_prompts);

    HsInizio = new QScrollBar(Qt::Horizontal, this);
    HsInizio->setObjectName(QStringLiteral("HsInizio"));
    HsFine = new QScrollBar(Qt::Horizontal, this);
    HsFine->setObjectName(QStringLiteral("HsFine"));
    for (QScrollBar* bar : {HsInizio, HsFine}) {
        bar->setMinimum(1);
        bar->setMaximum(1);
        bar->setSingleStep(1);
        bar->setPageStep(RangePageStep);
        bar->setMinimumWidth(240);
    }
    LabelInizio = rangeLabel(this, QStringLiteral("LabelInizio"));
    LabelFine = rangeLabel(this, QStringLiteral("LabelFine"));
    LabelFermata = new QLabel(this);
    LabelFermata->setObjectName(QStringLiteral("LabelFermata"));
    LabelFermata->setWordWrap(true);
    LabelFermata->setStyleSheet(QStringLiteral("color: rgb(192, 0, 0);"));
    LabelFermata->hide();

    Command4 = programIconButton(this, QStringLiteral("Command4"), ProgramIcon::FirstDraw,
                                 QStringLiteral("Prima estrazione"), 20);
    Command9 = programIconButton(this, QStringLiteral("Command9"), ProgramIcon::LastDraw,
                                 QStringLiteral("Ultima estrazione"), 20);
    Command62 = programIconButton(this, QStringLiteral("Command62"), ProgramIcon::SearchDate,
                                  QStringLiteral("Cerca per data"), 20);
    Command61 = programIconButton(this, QStringLiteral("Command61"), ProgramIcon::SearchIndex,
                                  QStringLiteral("Scelta per indice"), 20);
    Command10 = programIconButton(this, QStringLiteral("Command10"), ProgramIcon::SearchDate,
                                  QStringLiteral("Cerca per data"), 20);
    Command8 = programIconButton(this, QStringLiteral("Command8"), ProgramIcon::SearchIndex,
                                 QStringLiteral("Scelta per indice"), 20);

    auto* top = new QHBoxLayout;
    top->setSpacing(8);
    top->addWidget(buildSelectionPanel());
    top->addWidget(buildParameterPanel(), 1);
    top->addWidget(buildSummaryPanel());

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addWidget(
        buildRangeRow(QStringLiteral("Fine"), HsFine, LabelFine, {Command9, Command10, Command8}));
    layout->addLayout(top);
    layout->addWidget(Fg1, 1);
    layout->addWidget(
        buildRangeRow(QStringLiteral("Inizio"), HsInizio, LabelInizio, {Command4, Command62, Command61}));
}

QWidget* AmboOltreFrm::buildRangeRow(const QString& text, QScrollBar* bar, QLabel* label,
                                     std::initializer_list<QToolButton*> buttons) {
    auto* row = new QWidget(this);
    auto* h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(6);
    QLabel* c = caption(row, text);
    c->setMinimumWidth(c->fontMetrics().horizontalAdvance(QStringLiteral("Inizio")) + 8);
    h->addWidget(c);
    h->addWidget(bar, 1);
    h->addWidget(label);
    for (QToolButton* b : buttons)
        h->addWidget(b);
    return row;
}

QWidget* AmboOltreFrm::buildSelectionPanel() {
    auto* figures = new QHBoxLayout;
    figures->addWidget(Option1);
    figures->addWidget(Option2);
    figures->addStretch(1);
    return selectionPanel(this, m_choosers, ChPosAdi, figures);
}

QWidget* AmboOltreFrm::buildParameterPanel() {
    auto* panel = new QWidget(this);
    auto* h = new QHBoxLayout(panel);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(8);

    h->addWidget(wheelTypesPanel(panel, Ch_RuoteTipo));

    auto* search = new QGroupBox(QStringLiteral("Ricerca"), panel);
    auto* sg = new QGridLayout(search);
    sg->setContentsMargins(8, 4, 8, 4);
    sg->setVerticalSpacing(2);
    sg->addWidget(new QLabel(captionOf(MethodSettings::ColpiName), search), 0, 0);
    sg->addWidget(ComboC, 0, 1);
    sg->addWidget(new QLabel(QStringLiteral("N° Casi"), search), 1, 0);
    sg->addWidget(ComboNC, 1, 1);
    sg->addWidget(Ch_Intervallo, 2, 0, 1, 2);
    sg->addWidget(ChIso, 3, 0, 1, 2);
    sg->addWidget(Ch_termina1, 4, 0, 1, 2);
    h->addWidget(search);

    auto* outcomes = new QGroupBox(captionOf(MethodSettings::OutcomesName), panel);
    auto* og = new QGridLayout(outcomes);
    og->setContentsMargins(8, 4, 8, 4);
    og->setVerticalSpacing(2);
    og->addWidget(Ch_1, 0, 0);
    og->addWidget(Ch_2, 0, 1);
    og->addWidget(Ch_4, 1, 0);
    og->addWidget(Ch_Tutte, 1, 1);
    auto* run = new QHBoxLayout;
    run->setSpacing(6);
    run->addWidget(Cmd_Ambiuguali);
    run->addWidget(Command1);
    og->addLayout(run, 2, 0, 1, 2);
    // Under the buttons, next to the summary: the room there takes the line about the case cap
    // without making the panels taller.
    og->addWidget(LabelFermata, 3, 0, 1, 2, Qt::AlignTop);
    og->setRowStretch(3, 1);
    h->addWidget(outcomes);
    h->addStretch(1);
    return panel;
}

QWidget* AmboOltreFrm::buildSummaryPanel() {
    auto* panel = new QWidget(this);
    auto* h = new QHBoxLayout(panel);
    h->setContentsMargins(0, 0, 0, 0);
    h->setSpacing(6);
    FgS->setFixedWidth(SummaryWidth);
    h->addWidget(FgS, 0, Qt::AlignTop);
    auto* commands = new QVBoxLayout;
    commands->setSpacing(4);
    commands->addWidget(Command2);
    commands->addWidget(Command34);
    commands->addSpacing(8);
    commands->addWidget(CmdStampa);
    commands->addWidget(CmdEsportaPdf);
    commands->addStretch(1);
    h->addLayout(commands);
    return panel;
}

void AmboOltreFrm::connectHandlers() {
    connect(Cmd_Ambiuguali, &QPushButton::clicked, this, &AmboOltreFrm::Cmd_Ambiuguali_Click);
    connect(Command1, &QPushButton::clicked, this, &AmboOltreFrm::Command1_Click);
    connect(Command2, &QPushButton::clicked, this, &AmboOltreFrm::Command2_Click);
    connect(Command34, &QPushButton::clicked, this, &AmboOltreFrm::Command34_Click);
    connect(CmdStampa, &QPushButton::clicked, this, &AmboOltreFrm::CmdStampa_Click);
    connect(CmdEsportaPdf, &QPushButton::clicked, this, &AmboOltreFrm::CmdEsportaPdf_Click);
    // The case grid's context menu offers the same two.
    auto* print = new QAction(CmdStampa->text(), this);
    connect(print, &QAction::triggered, this, &AmboOltreFrm::CmdStampa_Click);
    auto* pdf = new QAction(CmdEsportaPdf->text(), this);
    connect(pdf, &QAction::triggered, this, &AmboOltreFrm::CmdEsportaPdf_Click);
    Fg1->addContextAction(print);
    Fg1->addContextAction(pdf);
    connect(Command4, &QToolButton::clicked, this, &AmboOltreFrm::Command4_Click);
    connect(Command9, &QToolButton::clicked, this, &AmboOltreFrm::Command9_Click);
    connect(Command62, &QToolButton::clicked, this, &AmboOltreFrm::Command62_Click);
    connect(Command61, &QToolButton::clicked, this, &AmboOltreFrm::Command61_Click);
    connect(Command10, &QToolButton::clicked, this, &AmboOltreFrm::Command10_Click);
    connect(Command8, &QToolButton::clicked, this, &AmboOltreFrm::Command8_Click);
    connect(HsInizio, &QScrollBar::valueChanged, this, &AmboOltreFrm::HsInizio_Change);
    connect(HsFine, &QScrollBar::valueChanged, this, &AmboOltreFrm::HsFine_Change);
    connect(Fg1, &GridView::currentCellChanged, this, &AmboOltreFrm::Fg1_CurrentCellChanged);
}

void AmboOltreFrm::Form_Load() {
    AmboGrids g = grids();
    layoutFgS(g.FgS);
    m_state.fillWheelRelationships();

    fillColpiChoices(*ComboC);
    ComboNC->clear();
    for (int i = 1; i <= MaxCases; ++i)
        ComboNC->addItem(QString::number(i));
    ComboNC->setCurrentIndex(MethodSettings::Casi - 1);

    layoutWheelChooser(g.FgR, m_archive);
    layoutPositionChooser(g.Fgp);
    g.FgR.setBackColour(0, 0, AmboState::ColoreRuota);
    showPositions(g.Fgp, MethodSettings().positions);
    layoutFg1(g.Fg1);

    // The bars start at the first draw, so a load value of 1 may be no change; the handlers must run
    // all the same for the state and the labels.
    const int count = std::max<int>(m_archive.drawCount(), 1);
    HsFine->setMaximum(count);
    HsInizio->setMaximum(count);
    const int start = loadRangeStart(m_archive.drawCount());
    if (HsInizio->value() == start)
        HsInizio_Change();
    else
        HsInizio->setValue(start);
    if (HsFine->value() == count)
        HsFine_Change();
    else
        HsFine->setValue(count);

    showWheels(g.FgR, MethodSettings().wheels);

    fitSelectionGrid(*FgR);
    fitSelectionGrid(*Fgp);
    FgS->setFixedHeight(FgS->contentSize().height());
    g.Fg1.autoSizeColumns();
}

bool AmboOltreFrm::typedNumbersAccepted(bool search) {
    int value = 0;
    QString error = boundedNumberError(captionOf(MethodSettings::ColpiName), ComboC->currentText(), 1,
                                       MethodSettings::MaxColpi, value);
    // "Intervallo" searches the whole range, whatever the count asked.
    if (error.isEmpty() && search && !Ch_Intervallo->isChecked())
        error = boundedNumberError(QStringLiteral("N° Casi"), ComboNC->currentText(), 1, MaxCases, value);
    if (error.isEmpty())
        return true;
    m_prompts.message(error, QStringLiteral("Avviso"), MessageIcon::Exclamation);
    return false;
}

void AmboOltreFrm::Cmd_Ambiuguali_Click() {
    // Colpi 0 would verify each case on the draw it was found in, and count it negative.
    if (!typedNumbersAccepted(true))
        return;
    WaitPointer hourglass;
    AmboGrids g = grids();
    elabora(
        controls(), g, m_state, m_archive, m_palette,
        [this](int maximum) { m_frame.setProgressMaximum(maximum); }, [&hourglass] { hourglass.restore(); });
    m_searched = m_state;
    m_verified = controls();
    const QString notice = caseCapNotice(m_state);
    LabelFermata->setText(notice);
    LabelFermata->setVisible(!notice.isEmpty());
}

void AmboOltreFrm::Command1_Click() {
    if (!typedNumbersAccepted(false))
        return;
    m_verified = controls();
    AmboGrids g = grids();
    verifyCases(g.Fg1, g.FgS, m_state.Colpi, controls(), m_archive, m_palette);
}

void AmboOltreFrm::Command2_Click() {
    formatCaseGrid(*Fg1->gridModel(), m_palette);
}

void AmboOltreFrm::Command34_Click() {
    // The button is on the window but has no task.
}

void AmboOltreFrm::CmdStampa_Click() {
    if (!hasReport())
        return;
    QPrinter printer(QPrinter::HighResolution);
    setUpReportPrinter(printer);
    if (m_prompts.choosePrinter(printer))
        printReport(printer, QStringLiteral("Stampa non riuscita"));
}

void AmboOltreFrm::CmdEsportaPdf_Click() {
    if (!hasReport())
        return;
    const QString path = m_prompts.saveFile(pdfExportRequest());
    if (path.isEmpty())
        return;
    QPrinter printer(QPrinter::HighResolution);
    setUpReportPrinter(printer, path);
    printReport(printer,
                QStringLiteral("Impossibile scrivere il file %1").arg(QDir::toNativeSeparators(path)));
}

// The printed header describes a search: before the first there is nothing to print.
bool AmboOltreFrm::hasReport() {
    if (m_searched)
        return true;
    m_prompts.message(QStringLiteral("Nessun caso da stampare: premere prima ELABORA"),
                      QStringLiteral("Avviso"), MessageIcon::Exclamation);
    return false;
}

bool AmboOltreFrm::printReport(QPagedPaintDevice& device, const QString& failure) {
    const GridReport report = amboReport(*m_searched, m_verified, m_archive, *Fg1->gridModel(),
                                         *FgS->gridModel(), QDateTime::currentDateTime());
    WaitPointer hourglass; // a thousand cases take a moment to lay out
    const bool printed = printGridReport(device, report) > 0;
    hourglass.restore();
    if (printed)
        return true;
    m_prompts.message(failure, QStringLiteral("Avviso"), MessageIcon::Critical);
    return false;
}

void AmboOltreFrm::Command4_Click() {
    HsInizio->setValue(1);
}

void AmboOltreFrm::Command9_Click() {
    HsFine->setValue(m_archive.drawCount());
}

void AmboOltreFrm::Command62_Click() {
    const auto draw = searchDrawByDate(m_prompts, m_archive, QString(), DateSearchScope::WholeArchive);
    // A date with no draw sends the start back to the oldest draw.
    HsInizio->setValue(draw.value_or(1));
}

void AmboOltreFrm::Command10_Click() {
    if (const auto draw = searchDrawByDate(m_prompts, m_archive, QString(), DateSearchScope::WholeArchive))
        HsFine->setValue(*draw);
}

void AmboOltreFrm::Command61_Click() {
    if (const auto draw = chooseDrawIndex(m_prompts, m_archive))
        HsInizio->setValue(*draw);
}

void AmboOltreFrm::Command8_Click() {
    if (const auto draw = chooseDrawIndex(m_prompts, m_archive))
        HsFine->setValue(*draw);
}

void AmboOltreFrm::HsInizio_Change() {
    const auto dragEnd = rangeStartChanged(m_state, static_cast<std::int16_t>(HsInizio->value()));
    LabelInizio->setText(rangeLabelText(m_archive, m_state.IndiceInizio));
    if (dragEnd)
        HsFine->setValue(*dragEnd);
}

void AmboOltreFrm::HsFine_Change() {
    const auto dragStart = rangeEndChanged(m_state, static_cast<std::int16_t>(HsFine->value()));
    LabelFine->setText(rangeLabelText(m_archive, m_state.IndiceFine));
    if (dragStart)
        HsInizio->setValue(*dragStart);
}

void AmboOltreFrm::Fg1_CurrentCellChanged() {
    m_prompts.message(QString::number(Fg1->gridModel()->currentCol()), QString(), MessageIcon::None);
}

void AmboOltreFrm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_placed)
        return;
    m_placed = true;
    // Inside the frame the window takes the whole child area: the case grid wants all the room there is.
    fillChildArea(*this);
}
