#pragma once

#include <QDateEdit>

// A date field that does not let a half-typed date pass unremarked. Qt puts the previous date back when
// such a text loses the focus (or takes Enter), and the window's command would then run on a date the
// player never chose; this field remembers the text instead, until the command asks for it.
class DateField : public QDateEdit {
    Q_OBJECT

public:
    explicit DateField(QWidget* parent = nullptr);

    // What is wrong with the date typed last: "Dal vuole una data GG/MM/AAAA dal 07/01/1939 al 21/08/2026:
    // "/01/1990""; empty when it is a date of the field's range. Asking forgets it: the field shows a
    // date of its own again, which the next command takes.
    QString typedError(const QString& caption);

protected:
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private slots:
    // A date chosen afresh replaces whatever was refused before it.
    void forgetRefused();

private:
    void noteTyped();

    QString m_refused;
};
