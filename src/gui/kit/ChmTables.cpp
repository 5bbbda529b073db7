#include "gui/kit/ChmTables.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <QtEndian>

namespace {

// Texts in these tables are usually UTF-8 here, but files made elsewhere use the ANSI code page.
QString decodeText(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    return QString::fromLatin1(bytes);
}

QString zeroTerminated(const QByteArray& bytes, qsizetype from, qsizetype limit) {
    const qsizetype end = std::min(limit, bytes.size());
    qsizetype stop = from;
    while (stop < end && bytes.at(stop) != '\0')
        ++stop;
    return decodeText(bytes.mid(from, stop - from));
}

QString htmlUnescape(QString text) {
    text.replace(QLatin1String("&quot;"), QLatin1String("\""));
    text.replace(QLatin1String("&lt;"), QLatin1String("<"));
    text.replace(QLatin1String("&gt;"), QLatin1String(">"));
    text.replace(QLatin1String("&#39;"), QLatin1String("'"));
    text.replace(QLatin1String("&amp;"), QLatin1String("&"));
    return text;
}

} // namespace

ChmSystemInfo parseChmSystem(const QByteArray& system) {
    ChmSystemInfo info;
    qsizetype offset = 4; // format version
    while (offset + 4 <= system.size()) {
        const auto* head = reinterpret_cast<const uchar*>(system.constData() + offset);
        const quint16 code = qFromLittleEndian<quint16>(head);
        const quint16 length = qFromLittleEndian<quint16>(head + 2);
        offset += 4;
        if (offset + length > system.size())
            break;
        const QString text = zeroTerminated(system, offset, offset + length);
        switch (code) {
        case 0:
            info.contentsFile = text;
            break;
        case 2:
            info.defaultTopic = text;
            break;
        case 3:
            info.title = text;
            break;
        default:
            break;
        }
        offset += length;
    }
    return info;
}

QMap<quint32, QString> parseChmContextMap(const QByteArray& ivb, const QByteArray& strings) {
    QMap<quint32, QString> map;
    if (ivb.size() < 4)
        return map;
    const auto* data = reinterpret_cast<const uchar*>(ivb.constData());
    // The first word is the size of the pairs that follow; never trust it beyond the actual data.
    const qsizetype declared = qFromLittleEndian<quint32>(data);
    const qsizetype available = std::min<qsizetype>(declared, ivb.size() - 4);
    for (qsizetype at = 4; at + 8 <= 4 + available; at += 8) {
        const quint32 context = qFromLittleEndian<quint32>(data + at);
        const quint32 offset = qFromLittleEndian<quint32>(data + at + 4);
        if (offset >= quint32(strings.size()))
            continue;
        const QString target = zeroTerminated(strings, offset, strings.size());
        if (!target.isEmpty())
            map.insert(context, target);
    }
    return map;
}

std::vector<ChmContentsEntry> parseChmContents(const QByteArray& sitemap) {
    QStringDecoder decoder = QStringDecoder::decoderForHtml(sitemap);
    const QString text = decoder.isValid() ? decoder(sitemap) : QString::fromUtf8(sitemap);

    static const QRegularExpression token(
        QStringLiteral(R"(<\s*(/?)\s*(ul|object)\b[^>]*>|<\s*param\s+([^>]*)>)"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression nameAttribute(QStringLiteral(R"(name\s*=\s*"([^"]*)\")"),
                                                  QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression valueAttribute(QStringLiteral(R"(value\s*=\s*"([^"]*)\")"),
                                                   QRegularExpression::CaseInsensitiveOption);

    std::vector<ChmContentsEntry> entries;
    int depth = -1;
    bool inObject = false;
    ChmContentsEntry current;
    for (auto it = token.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch match = it.next();
        if (match.capturedLength(2) > 0) {
            const bool closing = match.capturedLength(1) > 0;
            const bool isList = match.captured(2).compare(QLatin1String("ul"), Qt::CaseInsensitive) == 0;
            if (isList) {
                depth += closing ? -1 : 1;
            } else if (!closing) {
                inObject = true;
                current = ChmContentsEntry{{}, {}, std::max(0, depth)};
            } else if (inObject) {
                inObject = false;
                if (!current.name.isEmpty())
                    entries.push_back(current);
            }
            continue;
        }
        if (!inObject)
            continue;
        const QString attributes = match.captured(3);
        const QString name = nameAttribute.match(attributes).captured(1);
        const QString value = htmlUnescape(valueAttribute.match(attributes).captured(1));
        if (name.compare(QLatin1String("Name"), Qt::CaseInsensitive) == 0)
            current.name = value;
        else if (name.compare(QLatin1String("Local"), Qt::CaseInsensitive) == 0)
            current.local = value;
    }
    return entries;
}

QString resolveChmObjectPath(const QString& target, const std::function<bool(const QString&)>& exists) {
    QString path = target.trimmed();
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    // "ms-its:file.chm::/page.htm" and "file.chm::/page.htm" name a page of a help file.
    if (const qsizetype separator = path.indexOf(QLatin1String("::")); separator >= 0)
        path = path.mid(separator + 2);
    if (const qsizetype drive = path.indexOf(QLatin1Char(':')); drive >= 0)
        path = path.mid(drive + 1);
    QStringList parts = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    while (!parts.isEmpty()) {
        const QString candidate = QLatin1Char('/') + parts.join(QLatin1Char('/'));
        if (exists(candidate))
            return candidate;
        parts.removeFirst();
    }
    return {};
}
