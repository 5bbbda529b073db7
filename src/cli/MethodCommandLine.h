#pragma once

#include "core/MethodSettings.h"

#include <QCommandLineOption>
#include <QString>
#include <QStringList>
#include <initializer_list>
#include <optional>

class QCommandLineParser;

// The part of the command line veltrano-analisi and veltrano-collaudo share: the method's settings, the
// range by DrawIndex, --help and the one archive.
class MethodCommandLine {
public:
    struct Values : MethodSettings {
        QString archivePath;
        std::optional<int> inizio;
        std::optional<int> fine;
    };

    // Adds the shared options and the archive argument to the parser.
    explicit MethodCommandLine(QCommandLineParser& parser);

    // After a successful parse: whether --help was asked for.
    bool help() const;
    // After a successful parse: whether types, positions, "Adiacenti" or Colpi were chosen.
    bool combinationChosen() const;
    // After a successful parse: whether Colpi was chosen, and the equal ambo's own options that were
    // given (positions, types, "Adiacenti", outcomes), by name, for a method that has none of them.
    bool colpiChosen() const;
    QStringList equalAmboOptionsGiven() const;
    // After a successful parse: refuses a repeated option (these and the tool's own `single` ones) and
    // anything but one archive, then reads the values. Returns an Italian error text, empty when good.
    QString read(std::initializer_list<const QCommandLineOption*> single, Values& values) const;

    // The help lines of the shared method options from --ruote to --colpi, and of --esiti, with their
    // defaults.
    static QString methodUsage();
    static QString outcomeUsage();
    // One help line: "  --option VALUE" and its text from the column where every description starts.
    static QString usageLine(const QString& option, const QString& text);

private:
    QCommandLineParser& m_parser;
    QCommandLineOption m_ruote;
    QCommandLineOption m_posizioni;
    QCommandLineOption m_tipi;
    QCommandLineOption m_adiacenti;
    QCommandLineOption m_colpi;
    QCommandLineOption m_esiti;
    QCommandLineOption m_inizio;
    QCommandLineOption m_fine;
    QCommandLineOption m_help;
};

// Qt's parser speaks English: its complaint (an unknown option, a value missing or unexpected) in Italian.
QString parserErrorText(const QCommandLineParser& parser);
