#include "gui/spia/SpiaFrm.h"

#include "core/DrawArchive.h"
#include "core/DrawRange.h"
#include "core/SpyScript.h"
#include "gui/kit/ChartPanel.h"
#include "gui/kit/ChildArea.h"
#include "gui/kit/DateField.h"
#include "gui/kit/FrameServices.h"
#include "gui/kit/HelpKey.h"
#include "gui/kit/ItemTableView.h"
#include "gui/kit/MethodControls.h"
#include "gui/kit/ProgramIcons.h"
#include "gui/kit/Prompts.h"
#include "gui/kit/WaitPointer.h"
#include "gui/spia/SpiaCharts.h"
#include "gui/spia/SpiaPresentation.h"
#include "gui/spia/SpyHeatMap.h"
#include "gui/spia/SpyTableModel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QSaveFile>
#include <QDateEdit>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <tuple>

using namespace methodControls;

namespace {

const QString Title = QStringLiteral("Numeri spia");

// The eleven wheels and Tutte, each item holding its wheel (TutteWheel for TU).
void fillWheels(QComboBox& combo, const DrawArchive& archive) {
    for (int w = 0; w < WheelCount; ++w)
        combo.addItem(archive.wheelCode(w), w);
    combo.addItem(QStringLiteral("TU (Tutte)"), TutteWheel);
}

} // namespace

SpiaFrm::SpiaFrm(const DrawArchive& archive, Prompts& prompts, HelpService& help, FrameServices& frame,
                 QString methodsFolder, QWidget* parent)
    : QWidget(parent), m_archive(archive), m_prompts(prompts), m_help(help), m_frame(frame),
      m_methodsFolder(std::move(methodsFolder)) {
    setObjectName(QStringLiteral("SpiaFrm"));
    setWindowTitle(Title);
    setWindowIcon(programIcon(ProgramIcon::Spia));
    m_model = new SpyTableModel(archive, this);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    layout->setSpacing(4);
    layout->addWidget(buildChoices());
    layout->addWidget(buildResults(), 1);

    connect(CmdCalcola, &QPushButton::clicked, this, &SpiaFrm::CmdCalcola_Click);
    connect(CmdCollauda, &QPushButton::clicked, this, &SpiaFrm::CmdCollauda_Click);
    connect(ChTutteLeSpie, &QCheckBox::clicked, this, &SpiaFrm::ChTutteLeSpie_Click);
    connect(FgSeguenti, &QTableView::doubleClicked, this, &SpiaFrm::FgSeguenti_DoubleClick);
    for (QComboBox* combo : {CmbSpia, CmbRuota, CmbRuotaSeguenti, CmbColpi})
        connect(combo, &QComboBox::currentIndexChanged, this, &SpiaFrm::Scelta_Change);
    for (QDateEdit* field : {DtDal, DtAl})
        connect(field, &QDateEdit::dateChanged, this, &SpiaFrm::Scelta_Change);
    connect(ChTutteLeSpie, &QCheckBox::toggled, this, &SpiaFrm::Scelta_Change);
    HelpKey::attach(this, m_help, HelpContext);
    Form_Load();
}

SpiaFrm::~SpiaFrm() = default;

QSize SpiaFrm::sizeHint() const {
    return {1250, 690};
}

QWidget* SpiaFrm::buildChoices() {
    auto* panel = new QWidget(this);
    auto* row = new QHBoxLayout(panel);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);

    auto* spyBox = new QGroupBox(QStringLiteral("Spia"), panel);
    auto* sg = new QGridLayout(spyBox);
    sg->setContentsMargins(8, 4, 8, 4);
    sg->setVerticalSpacing(2);
    CmbSpia = new QComboBox(spyBox);
    CmbSpia->setObjectName(QStringLiteral("CmbSpia"));
    for (int n = 1; n <= 90; ++n)
        CmbSpia->addItem(QString::number(n), n);
    CmbSpia->setToolTip(QStringLiteral("Il numero la cui uscita apre un evento"));
    CmbRuota = new QComboBox(spyBox);
    CmbRuota->setObjectName(QStringLiteral("CmbRuota"));
    fillWheels(*CmbRuota, m_archive);
    CmbRuota->setToolTip(QStringLiteral("La ruota della spia; TU: una qualsiasi delle dieci da Bari a Venezia"));
    ChTutteLeSpie = checkBox(spyBox, QStringLiteral("ChTutteLeSpie"), QStringLiteral("Tutte le spie (mappa 90 × 90)"),
                             false);
    ChTutteLeSpie->setToolTip(QStringLiteral("Ogni spia da 1 a 90 contro ogni numero: 8.100 coppie, con il p "
                                             "corretto per tutte"));
    sg->addWidget(new QLabel(QStringLiteral("Numero"), spyBox), 0, 0);
    sg->addWidget(CmbSpia, 0, 1);
    sg->addWidget(new QLabel(QStringLiteral("Ruota"), spyBox), 0, 2);
    sg->addWidget(CmbRuota, 0, 3);
    sg->addWidget(ChTutteLeSpie, 1, 0, 1, 4);
    row->addWidget(spyBox);

    auto* followBox = new QGroupBox(QStringLiteral("Seguenti"), panel);
    auto* fg = new QGridLayout(followBox);
    fg->setContentsMargins(8, 4, 8, 4);
    fg->setVerticalSpacing(2);
    CmbRuotaSeguenti = new QComboBox(followBox);
    CmbRuotaSeguenti->setObjectName(QStringLiteral("CmbRuotaSeguenti"));
    fillWheels(*CmbRuotaSeguenti, m_archive);
    CmbRuotaSeguenti->setToolTip(QStringLiteral("La ruota su cui si cercano i numeri che seguono"));
    CmbColpi = new QComboBox(followBox);
    CmbColpi->setObjectName(QStringLiteral("CmbColpi"));
    for (int k = 1; k <= 18; ++k)
        CmbColpi->addItem(QString::number(k), k);
    CmbColpi->setToolTip(QStringLiteral("Le estrazioni che seguono ogni uscita della spia"));
    fg->addWidget(new QLabel(QStringLiteral("Ruota"), followBox), 0, 0);
    fg->addWidget(CmbRuotaSeguenti, 0, 1);
    fg->addWidget(new QLabel(QStringLiteral("Colpi"), followBox), 1, 0);
    fg->addWidget(CmbColpi, 1, 1);
    row->addWidget(followBox);

    row->addWidget(periodPanel(panel, QStringLiteral("Periodo delle uscite della spia"), DtDal, DtAl));

    auto* commands = new QVBoxLayout;
    commands->setSpacing(4);
    CmdCalcola = mainCommand(panel, QStringLiteral("CmdCalcola"), QStringLiteral("CALCOLA"),
                             QStringLiteral("I numeri spia con le scelte della finestra"));
    CmdCalcola->setDefault(true);
    CmdCollauda = new QPushButton(QStringLiteral("COLLAUDA"), panel);
    CmdCollauda->setObjectName(QStringLiteral("CmdCollauda"));
    CmdCollauda->setToolTip(QStringLiteral("Il numero scelto nella tabella giocato a estratto a ogni uscita della "
                                           "spia: il collaudo contro il caso e in denaro"));
    LblAggiorna = new QLabel(QStringLiteral("Premere CALCOLA per aggiornare"), panel);
    LblAggiorna->setObjectName(QStringLiteral("LblAggiorna"));
    LblAggiorna->setStyleSheet(QStringLiteral("QLabel { color: rgb(200, 0, 0); font-weight: bold; }"));
    LblAggiorna->hide();
    commands->addWidget(CmdCalcola);
    commands->addWidget(CmdCollauda);
    commands->addWidget(LblAggiorna);
    commands->addStretch(1);
    row->addLayout(commands);
    row->addStretch(1);
    return panel;
}

QWidget* SpiaFrm::buildResults() {
    auto* area = new QWidget(this);
    auto* column = new QVBoxLayout(area);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(4);

    LblFrase = new QLabel(area);
    LblFrase->setObjectName(QStringLiteral("LblFrase"));
    LblFrase->setWordWrap(true);
    LblFrase->setTextInteractionFlags(Qt::TextSelectableByMouse);
    LblFrase->setFrameShape(QFrame::StyledPanel);
    LblFrase->setMargin(6);
    column->addWidget(LblFrase);

    auto* split = new QSplitter(Qt::Horizontal, area);
    split->setObjectName(QStringLiteral("Divisore"));
    split->setChildrenCollapsible(false);
    FgSeguenti = new ItemTableView(split);
    FgSeguenti->setObjectName(QStringLiteral("FgSeguenti"));
    FgSeguenti->setModel(m_model);
    FgSeguenti->setPrompts(&m_prompts);
    FgSeguenti->setExportFileName(QStringLiteral("numeri-spia.csv"));
    FgSeguenti->setToolTip(QStringLiteral("Doppio clic su un numero: mini elenco sulla sua ultima presenza"));
    FgSeguenti->horizontalHeader()->setResizeContentsPrecision(300);
    Grafici = new QStackedWidget(split);
    Grafici->setObjectName(QStringLiteral("Grafici"));
    GrPresenze = new ChartPanel(m_prompts, QStringLiteral("GrPresenze"), Grafici);
    GrMappaSpie = new SpyHeatMap(Grafici);
    Grafici->addWidget(GrPresenze);
    Grafici->addWidget(GrMappaSpie);
    split->addWidget(FgSeguenti);
    split->addWidget(Grafici);
    split->setStretchFactor(0, 5);
    split->setStretchFactor(1, 4);
    column->addWidget(split, 1);
    return area;
}

void SpiaFrm::Form_Load() {
    CmbSpia->setCurrentIndex(89);
    CmbRuota->setCurrentIndex(0);
    CmbRuotaSeguenti->setCurrentIndex(0);
    CmbColpi->setCurrentIndex(8);
    ChTutteLeSpie->setChecked(false);
    fitPeriodToArchive(m_archive, *DtDal, *DtAl);
    ChTutteLeSpie_Click();
    CmdCalcola_Click();
}

bool SpiaFrm::wholeMap() const {
    return ChTutteLeSpie->isChecked();
}

SpySettings SpiaFrm::settings() const {
    SpySettings s;
    s.spia = CmbSpia->currentData().toInt();
    s.ruota = CmbRuota->currentData().toInt();
    s.ruotaSeguenti = CmbRuotaSeguenti->currentData().toInt();
    s.colpi = CmbColpi->currentData().toInt();
    // Dates with no draw between them give a range that holds none.
    std::tie(s.first, s.last) = drawsBetween(m_archive, DtDal->date(), DtAl->date()).value_or(std::pair{2, 1});
    return s;
}

QVariantMap SpiaFrm::keptSettings() const {
    const QHeaderView* header = FgSeguenti->horizontalHeader();
    QVariantMap kept{{QStringLiteral("spia"), CmbSpia->currentIndex()},
                     {QStringLiteral("ruota"), CmbRuota->currentIndex()},
                     {QStringLiteral("ruotaSeguenti"), CmbRuotaSeguenti->currentIndex()},
                     {QStringLiteral("colpi"), CmbColpi->currentIndex()},
                     {QStringLiteral("tutte"), ChTutteLeSpie->isChecked()},
                     {QStringLiteral("colonna"), header->sortIndicatorSection()},
                     {QStringLiteral("ordine"), static_cast<int>(header->sortIndicatorOrder())}};
    keepPeriod(kept, *DtDal, *DtAl);
    return kept;
}

void SpiaFrm::restoreSettings(const QVariantMap& kept) {
    CmbSpia->setCurrentIndex(kept.value(QStringLiteral("spia")).toInt());
    CmbRuota->setCurrentIndex(kept.value(QStringLiteral("ruota")).toInt());
    CmbRuotaSeguenti->setCurrentIndex(kept.value(QStringLiteral("ruotaSeguenti")).toInt());
    CmbColpi->setCurrentIndex(kept.value(QStringLiteral("colpi")).toInt());
    ChTutteLeSpie->setChecked(kept.value(QStringLiteral("tutte")).toBool());
    ChTutteLeSpie_Click();
    DtDal->setDate(kept.value(QStringLiteral("dal")).toDate());
    DtAl->setDate(keptPeriodEnd(kept, *DtAl));
    CmdCalcola_Click();
    const int column = kept.value(QStringLiteral("colonna"), -1).toInt();
    if (column >= 0)
        FgSeguenti->sortByColumn(column, static_cast<Qt::SortOrder>(kept.value(QStringLiteral("ordine")).toInt()));
}

bool SpiaFrm::choicesAccepted() {
    for (const auto& [field, caption] : {std::pair{DtDal, "Dal"}, std::pair{DtAl, "Al"}}) {
        if (const QString error = field->typedError(QLatin1String(caption)); !error.isEmpty()) {
            m_prompts.message(error, Title, MessageIcon::Exclamation);
            return false;
        }
    }
    if (DtDal->date() > DtAl->date()) {
        m_prompts.message(QStringLiteral("La data d'inizio (%1) è successiva alla data di fine (%2).")
                              .arg(DtDal->text(), DtAl->text()),
                          Title, MessageIcon::Exclamation);
        return false;
    }
    const SpySettings s = settings();
    if (s.first > s.last) {
        m_prompts.message(QStringLiteral("Nessuna estrazione tra il %1 e il %2.").arg(DtDal->text(), DtAl->text()),
                          Title, MessageIcon::Exclamation);
        return false;
    }
    return true;
}

void SpiaFrm::CmdCalcola_Click() {
    if (!choicesAccepted())
        return;
    WaitPointer hourglass;
    const SpySettings s = settings();
    const bool map = wholeMap();
    auto tables = std::make_shared<const std::vector<SpyTable>>(
        map ? computeSpyMap(s, m_archive) : std::vector<SpyTable>{computeSpyTable(s, m_archive)});
    LblFrase->setText(spiaPresentation::sentence(*tables, s, map));
    if (map) {
        GrMappaSpie->setTables(*tables);
        Grafici->setCurrentWidget(GrMappaSpie);
    } else {
        const SpyTable& t = tables->front();
        std::array<int, 90> presenze{};
        for (const SpyFollower& f : t.seguenti)
            presenze[static_cast<std::size_t>(f.numero - 1)] = f.presenze;
        GrPresenze->setChart(spiaCharts::presencesAgainstChance(presenze, t.seguenti.front().attese,
                                                                t.seguenti.front().deviazione));
        Grafici->setCurrentWidget(GrPresenze);
    }
    m_model->setTables(std::move(tables));
    FgSeguenti->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    FgSeguenti->resizeColumnsToContents();
    m_shown = s;
    m_shownMap = map;
    setStale(false);
}

// The follower of the current row played as a player's method, written where the player's methods are.
void SpiaFrm::CmdCollauda_Click() {
    const QModelIndex current = FgSeguenti->currentIndex();
    if (m_stale || !current.isValid()) {
        m_prompts.message(m_stale ? QStringLiteral("Premere CALCOLA, poi scegliere un numero nella tabella.")
                                  : QStringLiteral("Scegliere un numero nella tabella."),
                          Title, MessageIcon::Exclamation);
        return;
    }
    const SpyFollower& f = m_model->follower(current.row());
    SpySettings s = m_shown;
    s.spia = f.spia;
    const QString folder = m_methodsFolder.isEmpty() ? QDir::tempPath() : m_methodsFolder;
    const QString path = QDir(folder).filePath(spyScriptName(s, f.numero));
    QSaveFile file(path);
    const QByteArray text = spyScript(s, f.numero).toUtf8();
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit()) {
        m_prompts.message(QStringLiteral("Impossibile scrivere il metodo %1.").arg(QDir::toNativeSeparators(path)),
                          Title, MessageIcon::Critical);
        return;
    }
    m_frame.tryScript(path);
}

void SpiaFrm::ChTutteLeSpie_Click() {
    CmbSpia->setEnabled(!ChTutteLeSpie->isChecked());
}

void SpiaFrm::Scelta_Change() {
    if (!m_model->tables())
        return;
    const SpySettings s = settings();
    const bool same = s.spia == m_shown.spia && s.ruota == m_shown.ruota && s.ruotaSeguenti == m_shown.ruotaSeguenti &&
                      s.colpi == m_shown.colpi && s.first == m_shown.first && s.last == m_shown.last;
    setStale(!same || wholeMap() != m_shownMap);
}

// Results that no longer match the choices are greyed until CALCOLA, never left to pass for the new ones.
void SpiaFrm::setStale(bool stale) {
    m_stale = stale;
    LblAggiorna->setVisible(stale);
    for (QWidget* w : {static_cast<QWidget*>(LblFrase), static_cast<QWidget*>(FgSeguenti),
                       static_cast<QWidget*>(Grafici)})
        w->setEnabled(!stale);
}

void SpiaFrm::FgSeguenti_DoubleClick(const QModelIndex& index) {
    if (!index.isValid() || index.row() >= m_model->rowCount() || m_stale)
        return;
    const SpyFollower& f = m_model->follower(index.row());
    if (f.ultimaPresenza > 0) {
        m_frame.showDraw(f.ultimaPresenza);
        return;
    }
    const QString number = spiaPresentation::withArticle(f.numero);
    m_prompts.message(QStringLiteral("%1 non ha mai seguito la spia %2 nel periodo scelto.")
                          .arg(number.left(1).toUpper() + number.mid(1))
                          .arg(f.spia),
                      Title, MessageIcon::Information);
}

void SpiaFrm::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (m_placed)
        return;
    m_placed = true;
    fillChildArea(*this);
}
