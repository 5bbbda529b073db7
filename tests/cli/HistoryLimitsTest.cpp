#include "ImportRun.h"
#include "ZipWriting.h"
#include "io/storico/HistoryInput.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <sys/stat.h>

using zip_writing::writeZip;

namespace {

const std::string Row = "2020/01/02\tBA\t1\t2\t3\t4\t5\n";
constexpr auto Limit = static_cast<std::size_t>(storico::MaxHistoryBytes);

// `size` bytes of lines as long as a line may be, blank: read quickly, and as harmless as text can be.
std::string blankLines(std::size_t size) {
    std::string line(storico::MaxHistoryLineBytes, ' ');
    line += '\n';
    std::string text;
    text.reserve(size);
    while (text.size() + line.size() <= size)
        text += line;
    text.append(size - text.size(), '\n');
    return text;
}

struct LimitCase {
    const char* name;
    // Makes the input in the folder given and returns the command's history arguments.
    std::function<std::vector<std::string>(const QString& folder)> make;
    const char* says;
};

QString path(const QString& folder, const char* name) {
    return QDir(folder).filePath(QString::fromUtf8(name));
}

std::string writeFile(const QString& file, const std::string& contents) {
    QFile out(file);
    EXPECT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(contents.data(), static_cast<qint64>(contents.size()));
    return file.toStdString();
}

// A file of the given length that takes no room: it is all a hole.
std::string sparseFile(const QString& file, qint64 size) {
    QFile out(file);
    EXPECT_TRUE(out.open(QIODevice::WriteOnly));
    EXPECT_TRUE(out.resize(size));
    return file.toStdString();
}

std::string zipOf(const QString& file, const zip_writing::Entries& entries) {
    EXPECT_TRUE(writeZip(file.toStdString(), entries));
    return file.toStdString();
}

} // namespace

// Every input past a bound is refused with a message that names the bound, before its contents are read
// or inflated when its size is known, and as soon as the bound is passed when a zip understates it.
// Nothing is written.
TEST(HistoryLimits, AnInputPastABoundIsRefusedNamingTheBoundAndNothingIsWritten) {
    const std::vector<LimitCase> cases{
        {"zip entry past 64 MiB by the zip's directory",
         [](const QString& f) {
             return std::vector<std::string>{zipOf(path(f, "nul.zip"), {{"storico.txt", std::string(Limit + 1, '\0')}})};
         },
         "contiene storico.txt di 67.108.865 byte una volta estratto, oltre il limite di 64 MiB per un file "
         "dello storico: non viene estratto"},
        {"zip entry of one line repeated past 64 MiB",
         [](const QString& f) {
             std::string lines;
             lines.reserve(Limit + Row.size());
             while (lines.size() <= Limit)
                 lines += Row;
             return std::vector<std::string>{zipOf(path(f, "righe.zip"), {{"storico.txt", lines}})};
         },
         "righe.zip contiene storico.txt di 67.108.872 byte una volta estratto, oltre il limite di 64 "
         "MiB"},
        {"zip entry of short lines, its directory understating it",
         [](const QString& f) {
             const std::string zip = zipOf(path(f, "bugiardo.zip"), {{"storico.txt", blankLines(Limit + 4096)}});
             EXPECT_TRUE(zip_writing::announceSize(zip, 1000));
             return std::vector<std::string>{zip};
         },
         "bugiardo.zip:storico.txt supera il limite di 64 MiB per un file dello storico (lo zip ne dichiarava "
         "1.000 byte: è danneggiato)"},
        {"zip entry of NUL bytes, its directory understating it",
         [](const QString& f) {
             const std::string zip = zipOf(path(f, "zeri.zip"), {{"storico.txt", std::string(Limit + 4096, '\0')}});
             EXPECT_TRUE(zip_writing::announceSize(zip, 1000));
             return std::vector<std::string>{zip};
         },
         "zeri.zip:storico.txt:1: riga più lunga di 4.096 byte, il limite per una riga dello storico"},
        {"zip entries past 64 MiB together",
         [](const QString& f) {
             const std::string half = blankLines(Limit / 2);
             return std::vector<std::string>{
                 zipOf(path(f, "tre.zip"), {{"a.txt", Row}, {"b.txt", half}, {"c.txt", half}})};
         },
         "lo storico scelto supera in tutto il limite di 64 MiB (raggiunto con "},
        {"text file past 64 MiB",
         [](const QString& f) {
             return std::vector<std::string>{sparseFile(path(f, "grande.txt"), qint64(Limit) + 1)};
         },
         "grande.txt misura 67.108.865 byte, oltre il limite di 64 MiB per un file dello storico: non viene "
         "letto"},
        {"text files past 64 MiB together",
         [](const QString& f) {
             return std::vector<std::string>{writeFile(path(f, "a.txt"), Row),
                                             sparseFile(path(f, "b.txt"), qint64(Limit) - 2)};
         },
         "lo storico scelto supera in tutto il limite di 64 MiB (raggiunto con "},
        {"zip file past 64 MiB",
         [](const QString& f) {
             return std::vector<std::string>{sparseFile(path(f, "enorme.zip"), qint64(Limit) + 1)};
         },
         "enorme.zip misura 67.108.865 byte, oltre il limite di 64 MiB"},
        {"line past 4 KiB",
         [](const QString& f) {
             return std::vector<std::string>{writeFile(path(f, "riga.txt"), Row + Row + std::string(4097, 'x') + "\n")};
         },
         "riga.txt:3: riga più lunga di 4.096 byte, il limite per una riga dello storico: il file non viene letto"},
        {"last line past 4 KiB, without a line end",
         [](const QString& f) {
             return std::vector<std::string>{writeFile(path(f, "coda.txt"), Row + std::string(5000, '9'))};
         },
         "coda.txt:2: riga più lunga di 4.096 byte"},
        {"a device", [](const QString&) { return std::vector<std::string>{"/dev/zero"}; },
         "/dev/zero non è un file regolare ma un dispositivo: lo storico si legge solo da file"},
        {"a pipe",
         [](const QString& f) {
             const std::string fifo = path(f, "storico.txt").toStdString();
             EXPECT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
             return std::vector<std::string>{fifo};
         },
         "storico.txt non è un file regolare ma una pipe (FIFO)"},
        {"a pipe among a folder's text files",
         [](const QString& f) {
             QDir().mkpath(path(f, "cartella"));
             writeFile(path(f, "cartella/BARI.txt"), Row);
             EXPECT_EQ(::mkfifo(path(f, "cartella/ROMA.txt").toStdString().c_str(), 0600), 0);
             return std::vector<std::string>{path(f, "cartella").toStdString()};
         },
         "ROMA.txt non è un file regolare ma una pipe (FIFO)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        ASSERT_TRUE(dir.isValid());
        QDir().mkpath(dir.filePath("out"));
        const std::string output = dir.filePath("out/Dbarcomax.mdb").toStdString();
        std::vector<std::string> args{"--output", output};
        const auto inputs = c.make(dir.path());
        args.insert(args.end(), inputs.begin(), inputs.end());

        const CommandRun run = runImport(args);
        EXPECT_EQ(run.code, 1);
        EXPECT_EQ(run.out, "");
        EXPECT_NE(run.err.find(c.says), std::string::npos) << run.err;
        // One line: the message never carries the input along.
        EXPECT_LT(run.err.size(), 400u) << run.err;
        EXPECT_TRUE(QDir(dir.filePath("out")).isEmpty());
    }
}

// Up to the bounds everything is read: a file of exactly 64 MiB and a line of exactly 4 KiB.
TEST(HistoryLimits, InputsAtTheBoundsAreRead) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string line = Row.substr(0, Row.size() - 1) + std::string(4097 - Row.size(), ' ');
    ASSERT_EQ(line.size(), storico::MaxHistoryLineBytes);
    std::string text = line + "\n";
    text += blankLines(Limit - text.size() - Row.size()) + Row;
    ASSERT_EQ(text.size(), Limit);
    const std::string loose = writeFile(dir.filePath("storico.txt"), text);
    const std::string zip = zipOf(dir.filePath("storico.zip"), {{"storico.txt", text}});
    for (const auto& input : {loose, zip}) {
        SCOPED_TRACE(input);
        const auto texts = storico::readHistoryInputs({input});
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].text.size(), Limit);
        EXPECT_TRUE(texts[0].text == text);
    }
}
