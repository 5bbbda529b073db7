#include "gui/kit/ChartPanel.h"

#include "gui/kit/Prompts.h"

#include <QChart>
#include <QChartView>
#include <QFileInfo>
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
