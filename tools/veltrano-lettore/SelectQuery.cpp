#include "SelectQuery.h"

#include <cctype>
#include <stdexcept>

namespace {

struct Token {
    enum Kind { Name, Comma, Dot, End } kind = End;
    std::string text;
    bool bracketed = false;
};

bool isNameChar(unsigned char c) {
    return std::isalnum(c) || c == '_' || c >= 0x80;
}

std::vector<Token> tokenize(const std::string& sql) {
    std::vector<Token> tokens;
    std::size_t i = 0;
    while (i < sql.size()) {
        const unsigned char c = static_cast<unsigned char>(sql[i]);
        if (std::isspace(c)) {
            ++i;
        } else if (c == ',') {
            tokens.push_back({Token::Comma, ",", false});
            ++i;
        } else if (c == '.') {
            tokens.push_back({Token::Dot, ".", false});
            ++i;
        } else if (c == '[') {
            const std::size_t close = sql.find(']', i + 1);
            if (close == std::string::npos || close == i + 1)
                throw std::invalid_argument("nome tra parentesi quadre non chiuso o vuoto");
            tokens.push_back({Token::Name, sql.substr(i + 1, close - i - 1), true});
            i = close + 1;
        } else if (isNameChar(c)) {
            const std::size_t start = i;
            while (i < sql.size() && isNameChar(static_cast<unsigned char>(sql[i])))
                ++i;
            tokens.push_back({Token::Name, sql.substr(start, i - start), false});
        } else {
            throw std::invalid_argument(std::string("carattere inatteso '") + sql[i] + "'");
        }
    }
    tokens.push_back({Token::End, "", false});
    return tokens;
}

bool sameAscii(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

class Parser {
public:
    explicit Parser(std::vector<Token> tokens) : m_tokens(std::move(tokens)) {}

    SelectQuery parse() {
        SelectQuery query;
        expectKeyword("SELECT");
        std::vector<ColumnRef> columns;
        columns.push_back(columnRef());
        while (peek().kind == Token::Comma) {
            ++m_pos;
            columns.push_back(columnRef());
        }
        expectKeyword("FROM");
        query.table = name("il nome della tabella");
        expectKeyword("ORDER");
        expectKeyword("BY");
        const ColumnRef order = columnRef();
        if (peek().kind != Token::End)
            throw std::invalid_argument("testo in più dopo ORDER BY: \"" + peek().text + "\"");

        for (const ColumnRef& column : columns) {
            checkQualifier(column, query.table);
            query.columns.push_back(column.column);
        }
        checkQualifier(order, query.table);
        query.orderBy = order.column;
        return query;
    }

private:
    struct ColumnRef {
        std::string qualifier;
        std::string column;
    };

    const Token& peek() const { return m_tokens[m_pos]; }

    void expectKeyword(const char* keyword) {
        const Token& token = peek();
        if (token.kind != Token::Name || token.bracketed || !sameAscii(token.text, keyword))
            throw std::invalid_argument(std::string("atteso ") + keyword + " al posto di \"" + token.text +
                                        "\"");
        ++m_pos;
    }

    std::string name(const char* what) {
        const Token& token = peek();
        if (token.kind != Token::Name)
            throw std::invalid_argument(std::string("manca ") + what);
        ++m_pos;
        return token.text;
    }

    ColumnRef columnRef() {
        ColumnRef ref;
        ref.column = name("il nome di una colonna");
        if (peek().kind == Token::Dot) {
            ++m_pos;
            ref.qualifier = ref.column;
            ref.column = name("il nome di una colonna dopo il punto");
        }
        return ref;
    }

    static void checkQualifier(const ColumnRef& ref, const std::string& table) {
        if (!ref.qualifier.empty() && !sameAscii(ref.qualifier, table))
            throw std::invalid_argument("la colonna " + ref.qualifier + "." + ref.column +
                                        " non appartiene alla tabella " + table);
    }

    std::vector<Token> m_tokens;
    std::size_t m_pos = 0;
};

} // namespace

SelectQuery SelectQuery::parse(const std::string& sql) {
    return Parser(tokenize(sql)).parse();
}
