#include "app/StartCheck.h"

#include "core/DrawArchive.h"
#include "gui/start/INIZIO.h"

#include <QCoreApplication>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

bool StartCheck::requested() {
    return qEnvironmentVariable("VELTRANO_PROVA_AVVIO") == QStringLiteral("1");
}

void StartCheck::fail(const QString& box, const QString& text) {
    std::fprintf(stderr, "veltrano: prova di avvio fallita, il programma mostrerebbe %s: %s\n",
                 box.toUtf8().constData(), text.toUtf8().constData());
    std::fflush(stderr);
    // At once: a box may come before the event loop runs, or inside a handler that would go on.
    std::_Exit(1);
}

void StartCheck::message(const QString& text, const QString& title, MessageIcon) {
    fail(QStringLiteral("il messaggio \"%1\"").arg(title), text);
}

QString StartCheck::input(const QString& prompt, const QString& title, const QString&) {
    fail(QStringLiteral("la richiesta \"%1\"").arg(title), prompt);
}

QString StartCheck::openFile(const FileDialogRequest& request) {
    fail(QStringLiteral("la scelta di un file"), request.title);
}

QStringList StartCheck::openFiles(const FileDialogRequest& request) {
    fail(QStringLiteral("la scelta di file"), request.title);
}

QString StartCheck::chooseFolder(const FileDialogRequest& request) {
    fail(QStringLiteral("la scelta di una cartella"), request.title);
}

bool StartCheck::confirm(const ConfirmRequest& request) {
    fail(QStringLiteral("il riepilogo \"%1\"").arg(request.title), request.report);
}

bool StartCheck::ask(const QString& question, const QString& title, DefaultButton) {
    fail(QStringLiteral("la domanda \"%1\"").arg(title), question);
}

void StartCheck::pressProceed(INIZIO& start) {
    QTimer::singleShot(0, start.Command2, &QPushButton::click);
}

void StartCheck::frameShown(const DrawArchive& archive, const QString& dataFolder) {
    std::printf("Prova di avvio riuscita: %d estrazioni da %s; cartella dei dati %s\n", archive.drawCount(),
                archive.archivePath().toUtf8().constData(), dataFolder.toUtf8().constData());
    std::fflush(stdout);
    QTimer::singleShot(0, qApp, [] { QCoreApplication::exit(0); });
}
