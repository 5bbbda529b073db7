#include "gui/kit/ValueLabel.h"

#include <QLabel>

QLabel* makeValueLabel(QWidget* parent, const QString& objectName) {
    auto* label = new QLabel(parent);
    label->setObjectName(objectName);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setAlignment(Qt::AlignCenter);
    label->setMargin(2);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    return label;
}
