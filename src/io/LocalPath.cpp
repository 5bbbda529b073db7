#include "io/LocalPath.h"

#include "io/storico/ShownText.h"

#include <string_view>

namespace {
constexpr char16_t EscapedByteBase = 0xDC00;

bool isEscapedByte(const QString& path, qsizetype i) {
    const char16_t c = path[i].unicode();
    return c >= EscapedByteBase + 0x80 && c <= EscapedByteBase + 0xFF &&
           (i == 0 || !path[i - 1].isHighSurrogate());
}
} // namespace

QString pathFromLocal(const QByteArray& bytes) {
    QString path;
    std::string_view rest(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    while (!rest.empty()) {
        std::size_t text = 0;
        while (text < rest.size()) {
            const std::size_t length = storico::utf8SequenceLength(rest.substr(text));
            if (length == 0)
                break;
            text += length;
        }
        path += QString::fromUtf8(rest.data(), static_cast<qsizetype>(text));
        rest.remove_prefix(text);
        if (!rest.empty()) {
            path += QChar(static_cast<char16_t>(EscapedByteBase + static_cast<unsigned char>(rest.front())));
            rest.remove_prefix(1);
        }
    }
    return path;
}

QByteArray localPath(const QString& path) {
    QByteArray bytes;
    qsizetype start = 0;
    for (qsizetype i = 0; i < path.size(); ++i) {
        if (!isEscapedByte(path, i))
            continue;
        bytes += QStringView(path).mid(start, i - start).toUtf8();
        bytes += static_cast<char>(path[i].unicode() - EscapedByteBase);
        start = i + 1;
    }
    bytes += QStringView(path).mid(start).toUtf8();
    return bytes;
}

QString shownPath(const QString& path) {
    const QByteArray bytes = localPath(path);
    return QString::fromStdString(
        storico::shownText(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))));
}
