#include "gui/kit/QtHelpService.h"

#include "gui/kit/HelpViewer.h"

QtHelpService::QtHelpService(QString helpFilePath) : m_path(std::move(helpFilePath)) {}

QtHelpService::~QtHelpService() = default;

void QtHelpService::showHelp(int context) {
    if (!m_viewer)
        m_viewer = std::make_unique<HelpViewer>();
    // A help file that was missing earlier may have been put in place since.
    if (m_viewer->hasHelpFile() || m_viewer->openHelpFile(m_path))
        m_viewer->showContext(context);
    m_viewer->show();
    m_viewer->raise();
    m_viewer->activateWindow();
}
