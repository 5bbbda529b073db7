#pragma once

#include <QLabel>
#include <QPointer>
#include <vector>

class QFrame;

// The line above a window's results once its choices no longer match them: "Le scelte sono cambiate:
// premere CALCOLA per aggiornare i risultati.", with the results greyed beneath it, so that no old table
// reads as the answer to the new choices. Hidden, and the results as usual, while they match.
class StaleNotice : public QLabel {
    Q_OBJECT

public:
    // command: the button that brings the results up to date ("CALCOLA").
    StaleNotice(const QString& objectName, const QString& command, QWidget* parent = nullptr);

    // The widgets that show the results and grey with them.
    void cover(const std::vector<QWidget*>& results);
    void setStale(bool stale);
    bool isStale() const { return m_stale; }

protected:
    // Keeps each veil the size of the results it lies on.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Covered {
        QPointer<QWidget> results;
        QPointer<QFrame> veil;
    };
    void grey(const Covered& covered);

    std::vector<Covered> m_covered;
    bool m_stale = false;
};
