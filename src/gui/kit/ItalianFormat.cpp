#include "gui/kit/ItalianFormat.h"

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

} // namespace italian
