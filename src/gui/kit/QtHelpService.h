#pragma once

#include "gui/kit/HelpService.h"

#include <QString>
#include <memory>

class HelpViewer;

// Opens the program's help window on the topic of a help context. The window is made on first use
// and kept: asking again brings it forward on the new topic.
class QtHelpService : public HelpService {
public:
    explicit QtHelpService(QString helpFilePath);
    ~QtHelpService() override;

    void showHelp(int context) override;

    HelpViewer* viewer() const { return m_viewer.get(); }
    QString helpFilePath() const { return m_path; }

private:
    QString m_path;
    std::unique_ptr<HelpViewer> m_viewer;
};
