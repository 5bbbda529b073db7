#include "gui/kit/StaleNotice.h"

#include <QEvent>
#include <QFrame>

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
    m_covered.clear();
    for (QWidget* w : results) {
        // A pale veil over the results rather than an opacity effect: charts draw their own colours and
        // grids their own text colours, which disabling alone leaves as they are, and an effect on a
        // scrolled view leaves ghosts of its old pixels.
        auto* veil = new QFrame(w);
        veil->setObjectName(w->objectName() + QStringLiteral("_velo"));
        veil->setStyleSheet(QStringLiteral("QFrame { background: rgba(255, 255, 255, 150); border: none; }"));
        veil->hide();
        w->installEventFilter(this);
        m_covered.push_back({w, veil});
        grey(m_covered.back());
    }
}

void StaleNotice::setStale(bool stale) {
    if (stale == m_stale)
        return;
    m_stale = stale;
    setVisible(stale);
    for (const Covered& c : m_covered)
        grey(c);
}

void StaleNotice::grey(const Covered& covered) {
    if (!covered.results || !covered.veil)
        return;
    covered.results->setEnabled(!m_stale);
    covered.veil->setGeometry(covered.results->rect());
    covered.veil->setVisible(m_stale);
    if (m_stale)
        covered.veil->raise();
}

bool StaleNotice::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Resize)
        for (const Covered& c : m_covered)
            if (c.results == watched && c.veil)
                c.veil->setGeometry(c.results->rect());
    return QLabel::eventFilter(watched, event);
}
