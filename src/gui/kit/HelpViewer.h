#pragma once

#include "gui/kit/ChmFile.h"

#include <QMainWindow>

class HelpBrowser;
class QAction;
class QTreeWidget;
class QTreeWidgetItem;

// The program's help window: the topic list of the help file on the left, the page on the right,
// back, forward and contents on the tool bar.
class HelpViewer : public QMainWindow {
    Q_OBJECT
public:
    explicit HelpViewer(QWidget* parent = nullptr);

    // False when the file is missing or is not a help file; the window then says so.
    bool openHelpFile(const QString& path);
    bool hasHelpFile() const { return m_file.isOpen(); }
    const ChmFile& helpFile() const { return m_file; }

    // Shows the topic of a help context; an unknown context shows the contents page.
    void showContext(int context);
    void showTopic(const QString& objectPath);
    void showContents();
    QString currentTopic() const; // object path of the page shown

    HelpBrowser* browser() const { return m_browser; }

private:
    void fillTopics();
    void topicActivated(QTreeWidgetItem* item);
    void pageChanged(const QUrl& url);
    void showError(const QString& text);

    ChmFile m_file;
    HelpBrowser* m_browser = nullptr;
    QTreeWidget* m_topics = nullptr;
    QAction* m_back = nullptr;
    QAction* m_forward = nullptr;
    QAction* m_contents = nullptr;
};
