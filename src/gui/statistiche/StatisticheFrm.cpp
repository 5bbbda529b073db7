#include "gui/statistiche/StatisticheFrm.h"

#include "core/DrawArchive.h"
#include "core/DrawRange.h"
#include "gui/kit/ChartPanel.h"
#include "gui/kit/ChildArea.h"
#include "gui/kit/DateField.h"
#include "gui/kit/FrameServices.h"
#include "gui/kit/GridModel.h"
#include "gui/kit/GridReport.h"
#include "gui/kit/GridView.h"
#include "gui/kit/HelpKey.h"
#include "gui/kit/ItalianFormat.h"
#include "gui/kit/ItemModelTable.h"
#include "gui/kit/ItemTableView.h"
#include "gui/kit/MethodControls.h"
#include "gui/kit/ProgramIcons.h"
#include "gui/kit/Prompts.h"
#include "gui/kit/SelectionChooser.h"
#include "gui/kit/SelectionGrids.h"
#include "gui/kit/StaleNotice.h"
#include "gui/kit/WaitPointer.h"
#include "gui/statistiche/DelayTableModel.h"
#include "gui/statistiche/StatistichePresentation.h"

#include <QAction>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QComboBox>
#include <QCursor>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHelpEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QSplitter>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <functional>
#include <tuple>

using namespace methodControls;

namespace {

const QString Title = QStringLiteral("Ritardi e frequenze");

QString sorteWord(Sorte sorte, long long count) {
    if (sorte == Sorte::Estratto)
        return count == 1 ? QStringLiteral("numero") : QStringLiteral("numeri");
    return count == 1 ? QStringLiteral("ambo") : QStringLiteral("ambi");
}

} // namespace

StatisticheFrm::StatisticheFrm(const DrawArchive& archive, Prompts& prompts, HelpService& help,
                               FrameServices& frame, QWidget* parent)
    : QWidget(parent), m_archive(archive), m_prompts(prompts), m_help(help), m_frame(frame) {
    setObjectName(QStringLiteral("StatisticheFrm"));
    setWindowTitle(Title);
    setWindowIcon(programIcon(ProgramIcon::Statistiche));
    m_model = new DelayTableModel(archive, this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addWidget(buildChoices());
    layout->addWidget(buildResults(), 1);

    connect(CmdCalcola, &QPushButton::clicked, this, &StatisticheFrm::CmdCalcola_Click);
    connect(CmdStampa, &QPushButton::clicked, this, &StatisticheFrm::CmdStampa_Click);
    connect(CmbRuota, &QComboBox::currentIndexChanged, this, &StatisticheFrm::CmbRuota_Change);
    connect(FgElementi, &QTableView::doubleClicked, this, &StatisticheFrm::FgElementi_DoubleClick);
    connect(CmbSorte, &QComboBox::currentIndexChanged, this, &StatisticheFrm::Scelte_Change);
    connect(FgR->gridModel(), &QAbstractItemModel::dataChanged, this, &StatisticheFrm::Scelte_Change);
    connect(ChTutte, &QCheckBox::toggled, this, &StatisticheFrm::Scelte_Change);
    for (QDateEdit* date : {DtDal, DtAl})
        connect(date, &QDateEdit::dateChanged, this, &StatisticheFrm::Scelte_Change);
    HelpKey::attach(this, m_help, HelpContext);
    Form_Load();
}

StatisticheFrm::~StatisticheFrm() = default;

QSize StatisticheFrm::sizeHint() const {
    return {1250, 690};
}

QWidget* StatisticheFrm::buildChoices() {
    auto* panel = new QWidget(this);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);

    auto* sorteBox = new QGroupBox(QStringLiteral("Sorte"), panel);
    auto* sv = new QVBoxLayout(sorteBox);
    sv->setContentsMargins(8, 4, 8, 4);
    CmbSorte = new QComboBox(sorteBox);
    CmbSorte->setObjectName(QStringLiteral("CmbSorte"));
    CmbSorte->addItems({QStringLiteral("Estratto"), QStringLiteral("Ambo")});
    CmbSorte->setToolTip(QStringLiteral("Estratto: i 90 numeri; ambo: le 4.005 coppie di numeri"));
    sv->addWidget(CmbSorte);
    sv->addStretch(1);
    row->addWidget(sorteBox);

    auto* wheelsBox = new QGroupBox(QStringLiteral("Ruote"), panel);
    auto* wv = new QVBoxLayout(wheelsBox);
    wv->setContentsMargins(8, 4, 8, 4);
    wv->setSpacing(3);
    const auto* chooser = new SelectionChooser(SelectionChooser::Kind::Wheels, wheelsBox);
    FgR = chooser->grid();
    Label6 = chooser->selectAllSquare();
    // The wheels, feminine, as this window's captions say them.
    Label6->setToolTip(QStringLiteral("Seleziona tutte"));
    Label6->setAccessibleName(Label6->toolTip());
    Label9 = chooser->deselectAllSquare();
    ChTutte = checkBox(wheelsBox, QStringLiteral("ChTutte"),
                       QStringLiteral("Tutte (TU): le dieci ruote da Bari a Venezia insieme"), true);
    auto* wheels = new QHBoxLayout;
    wheels->setSpacing(4);
    wheels->addWidget(FgR);
    wheels->addSpacing(4);
    wheels->addWidget(Label6);
    wheels->addWidget(Label9);
    wheels->addStretch(1);
    wv->addLayout(wheels);
    wv->addWidget(ChTutte);
    row->addWidget(wheelsBox);

    row->addWidget(periodPanel(panel, QStringLiteral("Periodo"), DtDal, DtAl));

    auto* commands = new QVBoxLayout;
    commands->setSpacing(4);
    CmdCalcola = mainCommand(panel, QStringLiteral("CmdCalcola"), QStringLiteral("CALCOLA"),
                             QStringLiteral("Ritardi e frequenze con le scelte della finestra"));
    CmdStampa = new QPushButton(QStringLiteral("Stampa…"), panel);
    CmdStampa->setObjectName(QStringLiteral("CmdStampa"));
    CmdStampa->setToolTip(QStringLiteral("Stampa la tabella come è mostrata (ruota e ordine scelti)"));
    commands->addWidget(CmdCalcola);
    commands->addWidget(CmdStampa);
    commands->addStretch(1);
    row->addLayout(commands);
    row->addStretch(1);
    return panel;
}

QWidget* StatisticheFrm::buildResults() {
    auto* area = new QWidget(this);
    auto* column = new QVBoxLayout(area);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);

    LblAggiorna = new StaleNotice(QStringLiteral("LblAggiorna"), QStringLiteral("CALCOLA"), area);
    column->addWidget(LblAggiorna);
    LblFrase = new QLabel(area);
    LblFrase->setObjectName(QStringLiteral("LblFrase"));
    LblFrase->setWordWrap(true);
    LblFrase->setTextInteractionFlags(Qt::TextSelectableByMouse);
    LblFrase->setFrameShape(QFrame::StyledPanel);
    LblFrase->setMargin(6);
    column->addWidget(LblFrase);

    // The table across the whole window, the map and the runs chart under it: the table wants its
    // eleven columns in view, the map its ninety numbers.
    auto* split = new QSplitter(Qt::Vertical, area);
    split->setObjectName(QStringLiteral("Divisore"));
    split->setChildrenCollapsible(false);
    auto* table = new QWidget(split);
    auto* tv = new QVBoxLayout(table);
    tv->setContentsMargins(0, 0, 0, 0);
    tv->setSpacing(3);
    auto* filter = new QHBoxLayout;
    filter->setSpacing(6);
    CmbRuota = new QComboBox(table);
    CmbRuota->setObjectName(QStringLiteral("CmbRuota"));
    CmbRuota->setToolTip(QStringLiteral("Mostra gli elementi di una sola ruota"));
    CmbRuota->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    LblRighe = new QLabel(table);
    LblRighe->setObjectName(QStringLiteral("LblRighe"));
    filter->addWidget(new QLabel(QStringLiteral("Ruota"), table));
    filter->addWidget(CmbRuota);
    filter->addSpacing(12);
    filter->addWidget(LblRighe, 1);
    tv->addLayout(filter);
    FgElementi = new ItemTableView(table);
    FgElementi->setObjectName(QStringLiteral("FgElementi"));
    FgElementi->setModel(m_model);
    FgElementi->setPrompts(&m_prompts);
    FgElementi->setExportFileName(QStringLiteral("ritardi-frequenze.csv"));
    FgElementi->setToolTip(QStringLiteral("Doppio clic su un elemento: mini elenco sulla sua ultima uscita"));
    FgElementi->horizontalHeader()->setResizeContentsPrecision(300);
    auto* print = new QAction(CmdStampa->text(), this);
    connect(print, &QAction::triggered, this, &StatisticheFrm::CmdStampa_Click);
    FgElementi->addContextAction(print);
    tv->addWidget(FgElementi, 1);
    auto* charts = new QSplitter(Qt::Horizontal, split);
    charts->setChildrenCollapsible(false);
    GrMappa = new ChartPanel(m_prompts, QStringLiteral("GrMappa"), charts);
    GrSerie = new ChartPanel(m_prompts, QStringLiteral("GrSerie"), charts);
    GrMappa->view()->viewport()->installEventFilter(this);
    charts->addWidget(GrMappa);
    charts->addWidget(GrSerie);
    charts->setStretchFactor(0, 3);
    charts->setStretchFactor(1, 2);
    split->addWidget(table);
    split->addWidget(charts);
    split->setStretchFactor(0, 4);
    split->setStretchFactor(1, 5);
    column->addWidget(split, 1);
    LblAggiorna->cover({LblFrase, split});
    return area;
}

void StatisticheFrm::Form_Load() {
    layoutWheelChooser(*FgR->gridModel(), m_archive);
    selectAllWheels(*FgR->gridModel());
    fitSelectionGrid(*FgR);
    ChTutte->setChecked(true);
    CmbSorte->setCurrentIndex(0);
    fitPeriodToArchive(m_archive, *DtDal, *DtAl);
    CmdCalcola_Click();
}

DelaySettings StatisticheFrm::settings() const {
    DelaySettings s;
    s.sorte = CmbSorte->currentIndex() == 1 ? Sorte::Ambo : Sorte::Estratto;
    for (int w = 0; w < WheelCount; ++w)
        s.wheels[static_cast<std::size_t>(w)] = FgR->gridModel()->backColour(0, w) == ChosenWheelColour;
    s.wheels[TutteWheel] = ChTutte->isChecked();
    // Dates with no draw between them give a range that holds none.
    std::tie(s.first, s.last) = drawsBetween(m_archive, DtDal->date(), DtAl->date()).value_or(std::pair{2, 1});
    return s;
}

QVariantMap StatisticheFrm::keptSettings() const {
    QVariantList wheels;
    for (const bool chosen : settings().wheels)
        wheels << chosen;
    const QHeaderView* header = FgElementi->horizontalHeader();
    QVariantMap kept{{QStringLiteral("sorte"), CmbSorte->currentIndex()},
                     {QStringLiteral("ruote"), wheels},
                     {QStringLiteral("filtro"), CmbRuota->currentText()},
                     {QStringLiteral("colonna"), header->sortIndicatorSection()},
                     {QStringLiteral("ordine"), static_cast<int>(header->sortIndicatorOrder())}};
    keepPeriod(kept, *DtDal, *DtAl);
    return kept;
}

void StatisticheFrm::restoreSettings(const QVariantMap& kept) {
    CmbSorte->setCurrentIndex(kept.value(QStringLiteral("sorte")).toInt());
    const QVariantList wheels = kept.value(QStringLiteral("ruote")).toList();
    for (int w = 0; w < wheels.size() && w <= TutteWheel; ++w) {
        if (w == TutteWheel)
            ChTutte->setChecked(wheels[w].toBool());
        else
            FgR->gridModel()->setBackColour(0, w, wheels[w].toBool() ? ChosenWheelColour : NotChosenColour);
    }
    // The date fields bring a date past the new archive's range inside it.
    DtDal->setDate(kept.value(QStringLiteral("dal")).toDate());
    DtAl->setDate(keptPeriodEnd(kept, *DtAl));
    CmdCalcola_Click();
    const int filter = CmbRuota->findText(kept.value(QStringLiteral("filtro")).toString());
    if (filter >= 0)
        CmbRuota->setCurrentIndex(filter);
    const int column = kept.value(QStringLiteral("colonna"), -1).toInt();
    if (column >= 0)
        FgElementi->sortByColumn(column,
                                 static_cast<Qt::SortOrder>(kept.value(QStringLiteral("ordine")).toInt()));
}

bool StatisticheFrm::choicesAccepted() {
    QStringList typed{DtDal->typedError(QStringLiteral("Dal")), DtAl->typedError(QStringLiteral("Al"))};
    typed.removeAll(QString());
    if (!typed.isEmpty()) {
        m_prompts.message(typed.join(QLatin1Char('\n')), Title, MessageIcon::Exclamation);
        return false;
    }
    const DelaySettings s = settings();
    if (std::find(s.wheels.begin(), s.wheels.end(), true) == s.wheels.end()) {
        m_prompts.message(QStringLiteral("Scegliere almeno una ruota, o Tutte."), Title,
                          MessageIcon::Exclamation);
        return false;
    }
    if (DtDal->date() > DtAl->date()) {
        m_prompts.message(QStringLiteral("La data d'inizio (%1) è successiva alla data di fine (%2).")
                              .arg(DtDal->text(), DtAl->text()),
                          Title, MessageIcon::Exclamation);
        return false;
    }
    return true;
}

void StatisticheFrm::CmdCalcola_Click() {
    if (!choicesAccepted())
        return;
    WaitPointer hourglass;
    const DelaySettings s = settings();
    auto statistics = std::make_shared<const DelayStatistics>(computeDelayStatistics(s, m_archive));
    m_shownSettings = s;
    // The map shows numbers whatever the sorte: the ambi's delays would need a map of their own.
    DelaySettings numbers = s;
    numbers.sorte = Sorte::Estratto;
    numbers.wheels[TutteWheel] = false;
    std::vector<statisticheCharts::MapRow> map;
    if (s.sorte == Sorte::Estratto)
        map = statistichePresentation::mapRows(*statistics, m_archive);
    else
        map = statistichePresentation::mapRows(computeDelayStatistics(numbers, m_archive), m_archive);
    showStatistics(std::move(statistics), std::move(map));
}

void StatisticheFrm::showStatistics(std::shared_ptr<const DelayStatistics> statistics,
                                    std::vector<statisticheCharts::MapRow> map) {
    const DelayStatistics& s = *statistics;
    LblFrase->setText(statistichePresentation::sentence(s, m_archive));
    LblFrase->setToolTip(statistichePresentation::sentenceTip(s));
    GrSerie->setChart(statisticheCharts::runsAgainstChance(statistichePresentation::runBins(s)));
    m_map = std::move(map);
    QChart* mapChart = statisticheCharts::delayMap(m_map);
    GrMappa->setChart(mapChart);

    m_model->setStatistics(std::move(statistics));
    FgElementi->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    {
        const QSignalBlocker quiet(CmbRuota);
        CmbRuota->clear();
        CmbRuota->addItem(QStringLiteral("Tutte le ruote scelte"), -1);
        for (const DelayWheel& w : s.wheels)
            CmbRuota->addItem(
                w.wheel == TutteWheel ? QStringLiteral("TU (Tutte)") : m_archive.wheelCode(w.wheel), w.wheel);
    }
    CmbRuota_Change(0);
    FgElementi->resizeColumnsToContents();
    Scelte_Change();
}

void StatisticheFrm::Scelte_Change() {
    LblAggiorna->setStale(m_shownSettings && settings() != *m_shownSettings);
}

void StatisticheFrm::CmbRuota_Change(int index) {
    // The model keeps its order across the filter, as the header shows it.
    m_model->setWheelFilter(index >= 0 ? CmbRuota->itemData(index).toInt() : -1);
    const DelayStatistics* s = m_model->statistics();
    const long long rows = m_model->rowCount();
    LblRighe->setText(s ? QStringLiteral("%1 %2").arg(italian::integer(rows), sorteWord(s->sorte, rows))
                        : QString());
}

void StatisticheFrm::FgElementi_DoubleClick(const QModelIndex& index) {
    if (!index.isValid() || index.row() >= m_model->rowCount())
        return;
    const DelayItem& d = m_model->item(index.row());
    if (d.ultimaUscita > 0) {
        m_frame.showDraw(d.ultimaUscita);
        return;
    }
    m_prompts.message(QStringLiteral("%1 non è mai uscito nel periodo scelto.")
                          .arg(statistichePresentation::itemName(m_archive, d, m_model->statistics()->sorte)),
                      Title, MessageIcon::Information);
}

bool StatisticheFrm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::ToolTip && watched == GrMappa->view()->viewport()) {
        GrMappa_ToolTip(static_cast<QHelpEvent*>(event));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void StatisticheFrm::GrMappa_ToolTip(QHelpEvent* event) {
    // Asked of the view's own tooltip event rather than of the areas' hover signal, which comes only on
    // entering a colour's area: moving from cell to cell of one colour would keep the first cell's tip.
    QChartView* view = GrMappa->view();
    QChart* chart = view->chart();
    const QPointF inChart = chart ? chart->mapFromScene(view->mapToScene(event->pos())) : QPointF();
    const QPointF value = chart && !chart->series().isEmpty() ? chart->mapToValue(inChart) : QPointF(-1, -1);
    const int row = static_cast<int>(std::lround(value.y()));
    const int number = static_cast<int>(std::lround(value.x()));
    if (!chart || !chart->plotArea().contains(inChart) || row < 0 || row >= static_cast<int>(m_map.size()) ||
        number < 1 || number > 90) {
        QToolTip::hideText();
        event->ignore();
        return;
    }
    const statisticheCharts::MapRow& c = m_map[static_cast<std::size_t>(row)];
    const auto i = static_cast<std::size_t>(number - 1);
    // The tip goes when the mouse leaves the cell, and the next cell's comes after the delay.
    const auto corner = [&](double x, double y) {
        return view->mapFromScene(chart->mapToScene(chart->mapToPosition(QPointF(x, y))));
    };
    const QRect cell = QRect(corner(number - 0.5, row - 0.5), corner(number + 0.5, row + 0.5)).normalized();
    QToolTip::showText(event->globalPos(),
                       QStringLiteral("%1 %2: ritardo %3, p ritardo %4")
                           .arg(c.wheel)
                           .arg(number)
                           .arg(italian::integer(c.ritardo[i]), italian::pValue(c.pRitardo[i])),
                       view->viewport(), cell);
}

void StatisticheFrm::CmdStampa_Click() {
    const DelayStatistics* s = m_model->statistics();
    if (!s)
        return;
    QPrinter printer(QPrinter::HighResolution);
    setUpReportPrinter(printer);
    const long long rows = m_model->rowCount();
    GridReport report;
    report.title = Title;
    report.pictures = {std::bind_front(&ChartPanel::paint, GrMappa), std::bind_front(&ChartPanel::paint, GrSerie)};
    report.footer = m_archive.archivePath();
    const auto printedLines = [&](long long printedRows) {
        const QString shown = printedRows < rows ? QStringLiteral("le prime %1 di %2")
                                                       .arg(italian::integer(printedRows), italian::integer(rows))
                                                 : italian::integer(rows);
        return QStringList{LblFrase->text(),
                           QStringLiteral("Sorte: %1    Ruota: %2    Dal %3 al %4    Righe: %5")
                               .arg(CmbSorte->currentText(), CmbRuota->currentText(), DtDal->text(),
                                    DtAl->text(), shown)};
    };

    // Tens of thousands of ambi fill a thousand pages: the player is asked first, and offered the first
    // rows in the order shown.
    int limit = -1;
    const ItemModelTable whole(*m_model);
    report.lines = printedLines(rows);
    report.table = &whole;
    WaitPointer counting; // every cell of the table is measured
    const int pages = gridReportPages(printer, report);
    counting.restore();
    if (pages > MostPagesUnasked && rows > FirstPrintedRows) {
        const ItemModelTable first(*m_model, FirstPrintedRows);
        report.lines = printedLines(FirstPrintedRows);
        report.table = &first;
        const int firstPages = gridReportPages(printer, report);
        const int choice = m_prompts.choose(
            QStringLiteral("La tabella mostrata ha %1 righe: stamparla tutta richiede %2 pagine.\n\n"
                           "Si possono stampare solo le prime %3 righe, nell'ordine mostrato (%4).")
                .arg(italian::integer(rows), italian::integer(pages), italian::integer(FirstPrintedRows),
                     italian::counted(firstPages, "pagina", "pagine")),
            Title,
            {QStringLiteral("Le prime %1 righe").arg(italian::integer(FirstPrintedRows)),
             QStringLiteral("Tutte (%1 pagine)").arg(italian::integer(pages))});
        if (choice < 0)
            return;
        if (choice == 0)
            limit = FirstPrintedRows;
    }
    if (!m_prompts.choosePrinter(printer))
        return;
    const ItemModelTable table(*m_model, limit);
    report.lines = printedLines(limit < 0 ? rows : limit);
    report.table = &table;
    WaitPointer hourglass;
    const bool printed = printGridReport(printer, report) > 0;
    hourglass.restore();
    if (!printed)
        m_prompts.message(QStringLiteral("Stampa non riuscita"), QStringLiteral("Avviso"),
                          MessageIcon::Critical);
}

void StatisticheFrm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_placed)
        return;
    m_placed = true;
    // Inside the frame the window takes the whole child area: the table and the map want the room.
    fillChildArea(*this);
}
