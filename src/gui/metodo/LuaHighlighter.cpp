#include "gui/metodo/LuaHighlighter.h"

namespace {

QTextCharFormat coloured(const QColor& colour, bool bold = false, bool italic = false) {
    QTextCharFormat f;
    f.setForeground(colour);
    if (bold)
        f.setFontWeight(QFont::Bold);
    f.setFontItalic(italic);
    return f;
}

QRegularExpression words(const QStringList& list) {
    return QRegularExpression(QStringLiteral("\\b(") + list.join(QLatin1Char('|')) + QStringLiteral(")\\b"));
}

} // namespace

const QStringList& LuaHighlighter::libraryFunctions() {
    static const QStringList names{
        QStringLiteral("estrazioni"),  QStringLiteral("data"),       QStringLiteral("anno"),
        QStringLiteral("mese"),        QStringLiteral("giorno"),     QStringLiteral("giorno_settimana"),
        QStringLiteral("indice_nel_mese"), QStringLiteral("estratta"), QStringLiteral("estratto"),
        QStringLiteral("numeri"),      QStringLiteral("posizione"),  QStringLiteral("ruote"),
        QStringLiteral("ritardo"),     QStringLiteral("frequenza"),  QStringLiteral("piu_ritardati"),
        QStringLiteral("fuori90"),     QStringLiteral("diametrale"), QStringLiteral("vertibile"),
        QStringLiteral("figura"),      QStringLiteral("cadenza"),    QStringLiteral("decina"),
        QStringLiteral("distanza"),    QStringLiteral("gioca"),      QStringLiteral("in_gioco"),
        QStringLiteral("parametro"),   QStringLiteral("nota"),       QStringLiteral("esamina")};
    return names;
}

LuaHighlighter::LuaHighlighter(QTextDocument* document) : QSyntaxHighlighter(document) {
    const QStringList keywords{"and",    "break", "do",   "else", "elseif", "end",  "false", "for",
                               "function", "goto", "if",  "in",   "local",  "nil",  "not",   "or",
                               "repeat", "return", "then", "true", "until",  "while"};
    m_rules.push_back({words(keywords), coloured(QColor(0, 0, 160), true)});
    m_rules.push_back({words(libraryFunctions()), coloured(QColor(0, 120, 60), true)});
    m_rules.push_back({QRegularExpression(QStringLiteral("\\b(0[xX][0-9a-fA-F]+|\\d+(\\.\\d*)?([eE][-+]?\\d+)?)\\b")),
                       coloured(QColor(160, 80, 0))});
    m_string = coloured(QColor(170, 0, 120));
    m_comment = coloured(QColor(110, 110, 110), false, true);
}

// Strings and comments are found by one walk over the line, so that "--" inside a string is no comment
// and a quote inside a comment no string. State 1: inside a long comment --[[ ... ]].
void LuaHighlighter::highlightBlock(const QString& text) {
    for (const Rule& rule : m_rules)
        for (auto it = rule.pattern.globalMatch(text); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            setFormat(static_cast<int>(m.capturedStart()), static_cast<int>(m.capturedLength()), rule.format);
        }
    int i = 0;
    const int n = static_cast<int>(text.size());
    if (previousBlockState() == 1) {
        const int close = static_cast<int>(text.indexOf(QStringLiteral("]]")));
        if (close < 0) {
            setFormat(0, n, m_comment);
            setCurrentBlockState(1);
            return;
        }
        setFormat(0, close + 2, m_comment);
        i = close + 2;
    }
    setCurrentBlockState(0);
    while (i < n) {
        const QChar c = text[i];
        if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            int j = i + 1;
            while (j < n && text[j] != c)
                j += text[j] == QLatin1Char('\\') ? 2 : 1;
            setFormat(i, std::min(j + 1, n) - i, m_string);
            i = j + 1;
        } else if (text.mid(i, 4) == QStringLiteral("--[[")) {
            const int close = static_cast<int>(text.indexOf(QStringLiteral("]]"), i + 4));
            if (close < 0) {
                setFormat(i, n - i, m_comment);
                setCurrentBlockState(1);
                return;
            }
            setFormat(i, close + 2 - i, m_comment);
            i = close + 2;
        } else if (text.mid(i, 2) == QStringLiteral("--")) {
            setFormat(i, n - i, m_comment);
            return;
        } else {
            ++i;
        }
    }
}
