#pragma once

#include <QTextBrowser>

class ChmFile;

// Shows pages of a help file. Addresses use the scheme "chm" with the object path
// ("chm:/inizio.htm"), so that relative links and pictures resolve inside the file.
class HelpBrowser : public QTextBrowser {
    Q_OBJECT
public:
    explicit HelpBrowser(QWidget* parent = nullptr);

    void setHelpFile(const ChmFile* file) { m_file = file; }
    static QUrl urlFor(const QString& objectPath);

    QVariant loadResource(int type, const QUrl& name) override;

private:
    const ChmFile* m_file = nullptr;
};
