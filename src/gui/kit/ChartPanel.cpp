#include "gui/kit/ChartPanel.h"

#include "gui/kit/Prompts.h"

#include <QChart>
#include <QChartView>
#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QSvgGenerator>
#include <QVBoxLayout>

ChartPanel::ChartPanel(Prompts& prompts, const QString& objectName, QWidget* parent)
    : QWidget(parent), m_prompts(prompts) {
    setObjectName(objectName);
    m_view = new QChartView(this);
    m_view->setObjectName(objectName + QStringLiteral("_vista"));
    m_view->setRenderHint(QPainter::Antialiasing);
    m_view->setMinimumSize(240, 160);
    // Over the view, so that a saved image carries it too.
    m_noData = new QLabel(QStringLiteral("nessun dato"), m_view);
    m_noData->setObjectName(objectName + QStringLiteral("_nessunDato"));
    m_noData->setAlignment(Qt::AlignCenter);
    m_noData->setAttribute(Qt::WA_TransparentForMouseEvents);
    QFont font = m_noData->font();
    font.setPointSizeF(font.pointSizeF() * 1.3);
    m_noData->setFont(font);
    m_noData->setStyleSheet(QStringLiteral("color: gray; background: transparent"));
    m_noData->hide();
    CmdSalva = new QPushButton(QStringLiteral("Salva immagine…"), this);
    CmdSalva->setObjectName(objectName + QStringLiteral("_salva"));
    CmdSalva->setEnabled(false);

    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(2);
    column->addWidget(m_view, 1);
    column->addWidget(CmdSalva, 0, Qt::AlignRight);

    connect(CmdSalva, &QPushButton::clicked, this, &ChartPanel::CmdSalva_Click);
}

void ChartPanel::setChart(QChart* chart) {
    QChart* old = m_view->chart();
    m_view->setChart(chart);
    // The view gives up a chart it is handed a new one for; the old one is ours to drop.
    delete old;
    CmdSalva->setEnabled(chart != nullptr);
    // A chart with nothing to draw has no axes either: it says so instead.
    m_noData->setVisible(chart && chart->series().isEmpty());
    placeNoData();
}

bool ChartPanel::showsNoData() const {
    return !m_noData->isHidden();
}

void ChartPanel::placeNoData() {
    m_noData->setGeometry(m_view->rect());
}

void ChartPanel::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeNoData();
}

QChart* ChartPanel::chart() const {
    return m_view->chart();
}

bool ChartPanel::saveImage(const QString& path) const {
    const QSize size = m_view->size();
    if (QFileInfo(path).suffix().compare(QStringLiteral("svg"), Qt::CaseInsensitive) == 0) {
        QSvgGenerator svg;
        svg.setFileName(path);
        svg.setSize(size);
        svg.setViewBox(QRect(QPoint(0, 0), size));
        svg.setTitle(chart() ? chart()->title() : QString());
        QPainter painter;
        if (!painter.begin(&svg))
            return false;
        m_view->render(&painter);
        return painter.end();
    }
    return m_view->grab().save(path, "PNG");
}

void ChartPanel::paint(QPainter& painter, const QRectF& target) const {
    m_view->render(&painter, target, m_view->viewport()->rect(), Qt::KeepAspectRatio);
    if (showsNoData()) {
        QFont font = painter.font();
        font.setPointSizeF(m_noData->font().pointSizeF());
        painter.setFont(font);
        painter.setPen(QColor(128, 128, 128));
        painter.drawText(target, Qt::AlignCenter, m_noData->text());
    }
}

void ChartPanel::CmdSalva_Click() {
    FileDialogRequest request;
    request.title = QStringLiteral("Salva immagine");
    request.fileName = objectName() + QStringLiteral(".png");
    request.filter = QStringLiteral("Immagine PNG (*.png);;Immagine SVG (*.svg)");
    request.defaultSuffix = QStringLiteral("png");
    const QString path = m_prompts.saveFile(request);
    if (path.isEmpty())
        return;
    if (!saveImage(path))
        m_prompts.message(QStringLiteral("Impossibile scrivere l'immagine:\n%1").arg(path),
                          QStringLiteral("Salva immagine"), MessageIcon::Exclamation);
}
