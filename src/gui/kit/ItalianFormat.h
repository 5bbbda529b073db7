#pragma once

#include <QString>
#include <optional>

// Numbers as a person reads them in Italian: "3.475", "0,61", "−12,4 %". Machine output keeps "." and is
// written elsewhere; these texts are only for the screen.
namespace italian {

QString integer(long long value);
QString decimal(double value, int decimals);
// A share (0.124) as a percentage with one decimal ("12,4 %").
QString percent(double share);
// A p-value as a player reads it: two significant digits ("0,61", "0,0032"), and "< 0,0001" below one in
// ten thousand, where more digits would only be noise to a reader.
QString pValue(double p);
// "p = 0,61", "p < 0,0001": a p-value inside a sentence.
QString pIs(double p);
// The exact figure behind a small p, for a tool tip: "p = 2,1 × 10⁻⁷"; empty when pValue already shows it.
QString pExact(double p);
// "1 caso", "3.475 casi": the count in Italian form with the word that agrees with it.
QString counted(long long value, const char* one, const char* many);
// "-" where a figure does not exist (no deviation, nothing spent).
QString orDash(const std::optional<double>& value, int decimals);

// A cell's text as an Italian spreadsheet reads it back as a number: a text that is a number in one of the
// forms above ("5.205", "−12,4", "2,1e−07", "−12,4 %") loses its thousands points, its minus becomes "-",
// an exponent is written out as plain decimals ("0,00000021") and a percentage becomes its share
// ("-0,124"); any other text (a date, a wheel, "16-42", "-") is returned as it is.
QString spreadsheetText(const QString& shown);
// A figure in the same form, every digit of it kept ("0,000168583580630486").
QString spreadsheetNumber(double value);

} // namespace italian
