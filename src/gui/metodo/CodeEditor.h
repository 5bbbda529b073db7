#pragma once

#include <QPlainTextEdit>

// A text editor for a method's script: line numbers in a margin on the left, the current line lit, and
// one line that can be marked as the place of an error until the text changes.
class CodeEditor : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit CodeEditor(QWidget* parent = nullptr);

    // Marks a line (from 1) in red and moves the cursor there; 0 takes the mark away.
    void markErrorLine(int line);
    int errorLine() const { return m_errorLine; }

    int lineNumberWidth() const;
    void paintLineNumbers(QPaintEvent* event);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void updateMargin();
    void updateNumbers(const QRect& rect, int dy);
    void highlightLines();

    QWidget* m_numbers = nullptr;
    int m_errorLine = 0;
};
