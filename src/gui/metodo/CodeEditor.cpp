#include "gui/metodo/CodeEditor.h"

#include <QPainter>
#include <QTextBlock>

namespace {

// The margin that shows the line numbers; the editor paints it.
class LineNumbers : public QWidget {
public:
    explicit LineNumbers(CodeEditor* editor) : QWidget(editor), m_editor(editor) {}
    QSize sizeHint() const override { return {m_editor->lineNumberWidth(), 0}; }

protected:
    void paintEvent(QPaintEvent* event) override { m_editor->paintLineNumbers(event); }

private:
    CodeEditor* m_editor;
};

} // namespace

CodeEditor::CodeEditor(QWidget* parent) : QPlainTextEdit(parent), m_numbers(new LineNumbers(this)) {
    QFont mono(QStringLiteral("Monospace"));
    mono.setStyleHint(QFont::TypeWriter);
    setFont(mono);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setTabStopDistance(fontMetrics().horizontalAdvance(QLatin1Char(' ')) * 4);
    connect(this, &QPlainTextEdit::blockCountChanged, this, &CodeEditor::updateMargin);
    connect(this, &QPlainTextEdit::updateRequest, this, &CodeEditor::updateNumbers);
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, &CodeEditor::highlightLines);
    // An edit may move or mend the faulty line: the mark goes until the next check.
    connect(this, &QPlainTextEdit::textChanged, this, [this] {
        if (m_errorLine != 0)
            markErrorLine(0);
    });
    updateMargin();
    highlightLines();
}

int CodeEditor::lineNumberWidth() const {
    int digits = 1;
    for (int n = std::max(1, blockCount()); n >= 10; n /= 10)
        ++digits;
    return 10 + fontMetrics().horizontalAdvance(QLatin1Char('9')) * std::max(digits, 3);
}

void CodeEditor::markErrorLine(int line) {
    m_errorLine = line;
    if (line > 0) {
        const QTextBlock block = document()->findBlockByNumber(line - 1);
        if (block.isValid()) {
            const QSignalBlocker quiet(this);
            QTextCursor cursor(block);
            setTextCursor(cursor);
            ensureCursorVisible();
        }
    }
    highlightLines();
    m_numbers->update();
}

void CodeEditor::updateMargin() {
    setViewportMargins(lineNumberWidth(), 0, 0, 0);
}

void CodeEditor::updateNumbers(const QRect& rect, int dy) {
    if (dy != 0)
        m_numbers->scroll(0, dy);
    else
        m_numbers->update(0, rect.y(), m_numbers->width(), rect.height());
    if (rect.contains(viewport()->rect()))
        updateMargin();
}

void CodeEditor::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    const QRect area = contentsRect();
    m_numbers->setGeometry(QRect(area.left(), area.top(), lineNumberWidth(), area.height()));
}

void CodeEditor::highlightLines() {
    QList<QTextEdit::ExtraSelection> lit;
    QTextEdit::ExtraSelection current;
    current.format.setBackground(QColor(240, 245, 255));
    current.format.setProperty(QTextFormat::FullWidthSelection, true);
    current.cursor = textCursor();
    current.cursor.clearSelection();
    lit << current;
    if (m_errorLine > 0) {
        const QTextBlock block = document()->findBlockByNumber(m_errorLine - 1);
        if (block.isValid()) {
            QTextEdit::ExtraSelection error;
            error.format.setBackground(QColor(255, 200, 200));
            error.format.setProperty(QTextFormat::FullWidthSelection, true);
            error.cursor = QTextCursor(block);
            lit << error;
        }
    }
    setExtraSelections(lit);
}

void CodeEditor::paintLineNumbers(QPaintEvent* event) {
    QPainter painter(m_numbers);
    painter.fillRect(event->rect(), QColor(236, 236, 236));
    QTextBlock block = firstVisibleBlock();
    int number = block.blockNumber() + 1;
    int top = qRound(blockBoundingGeometry(block).translated(contentOffset()).top());
    int bottom = top + qRound(blockBoundingRect(block).height());
    while (block.isValid() && top <= event->rect().bottom()) {
        if (block.isVisible() && bottom >= event->rect().top()) {
            painter.setPen(number == m_errorLine ? QColor(200, 0, 0) : QColor(120, 120, 120));
            painter.drawText(0, top, m_numbers->width() - 5, fontMetrics().height(), Qt::AlignRight,
                             QString::number(number));
        }
        block = block.next();
        top = bottom;
        bottom = top + qRound(blockBoundingRect(block).height());
        ++number;
    }
}
