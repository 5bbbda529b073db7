#include "gui/kit/ItalianFormat.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>

namespace {

// Thousands with "." and decimals with ",", written by hand: the result grids format tens of thousands
// of numbers per click, and the locale's formatting is several times slower.
QString italianDigits(const QString& plain) {
    QString out;
    out.reserve(plain.size() + plain.size() / 3 + 1);
    qsizetype start = 0;
    if (plain.startsWith(QLatin1Char('-'))) {
        out += QLatin1Char('-');
        start = 1;
    }
    qsizetype point = plain.indexOf(QLatin1Char('.'));
    if (point < 0)
        point = plain.size();
    for (qsizetype i = start; i < point; ++i) {
        if (i > start && (point - i) % 3 == 0)
            out += QLatin1Char('.');
        out += plain[i];
    }
    if (point < plain.size()) {
        out += QLatin1Char(',');
        out += QStringView(plain).mid(point + 1);
    }
    return out;
}

// The typographic minus reads better than a hyphen beside digits.
QString withMinus(QString text) {
    return text.replace(QLatin1Char('-'), QChar(0x2212));
}

// -0,0 is still zero to a reader.
double noNegativeZero(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    return std::round(value * scale) == 0.0 ? 0.0 : value;
}

// Digits with the decimal comma moved `shift` places right (left when negative), as plain decimals:
// ("2", "1", -7) gives "0,00000021". No rounding: the digits are only moved, and those shown are kept.
QString shiftedDecimals(const QString& whole, const QString& fraction, int shift) {
    QString digits = whole + fraction;
    qsizetype point = whole.size() + shift;
    if (point <= 0) {
        digits.prepend(QString(-point + 1, QLatin1Char('0')));
        point = 1;
    } else if (point > digits.size()) {
        digits.append(QString(point - digits.size(), QLatin1Char('0')));
    }
    QString integerPart = digits.left(point);
    QString decimals = digits.mid(point);
    while (integerPart.size() > 1 && integerPart.startsWith(QLatin1Char('0')))
        integerPart.remove(0, 1);
    return decimals.isEmpty() ? integerPart : integerPart + QLatin1Char(',') + decimals;
}

bool isMinus(QStringView sign) {
    return sign == QLatin1String("-") || sign == QStringView(u"\u2212");
}

} // namespace

namespace italian {

QString integer(long long value) {
    return withMinus(italianDigits(QString::number(value)));
}

QString decimal(double value, int decimals) {
    if (!std::isfinite(value))
        return QStringLiteral("-");
    return withMinus(italianDigits(QString::number(noNegativeZero(value, decimals), 'f', decimals)));
}

QString percent(double share) {
    return decimal(share * 100.0, 1) + QStringLiteral(" %");
}

namespace {
constexpr double SmallestShownP = 1e-4;
} // namespace

QString pValue(double p) {
    if (!std::isfinite(p))
        return QStringLiteral("-");
    if (p < SmallestShownP)
        return QStringLiteral("< 0,0001");
    return italianDigits(QString::number(p, 'g', 2));
}

QString pIs(double p) {
    const QString shown = pValue(p);
    return shown.startsWith(QLatin1Char('<')) ? QStringLiteral("p ") + shown : QStringLiteral("p = ") + shown;
}

QString pExact(double p) {
    if (!std::isfinite(p) || p >= SmallestShownP)
        return {};
    if (p <= 0.0)
        return QStringLiteral("p = 0");
    int exponent = static_cast<int>(std::floor(std::log10(p)));
    double mantissa = p / std::pow(10.0, exponent);
    if (std::round(mantissa * 10.0) >= 100.0) {
        mantissa /= 10.0;
        ++exponent;
    }
    // The exponent in superscript digits, as a person writes a power of ten.
    static const QChar superscripts[] = {QChar(0x2070), QChar(0x00B9), QChar(0x00B2), QChar(0x00B3),
                                         QChar(0x2074), QChar(0x2075), QChar(0x2076), QChar(0x2077),
                                         QChar(0x2078), QChar(0x2079)};
    QString power = exponent < 0 ? QString(QChar(0x207B)) : QString();
    for (const QChar digit : QString::number(std::abs(exponent)))
        power += superscripts[digit.digitValue()];
    return QStringLiteral("p = %1 \u00D7 10%2").arg(decimal(mantissa, 1), power);
}

QString counted(long long value, const char* one, const char* many) {
    return integer(value) + QLatin1Char(' ') + QString::fromUtf8(value == 1 ? one : many);
}

QString orDash(const std::optional<double>& value, int decimals) {
    return value ? decimal(*value, decimals) : QStringLiteral("-");
}

QString spreadsheetText(const QString& shown) {
    // sign, whole part (with or without thousands points), decimals, exponent, percent sign
    static const QRegularExpression number(
        QStringLiteral("^([-\u2212]?)(\\d{1,3}(?:\\.\\d{3})+|\\d+)(?:,(\\d+))?(?:[eE]([-\u2212+]?)(\\d+))?( ?%)?$"));
    const QString text = shown.trimmed();
    const QRegularExpressionMatch m = number.match(text);
    if (!m.hasMatch())
        return shown;
    QString whole = m.captured(2);
    whole.remove(QLatin1Char('.'));
    int shift = 0;
    if (m.hasCaptured(5))
        shift = (isMinus(m.capturedView(4)) ? -1 : 1) * m.captured(5).toInt();
    // A spreadsheet reads "12,4%" as a number only when told to look for special numbers; the share
    // itself (0,124) it always reads, and shows as a percentage once the column is formatted so.
    if (m.hasCaptured(6))
        shift -= 2;
    QString out = shiftedDecimals(whole, m.captured(3), shift);
    static const QRegularExpression nonZero(QStringLiteral("[1-9]"));
    if (isMinus(m.capturedView(1)) && out.contains(nonZero))
        out.prepend(QLatin1Char('-'));
    return out;
}

QString spreadsheetNumber(double value) {
    if (!std::isfinite(value))
        return {};
    // The shortest digits that give back the very same double; an exponent is then written out.
    return spreadsheetText(
        QString::number(value, 'g', QLocale::FloatingPointShortest).replace(QLatin1Char('.'), QLatin1Char(',')));
}

} // namespace italian
