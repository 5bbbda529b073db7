#pragma once

#include <QRegularExpression>
#include <QSyntaxHighlighter>
#include <QTextCharFormat>
#include <vector>

// Colours a method's script as Lua: keywords, the Lotto library's functions, numbers, strings and
// comments (long comments across lines too).
class LuaHighlighter : public QSyntaxHighlighter {
    Q_OBJECT

public:
    explicit LuaHighlighter(QTextDocument* document);

    // The library functions coloured apart from Lua's own words.
    static const QStringList& libraryFunctions();

protected:
    void highlightBlock(const QString& text) override;

private:
    struct Rule {
        QRegularExpression pattern;
        QTextCharFormat format;
    };
    std::vector<Rule> m_rules;
    QTextCharFormat m_string;
    QTextCharFormat m_comment;
};
