#pragma once

#include <QObject>

class HelpService;
class QWidget;

// F1 opens the help topic of the window that has the focus. Each window declares its topic with
// attach(); only a top-level window answers the key, and it asks the nearest window around the focus
// for its topic. So inside the frame a child window's F1 is the frame's single handler opening the
// child's topic (no two shortcuts compete for the key), and the same child on its own answers F1
// itself. A new window needs nothing more than its attach() call.
class HelpKey : public QObject {
    Q_OBJECT

public:
    static void attach(QWidget* window, HelpService& help, int context);

    // The topic declared by `widget` or the nearest widget around it; -1 when none declares one.
    static int contextAround(const QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    HelpKey(QWidget* window, HelpService& help);

    QWidget* m_window;
    HelpService& m_help;
};
