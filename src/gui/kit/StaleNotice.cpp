#include "gui/kit/StaleNotice.h"

#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QGraphicsView>

namespace {

constexpr double StaleOpacity = 0.3;

// Out of reach and washed out. A disabled widget greys its own texts; charts draw their own colours, so
// their items fade instead (an opacity effect on the widgets themselves leaves ghosts of the old pixels
// in scrolled and graphics views).
void grey(QWidget& results, bool stale) {
    results.setEnabled(!stale);
    QList<QGraphicsView*> views = results.findChildren<QGraphicsView*>();
    if (auto* view = qobject_cast<QGraphicsView*>(&results))
        views << view;
    for (QGraphicsView* view : views)
        if (view->scene())
            for (QGraphicsItem* item : view->scene()->items())
                if (!item->parentItem())
                    item->setOpacity(stale ? StaleOpacity : 1.0);
}

} // namespace

StaleNotice::StaleNotice(const QString& objectName, const QString& command, QWidget* parent) : QLabel(parent) {
    setObjectName(objectName);
    setText(QStringLiteral("Le scelte sono cambiate: premere %1 per aggiornare i risultati.").arg(command));
    setWordWrap(true);
    setMargin(4);
    // Dark text on a pale yellow, as a notice that asks for a click rather than an error.
    setStyleSheet(QStringLiteral("QLabel { background: #fff4c2; color: #5a4500; border: 1px solid #d9b800; "
                                 "font-weight: bold; }"));
    hide();
}

void StaleNotice::cover(const std::vector<QWidget*>& results) {
    m_results.assign(results.begin(), results.end());
    for (QWidget* w : results)
        grey(*w, m_stale);
}

void StaleNotice::setStale(bool stale) {
    if (stale == m_stale)
        return;
    m_stale = stale;
    setVisible(stale);
    for (const QPointer<QWidget>& w : m_results)
        if (w)
            grey(*w, stale);
}
