#pragma once

#include <QCommandLineOption>
#include <QDate>
#include <QString>
#include <optional>

class DrawArchive;
class QCommandLineParser;

// The range of draws a tool works on, as its command line gives it: draw numbers (--inizio, --fine) or
// dates (--dal, --al), never both.
struct DrawRangeOptions {
    std::optional<int> inizio;
    std::optional<int> fine;
    std::optional<QDate> dal;
    std::optional<QDate> al;
};

// A date as the tools take it: AAAA-MM-GG or GG/MM/AAAA.
std::optional<QDate> commandLineDate(const QString& text);

// After a parse: one draw-number option (--inizio or --fine) into `out`. Returns an Italian error text.
QString readDrawNumberOption(const QCommandLineParser& parser, const QCommandLineOption& option,
                             std::optional<int>& out);
// After a parse: one date option (--dal, --al, --fuori-campione) into `out`. Returns an Italian error text.
QString readDateOption(const QCommandLineParser& parser, const QCommandLineOption& option,
                       std::optional<QDate>& out);
// A range given both by draw numbers and by dates.
QString rangeGivenTwiceError();
// After a parse: --dal and --al into `range`, refusing a range given both by numbers and by dates.
QString readDateRangeOptions(const QCommandLineParser& parser, const QCommandLineOption& dal,
                             const QCommandLineOption& al, DrawRangeOptions& range);

// The four range options of a tool's command line: added to its parser, and read after the parse.
struct DrawRangeCommandLine {
    QCommandLineOption inizio;
    QCommandLineOption fine;
    QCommandLineOption dal;
    QCommandLineOption al;

    DrawRangeCommandLine();
    void addTo(QCommandLineParser& parser) const;
    // The four into `range`: an Italian error text for a bad value or a range given both ways.
    QString read(const QCommandLineParser& parser, DrawRangeOptions& range) const;
};

// The range as DrawIndex bounds: draw numbers (defaults 1 and DrawCount), or dates (the first draw on or
// after --dal, the last on or before --al). Returns an error text for a range outside the archive or with
// no draw. Every tool that takes a range resolves it here.
QString resolveDrawRange(const DrawRangeOptions& range, const DrawArchive& archive, int& first, int& last);
// The draw numbers asked for with --inizio and --fine, checked against the archive's draws: an Italian
// error text for a bound outside 1..drawCount or a start after the end (both given); empty when good.
QString drawBoundsError(const std::optional<int>& inizio, const std::optional<int>& fine, int drawCount);

// The lines of --help that describe the range options.
QString drawRangeUsage();
