#include "gui/kit/ChildArea.h"

#include <QMdiArea>
#include <QMdiSubWindow>

void fillChildArea(QWidget& content) {
    auto* sub = qobject_cast<QMdiSubWindow*>(content.parentWidget());
    if (sub && sub->mdiArea())
        sub->setGeometry(QRect(QPoint(0, 0), sub->mdiArea()->viewport()->size()));
}
