#include "gui/collaudo/CollaudoParameters.h"

#include "core/DrawArchive.h"
#include "core/SettingsCheck.h"
#include "core/Stakes.h"
#include "gui/kit/DateField.h"
#include "gui/kit/GridView.h"
#include "gui/kit/MethodControls.h"
#include "gui/kit/SelectionChooser.h"
#include "gui/kit/SelectionGrids.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFileInfo>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QToolButton>
#include <QVBoxLayout>
#include <vector>

using namespace methodControls;

namespace {

const char* const StakeCaptions[CollaudoParameters::Stakes] = {"Ambata", "Ambo", "Terno", "Quaterna"};

} // namespace

CollaudoParameters::CollaudoParameters(const DrawArchive& archive, QWidget* parent)
    : QWidget(parent), m_archive(archive) {
    setObjectName(QStringLiteral("CollaudoParameters"));
    buildControls();
    connect(ChFuori, &QCheckBox::toggled, this, &CollaudoParameters::ChFuori_Toggled);
    connect(ComboMetodo, &QComboBox::currentIndexChanged, this, &CollaudoParameters::ComboMetodo_Change);
    connectChanges();
    Form_Load();
}

void CollaudoParameters::connectChanges() {
    connect(ComboMetodo, &QComboBox::currentIndexChanged, this, &CollaudoParameters::changed);
    for (QComboBox* typed : {ComboSoglia, ComboC})
        connect(typed, &QComboBox::currentTextChanged, this, &CollaudoParameters::changed);
    for (GridView* chooser : {FgR, Fgp}) {
        connect(chooser->gridModel(), &QAbstractItemModel::dataChanged, this, &CollaudoParameters::changed);
        connect(chooser->gridModel(), &QAbstractItemModel::modelReset, this, &CollaudoParameters::changed);
    }
    std::vector<QCheckBox*> boxes{ChPosAdi, Ch_1, Ch_2, Ch_4, Ch_Tutte, ChFuori};
    boxes.insert(boxes.end(), Ch_RuoteTipo.begin(), Ch_RuoteTipo.end());
    for (QCheckBox* box : boxes)
        connect(box, &QCheckBox::toggled, this, &CollaudoParameters::changed);
    for (QDateEdit* date : {DtDal, DtAl, DtFuori})
        connect(date, &QDateEdit::dateChanged, this, &CollaudoParameters::changed);
    for (QDoubleSpinBox* stake : SpPosta)
        connect(stake, &QDoubleSpinBox::valueChanged, this, &CollaudoParameters::changed);
}

void CollaudoParameters::buildControls() {
    ComboMetodo = new QComboBox(this);
    ComboMetodo->setObjectName(QStringLiteral("ComboMetodo"));
    for (const MethodSettings::Name& name : MethodSettings::MetodoNames)
        ComboMetodo->addItem(captionOf(name));
    ComboMetodo->setToolTip(QStringLiteral("Ambo uguale: il metodo dell'ambo uguale su due ruote. "
                                           "Ritardatario: su ogni ruota il numero più in ritardo, giocato "
                                           "come estratto quando il ritardo raggiunge la soglia."));
    // Typed, so that a number out of range stays as typed until COLLAUDA says why it is refused.
    ComboSoglia = numberCombo(this, QStringLiteral("ComboSoglia"));
    for (int step = 1; step <= MethodSettings::SweepSoglie; ++step)
        ComboSoglia->addItem(QString::number(step * MethodSettings::SogliaStep));
    ComboSoglia->setToolTip(QStringLiteral("Il ritardo che apre un caso: estrazioni della ruota senza il "
                                           "numero, da 1 a %1")
                                .arg(MethodSettings::MaxSoglia));
    m_choosers = selectionControls(this);
    FgR = m_choosers.wheels;
    Fgp = m_choosers.positions;
    Label6 = m_choosers.selectAllWheels;
    Label9 = m_choosers.deselectAllWheels;
    Label32 = m_choosers.selectAllPositions;
    Label30 = m_choosers.deselectAllPositions;
    Ch_RuoteTipo = wheelTypeBoxes(this);
    ChPosAdi = adjacentPositionsBox(this);
    ComboC = numberCombo(this, QStringLiteral("ComboC"));
    const std::array<QCheckBox*, 4> boxes = outcomeCheckBoxes(this);
    Ch_1 = boxes[0];
    Ch_2 = boxes[1];
    Ch_4 = boxes[2];
    Ch_Tutte = boxes[3];

    DtDal = dateField(this, QStringLiteral("DtDal"));
    DtAl = dateField(this, QStringLiteral("DtAl"));
    DtFuori = dateField(this, QStringLiteral("DtFuori"));
    ChFuori = checkBox(this, QStringLiteral("ChFuori"), QStringLiteral("Fuori campione dal"), false);
    const ::Stakes stakes;
    const std::array<double, Stakes> defaultStakes{stakes.ambata, stakes.ambo, stakes.terno, stakes.quaterna};
    for (int i = 0; i < Stakes; ++i) {
        auto* stake = new QDoubleSpinBox(this);
        stake->setObjectName(QStringLiteral("SpPosta_%1").arg(i));
        stake->setLocale(QLocale(QLocale::Italian, QLocale::Italy));
        stake->setRange(0.0, 1000.0);
        stake->setDecimals(StakeDecimals);
        stake->setSingleStep(0.5);
        stake->setValue(defaultStakes[static_cast<std::size_t>(i)]);
        stake->setToolTip(QStringLiteral("Posta per %1 (0: non si gioca)")
                              .arg(QString::fromUtf8(StakeCaptions[i]).toLower()));
        SpPosta[static_cast<std::size_t>(i)] = stake;
    }

    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(8);
    // The method under the wheels and positions: the row of parameters has no room for a panel more.
    auto* method = new QHBoxLayout;
    method->setSpacing(4);
    method->addWidget(caption(this, captionOf(MethodSettings::MetodoName)));
    method->addWidget(ComboMetodo);
    method->addSpacing(8);
    method->addWidget(new QLabel(captionOf(MethodSettings::SogliaName), this));
    method->addWidget(ComboSoglia);
    method->addStretch(1);
    row->addWidget(selectionPanel(this, m_choosers, ChPosAdi, method));
    row->addWidget(wheelTypesPanel(this, Ch_RuoteTipo));

    auto* outcomes = new QGroupBox(captionOf(MethodSettings::OutcomesName), this);
    auto* og = new QGridLayout(outcomes);
    og->setContentsMargins(8, 4, 8, 4);
    og->setVerticalSpacing(2);
    og->addWidget(new QLabel(captionOf(MethodSettings::ColpiName), outcomes), 0, 0);
    og->addWidget(ComboC, 0, 1);
    og->addWidget(Ch_1, 1, 0);
    og->addWidget(Ch_2, 1, 1);
    og->addWidget(Ch_4, 2, 0);
    og->addWidget(Ch_Tutte, 2, 1);
    og->setRowStretch(3, 1);
    row->addWidget(outcomes);

    row->addWidget(buildRangePanel());
    row->addStretch(1);
}

QWidget* CollaudoParameters::buildRangePanel() {
    auto* box = new QGroupBox(QStringLiteral("Periodo e poste"), this);
    auto* g = new QGridLayout(box);
    g->setContentsMargins(8, 4, 8, 4);
    g->setVerticalSpacing(2);
    g->addWidget(new QLabel(QStringLiteral("Dal"), box), 0, 0);
    g->addWidget(DtDal, 0, 1);
    g->addWidget(new QLabel(QStringLiteral("al"), box), 0, 2);
    g->addWidget(DtAl, 0, 3);
    g->addWidget(ChFuori, 1, 0, 1, 2);
    g->addWidget(DtFuori, 1, 3);
    // The four stakes in two pairs under the dates, so that every caption reads whole.
    g->addWidget(new QLabel(QStringLiteral("Poste"), box), 2, 0);
    for (int i = 0; i < Stakes; ++i) {
        auto* pair = new QHBoxLayout;
        pair->setSpacing(4);
        pair->addWidget(new QLabel(QString::fromUtf8(StakeCaptions[i]), box), 1);
        pair->addWidget(SpPosta[static_cast<std::size_t>(i)]);
        g->addLayout(pair, 2 + i / 2, 1 + (i % 2) * 2, 1, 2);
    }
    g->setRowStretch(4, 1);
    return box;
}

void CollaudoParameters::Form_Load() {
    const MethodSettings defaults;
    layoutWheelChooser(*FgR->gridModel(), m_archive);
    layoutPositionChooser(*Fgp->gridModel());
    showWheels(*FgR->gridModel(), defaults.wheels);
    showPositions(*Fgp->gridModel(), defaults.positions);
    fitSelectionGrid(*FgR);
    fitSelectionGrid(*Fgp);
    fillColpiChoices(*ComboC);
    setMetodo(defaults.metodo);
    setSoglia(defaults.soglia);

    // The date fields keep every date inside the archive: the calendar offers no other.
    fitPeriodToArchive(m_archive, *DtDal, *DtAl, {DtFuori});
    const QDate first = DtDal->date();
    const QDate last = DtAl->date();
    DtFuori->setDate(first.daysTo(last) > 0 ? first.addDays(first.daysTo(last) / 2) : first);
    ChFuori->setChecked(false);
    DtFuori->setEnabled(false);
}

MethodSettings::Metodo CollaudoParameters::metodo() const {
    const int index = ComboMetodo->currentIndex();
    if (index >= static_cast<int>(MethodSettings::MetodoNames.size()))
        return MethodSettings::Metodo::Giocatore;
    return index == static_cast<int>(MethodSettings::Metodo::Ritardatario) ? MethodSettings::Metodo::Ritardatario
                                                                          : MethodSettings::Metodo::AmboUguale;
}

void CollaudoParameters::setScripts(const QStringList& paths) {
    const QString chosen = scriptPath();
    while (ComboMetodo->count() > static_cast<int>(MethodSettings::MetodoNames.size()))
        ComboMetodo->removeItem(ComboMetodo->count() - 1);
    for (const QString& path : paths) {
        ComboMetodo->addItem(QFileInfo(path).fileName(), path);
        ComboMetodo->setItemData(ComboMetodo->count() - 1, QDir::toNativeSeparators(path), Qt::ToolTipRole);
    }
    const int again = chosen.isEmpty() ? -1 : ComboMetodo->findData(chosen);
    if (!chosen.isEmpty())
        ComboMetodo->setCurrentIndex(again >= 0 ? again : 0);
}

void CollaudoParameters::selectScript(const QString& path) {
    if (path.isEmpty())
        return;
    int index = ComboMetodo->findData(path);
    if (index < 0) {
        ComboMetodo->addItem(QFileInfo(path).fileName(), path);
        index = ComboMetodo->count() - 1;
        ComboMetodo->setItemData(index, QDir::toNativeSeparators(path), Qt::ToolTipRole);
    }
    ComboMetodo->setCurrentIndex(index);
}

QString CollaudoParameters::scriptPath() const {
    return metodo() == MethodSettings::Metodo::Giocatore ? ComboMetodo->currentData().toString() : QString();
}

int CollaudoParameters::soglia() const {
    return wholeNumber(ComboSoglia->currentText()).value_or(0);
}

QString CollaudoParameters::typedDatesError(bool outOfSample) {
    // Each field is asked, so that each forgets what it refused.
    QStringList errors{DtDal->typedError(QStringLiteral("Dal")), DtAl->typedError(QStringLiteral("Al"))};
    if (outOfSample && ChFuori->isChecked())
        errors << DtFuori->typedError(ChFuori->text());
    errors.removeAll(QString());
    return errors.join(QLatin1Char('\n'));
}

QString CollaudoParameters::typedNumbersError() const {
    int value = 0;
    QString error = boundedNumberError(captionOf(MethodSettings::ColpiName), ComboC->currentText(), 1,
                                       MethodSettings::MaxColpi, value);
    if (error.isEmpty() && metodo() == MethodSettings::Metodo::Ritardatario)
        error = boundedNumberError(captionOf(MethodSettings::SogliaName), ComboSoglia->currentText(), 1,
                                   MethodSettings::MaxSoglia, value);
    return error;
}

void CollaudoParameters::setMetodo(MethodSettings::Metodo metodo) {
    // A player's method is chosen by its file (selectScript).
    if (metodo != MethodSettings::Metodo::Giocatore)
        ComboMetodo->setCurrentIndex(static_cast<int>(metodo));
    // Also when the index stays: Form_Load sets the controls' state this way.
    ComboMetodo_Change();
}

void CollaudoParameters::setSoglia(int soglia) {
    ComboSoglia->setCurrentText(QString::number(soglia));
}

std::array<bool, 11> CollaudoParameters::wheels() const {
    return chosenWheels(*FgR->gridModel());
}

std::array<bool, 5> CollaudoParameters::positions() const {
    return chosenPositions(*Fgp->gridModel());
}

std::array<bool, 7> CollaudoParameters::wheelTypes() const {
    std::array<bool, 7> types{};
    for (std::size_t i = 0; i < types.size(); ++i)
        types[i] = checkValue(Ch_RuoteTipo[i]) == 1;
    return types;
}

bool CollaudoParameters::adjacentPositions() const {
    return ChPosAdi->isChecked();
}

int CollaudoParameters::colpi() const {
    return wholeNumber(ComboC->currentText()).value_or(0);
}

OutcomeBoxes CollaudoParameters::outcomeBoxes() const {
    return {Ch_1->isChecked(), Ch_2->isChecked(), Ch_4->isChecked(), Ch_Tutte->isChecked()};
}

QDate CollaudoParameters::rangeStart() const {
    return DtDal->date();
}

QDate CollaudoParameters::rangeEnd() const {
    return DtAl->date();
}

std::array<double, CollaudoParameters::Stakes> CollaudoParameters::stakes() const {
    std::array<double, Stakes> values{};
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i] = SpPosta[i]->value();
    return values;
}

std::optional<QDate> CollaudoParameters::outOfSampleFrom() const {
    if (!ChFuori->isChecked())
        return std::nullopt;
    return DtFuori->date();
}

void CollaudoParameters::setPositions(const std::array<bool, 5>& positions) {
    showPositions(*Fgp->gridModel(), positions);
}

void CollaudoParameters::setWheels(const std::array<bool, 11>& wheels) {
    GridModel& g = *FgR->gridModel();
    for (int w = 0; w < 11; ++w)
        g.setBackColour(0, w, wheels[static_cast<std::size_t>(w)] ? ChosenWheelColour : NotChosenColour);
}

void CollaudoParameters::setOutcomeBoxes(const std::array<bool, 4>& boxes) {
    Ch_1->setChecked(boxes[0]);
    Ch_2->setChecked(boxes[1]);
    Ch_4->setChecked(boxes[2]);
    Ch_Tutte->setChecked(boxes[3]);
}

void CollaudoParameters::setStakes(const std::array<double, Stakes>& stakes) {
    // A stake the field cannot show as it is (kept by hand as 1e308 or "nan", or with a fraction of a
    // cent) leaves the field as it was, never rounded or clamped into another stake.
    for (std::size_t i = 0; i < stakes.size(); ++i)
        if (isValidStake(stakes[i]) && stakes[i] <= SpPosta[i]->maximum())
            SpPosta[i]->setValue(stakes[i]);
}

void CollaudoParameters::setRange(const QDate& start, const QDate& end) {
    DtDal->setDate(start);
    DtAl->setDate(end);
}

void CollaudoParameters::setOutOfSampleFrom(const std::optional<QDate>& from) {
    ChFuori->setChecked(from.has_value());
    if (from)
        DtFuori->setDate(*from);
}

void CollaudoParameters::setWheelTypes(const std::array<bool, 7>& types) {
    for (std::size_t i = 0; i < types.size(); ++i)
        Ch_RuoteTipo[i]->setChecked(types[i]);
}

void CollaudoParameters::setAdjacentPositions(bool adjacent) {
    ChPosAdi->setChecked(adjacent);
}

void CollaudoParameters::setColpi(int colpi) {
    ComboC->setCurrentText(QString::number(colpi));
}

void CollaudoParameters::ComboMetodo_Change() {
    const bool overdue = metodo() == MethodSettings::Metodo::Ritardatario;
    const bool script = metodo() == MethodSettings::Metodo::Giocatore;
    ComboSoglia->setEnabled(overdue);
    // The overdue number plays an estratto on one wheel at a time: the ambata's stake and the wheels
    // are its only other choices besides Colpi and the range. A player's method has its own bets,
    // wheels, stakes and colpi: only the range and the out-of-sample date apply.
    m_choosers.positionChooser->setEnabled(!overdue && !script);
    m_choosers.wheelChooser->setEnabled(!script);
    std::vector<QWidget*> equalAmboOnly{ChPosAdi, Ch_1, Ch_2, Ch_4, Ch_Tutte};
    equalAmboOnly.insert(equalAmboOnly.end(), Ch_RuoteTipo.begin(), Ch_RuoteTipo.end());
    equalAmboOnly.insert(equalAmboOnly.end(), SpPosta.begin() + 1, SpPosta.end());
    for (QWidget* control : equalAmboOnly)
        control->setEnabled(!overdue && !script);
    for (QWidget* control : std::initializer_list<QWidget*>{ComboC, SpPosta[0]})
        control->setEnabled(!script);
}

void CollaudoParameters::ChFuori_Toggled(bool checked) {
    DtFuori->setEnabled(checked);
}
