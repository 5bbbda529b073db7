#include "gui/kit/DateField.h"

#include <QKeyEvent>

DateField::DateField(QWidget* parent) : QDateEdit(parent) {
    connect(this, &QDateEdit::dateChanged, this, &DateField::forgetRefused);
}

void DateField::forgetRefused() {
    m_refused.clear();
}

void DateField::noteTyped() {
    m_refused = hasAcceptableInput() ? QString() : text();
}

void DateField::focusOutEvent(QFocusEvent* event) {
    noteTyped();
    QDateEdit::focusOutEvent(event);
}

void DateField::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        noteTyped();
    QDateEdit::keyPressEvent(event);
}

QString DateField::typedError(const QString& caption) {
    QString typed = m_refused;
    if (!hasAcceptableInput()) {
        typed = text();
        // Back to the field's own date, which a later command takes.
        setDate(date());
    }
    m_refused.clear();
    if (typed.isEmpty())
        return {};
    const QString form = QStringLiteral("dd/MM/yyyy");
    return QStringLiteral("%1 vuole una data GG/MM/AAAA dal %2 al %3: \"%4\"")
        .arg(caption, minimumDate().toString(form), maximumDate().toString(form), typed);
}
