#pragma once

#include <QTranslator>

// Qt's own texts that its Italian catalog leaves in English (the print dialog's "Pages" and double-sided
// printing, the file list's "Folder"), asked after the catalog: install it before the catalog.
class ItalianQtTexts : public QTranslator {
    Q_OBJECT

public:
    using QTranslator::QTranslator;

    bool isEmpty() const override { return false; }
    QString translate(const char* context, const char* sourceText, const char* disambiguation = nullptr,
                      int n = -1) const override;
};
