#include "gui/kit/QtProgramEnd.h"

#include <QApplication>
#include <QThread>
#include <QWidget>

void QtProgramEnd::endProgram() {
    m_ended = true;
    if (!QCoreApplication::instance())
        return;
    // Hidden rather than closed: a close would run the windows' closing handlers.
    for (QWidget* window : QApplication::topLevelWidgets())
        window->hide();
    if (QThread::currentThread()->loopLevel() > 0) {
        // Leaves every running loop, a modal box's included.
        QCoreApplication::exit(0);
    } else {
        // No loop yet (still starting up): the queued call ends the loop the moment it starts.
        QMetaObject::invokeMethod(
            QCoreApplication::instance(), [] { QCoreApplication::exit(0); }, Qt::QueuedConnection);
    }
}
