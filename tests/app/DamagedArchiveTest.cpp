// A damaged archive is never read as a smaller or a different one: every reader of an archive (the
// loader, the tools, the start window, the frame's update) refuses it with "Archivio illeggibile: …"
// and nothing is written. The damages are made on a whole archive of the program's own writer.

#include "ArchiveFixtures.h"
#include "ProgramRun.h"
#include "ScriptedServices.h"
#include "core/DrawArchive.h"
#include "gui/frame/Container.h"
#include "gui/kit/Palette.h"
#include "gui/start/INIZIO.h"
#include "io/ArchiveLoader.h"
#include "io/storico/DrawArchiveFile.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <map>
#include <memory>

namespace {

constexpr int kPage = 4096;
const QString Reader = QStringLiteral(VELTRANO_PROGRAM_DIR "/veltrano-lettore");
const QString Unreadable = QStringLiteral("Archivio illeggibile: ");

quint32 u32(const QByteArray& bytes, qsizetype at) {
    quint32 value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

quint16 u16(const QByteArray& bytes, qsizetype at) {
    return static_cast<quint16>(static_cast<unsigned char>(bytes[at]) |
                                static_cast<unsigned char>(bytes[at + 1]) << 8);
}

// Where the draw table's rows are, found from the page headers of the file itself.
struct ArchiveLayout {
    std::vector<int> drawPages; // data pages of EstrazioniLotto, in file order
    std::vector<int> rowCounts; // rows on each of them
    int catalogDataPage = -1;   // a data page of MSysObjects (the catalog, table definition at page 2)

    static ArchiveLayout of(const QByteArray& file) {
        ArchiveLayout layout;
        int drawTable = -1;
        for (int page = 3; page < file.size() / kPage; ++page) {
            if (file[page * kPage] == 0x02) {
                drawTable = page;
                break;
            }
        }
        for (int page = 1; page < file.size() / kPage; ++page) {
            const qsizetype at = qsizetype{page} * kPage;
            if (file[at] != 0x01)
                continue;
            const quint32 owner = u32(file, at + 4);
            if (owner == 2 && layout.catalogDataPage < 0)
                layout.catalogDataPage = page;
            if (static_cast<int>(owner) == drawTable) {
                layout.drawPages.push_back(page);
                layout.rowCounts.push_back(u16(file, at + 12));
            }
        }
        return layout;
    }
};

QByteArray withPage(QByteArray file, int page, const QByteArray& contents) {
    file.replace(qsizetype{page} * kPage, kPage, contents);
    return file;
}

QByteArray pageOf(const QByteArray& file, int page) {
    return file.mid(qsizetype{page} * kPage, kPage);
}

struct Damage {
    const char* name;
    std::function<QByteArray(const QByteArray&, const ArchiveLayout&)> make;
    const char* reason; // part of what the message must say
};

const std::vector<Damage>& damages() {
    static const std::vector<Damage> all{
        {"intatto", [](const QByteArray& f, const ArchiveLayout&) { return f; }, nullptr},
        {"troncato a metà pagina",
         [](const QByteArray& f, const ArchiveLayout&) { return f.left(f.size() - 1000); },
         "non è un numero intero di pagine"},
        {"troncato prima dell'ultima pagina di estrazioni",
         [](const QByteArray& f, const ArchiveLayout& l) {
             return f.left(qsizetype{l.drawPages.back()} * kPage);
         },
         "il file è troncato"},
        {"pagina di estrazioni azzerata",
         [](const QByteArray& f, const ArchiveLayout& l) {
             return withPage(f, l.drawPages[1], QByteArray(kPage, 0));
         },
         "è tutta a zero"},
        {"pagina del catalogo copiata su una di estrazioni",
         [](const QByteArray& f, const ArchiveLayout& l) {
             return withPage(f, l.drawPages[1], pageOf(f, l.catalogDataPage));
         },
         "appartiene a un'altra tabella"},
        {"pagina di estrazioni con il proprietario cancellato",
         [](const QByteArray& f, const ArchiveLayout& l) {
             QByteArray page = pageOf(f, l.drawPages[1]);
             page.replace(4, 4, QByteArray(4, 0));
             return withPage(f, l.drawPages[1], page);
         },
         "non appartiene a nessuna tabella"},
        // Both pages hold as many rows: the count adds up, only the rows seen twice tell.
        {"pagina di estrazioni copiata su un'altra",
         [](const QByteArray& f, const ArchiveLayout& l) {
             return withPage(f, l.drawPages[1], pageOf(f, l.drawPages[0]));
         },
         "compare due volte"},
        {"riga tolta dal conteggio della pagina",
         [](const QByteArray& f, const ArchiveLayout& l) {
             QByteArray page = pageOf(f, l.drawPages[1]);
             const quint16 rows = static_cast<quint16>(l.rowCounts[1] - 1);
             page[12] = static_cast<char>(rows & 0xFF);
             page[13] = static_cast<char>(rows >> 8);
             return withPage(f, l.drawPages[1], page);
         },
         "se ne leggono"},
        {"pagina di estrazioni inserita",
         [](const QByteArray& f, const ArchiveLayout& l) {
             QByteArray damaged = f;
             damaged.insert(qsizetype{l.drawPages[1]} * kPage, pageOf(f, l.drawPages[0]));
             return damaged;
         },
         "compare due volte"},
    };
    return all;
}

// What a reader did with one file: whether it refused it, with which words, and what else it did.
struct Outcome {
    bool refused = false;
    QString message;
};

storico::Draw drawNumber(int i) {
    storico::Draw d;
    const QDate date = QDate(2001, 1, 2).addDays(3 * i + i / 2);
    d.date = storico::CalendarDate{date.year(), date.month(), date.day()};
    for (std::size_t wheel = 0; wheel < d.wheels.size(); ++wheel)
        d.wheels[wheel] = storico::WheelNumbers{1 + i % 80, 2 + i % 80, 3 + i % 80, 4 + i % 80,
                                                5 + static_cast<int>(wheel)};
    return d;
}

class DamagedArchive : public ::testing::Test {
public:
    static void SetUpTestSuite() {
        source = std::make_unique<QTemporaryDir>();
        const QString path = source->filePath(QStringLiteral("Dbarcomax.mdb"));
        std::vector<storico::Draw> draws;
        for (int i = 0; i < DrawCount; ++i)
            draws.push_back(drawNumber(i));
        storico::writeDrawArchiveFile(path.toStdString(), draws, 0);
        QFile in(path);
        ASSERT_TRUE(in.open(QIODevice::ReadOnly));
        whole = in.readAll();
    }
    static void TearDownTestSuite() { source.reset(); }

    // The damaged file as Dbarcomax.mdb in a folder of its own, with a history of one new draw beside it.
    QString place(const QByteArray& bytes) {
        folder = std::make_unique<QTemporaryDir>();
        archivePath = folder->filePath(QStringLiteral("Dbarcomax.mdb"));
        QFile out(archivePath);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
        out.close();
        historyDir = std::make_unique<QTemporaryDir>();
        historyPath = historyDir->filePath(QStringLiteral("storico.txt"));
        QFile history(historyPath);
        EXPECT_TRUE(history.open(QIODevice::WriteOnly));
        history.write("2030/01/05\tBA\t11\t12\t13\t14\t16\n2030/01/05\tRM\t21\t22\t23\t24\t26\n");
        return archivePath;
    }

    // Every file of the archive's folder with its bytes: nothing may change, appear or go.
    std::map<QString, QByteArray> folderContents() const {
        std::map<QString, QByteArray> contents;
        const QDir dir(folder->path());
        for (const QString& name : dir.entryList(QDir::Files | QDir::Hidden)) {
            QFile in(dir.filePath(name));
            contents[name] = in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("?");
        }
        return contents;
    }

    Outcome loader() {
        DrawArchive archive;
        archive.setModelStart(1);
        try {
            loadDrawArchive(archive, archivePath, Reader);
        } catch (const ArchiveDamagedError& e) {
            EXPECT_EQ(archive.drawCount(), 0);
            return {true, QString::fromUtf8(e.what())};
        } catch (const std::exception& e) {
            return {true, QStringLiteral("(not a damage) ") + QString::fromUtf8(e.what())};
        }
        EXPECT_EQ(archive.drawCount(), DrawCount);
        return {};
    }

    Outcome tool(const QString& name, QStringList arguments) {
        arguments << archivePath;
        const ToolRun run = runProgram(name, arguments);
        if (run.exitCode == 0)
            return {};
        EXPECT_EQ(run.exitCode, 1) << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << "a result from part of the archive: " << run.out.toStdString();
        return {true, run.err};
    }

    Outcome update(bool dryRun) {
        QStringList arguments{QStringLiteral("--aggiorna"), archivePath};
        if (dryRun)
            arguments << QStringLiteral("--prova");
        const ToolRun run = runProgram(QStringLiteral("veltrano-importa"), arguments << historyPath);
        if (run.exitCode == 0)
            return {};
        EXPECT_EQ(run.exitCode, 1) << run.err.toStdString();
        return {true, run.err};
    }

    Outcome startWindow() {
        QTemporaryDir programFolder;
        fixtures::ProgramDatabaseContent content;
        content.percorsoArchivio = archivePath;
        fixtures::writeProgramDatabase(programFolder.path(), content);
        DrawArchive archive;
        ScriptedPrompts prompts;
        ScriptedProgramEnd programEnd;
        RecordingHelp help;
        int opened = 0;
        INIZIO window(INIZIO::Services{archive, prompts, programEnd, help, programFolder.path(), Reader,
                                       [&opened] { ++opened; }});
        window.setAttribute(Qt::WA_DeleteOnClose, false);
        window.Form_Load();
        prompts.clear();
        window.Command2_Click();
        if (opened == 1 && prompts.messages().empty())
            return {};
        EXPECT_EQ(opened, 0);
        EXPECT_EQ(prompts.messages().size(), 1u);
        return {true, prompts.messages().empty() ? QString() : prompts.messages()[0].text};
    }

    // The frame was opened on the whole archive; the file was damaged afterwards.
    Outcome frameUpdate(const QByteArray& damaged) {
        QFile(archivePath).remove();
        QFile intact(archivePath);
        EXPECT_TRUE(intact.open(QIODevice::WriteOnly));
        intact.write(whole);
        intact.close();
        DrawArchive archive;
        archive.setModelStart(1);
        archive.setArchivePath(archivePath);
        loadDrawArchive(archive, archivePath, Reader);
        Palette palette;
        ScriptedPrompts prompts;
        ScriptedProgramEnd programEnd;
        RecordingHelp help;
        const auto child = [](FrameServices&) -> QWidget* { return new QLabel; };
        Container frame(Container::Services{
            archive, palette, programEnd, help, child, {}, child, {}, &prompts, Reader, child});
        frame.MDIForm_Load();
        QFile out(archivePath);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly | QIODevice::Truncate));
        out.write(damaged);
        out.close();
        prompts.answerFiles({historyPath});
        prompts.answerConfirm(false);
        frame.AggiornaArchivio();
        const auto boxes = prompts.shown();
        const bool reportShown = std::any_of(
            boxes.begin(), boxes.end(), [](const ShownBox& box) { return box.kind == ShownBox::Confirm; });
        if (reportShown && prompts.messages().empty())
            return {};
        EXPECT_EQ(prompts.messages().size(), 1u);
        return {true, prompts.messages().empty() ? QString() : prompts.messages()[0].text};
    }

    static constexpr int DrawCount = 150;
    static inline std::unique_ptr<QTemporaryDir> source;
    static inline QByteArray whole;
    std::unique_ptr<QTemporaryDir> folder;
    std::unique_ptr<QTemporaryDir> historyDir;
    QString archivePath;
    QString historyPath;
};

TEST_F(DamagedArchive, EveryReaderRefusesEveryDamageAndWritesNothing) {
    const ArchiveLayout layout = ArchiveLayout::of(whole);
    ASSERT_GE(layout.drawPages.size(), 3u) << "the archive must spread over several data pages";
    ASSERT_GE(layout.catalogDataPage, 0);
    ASSERT_EQ(layout.rowCounts[0], layout.rowCounts[1]) << "the copied page must hold as many rows";

    struct ReaderCase {
        const char* name;
        std::function<Outcome(DamagedArchive&, const QByteArray&)> read;
    };
    const std::vector<ReaderCase> readers{
        {"loader", [](DamagedArchive& t, const QByteArray&) { return t.loader(); }},
        {"veltrano-analisi",
         [](DamagedArchive& t, const QByteArray&) { return t.tool("veltrano-analisi", {}); }},
        {"veltrano-collaudo",
         [](DamagedArchive& t, const QByteArray&) { return t.tool("veltrano-collaudo", {}); }},
        {"veltrano-statistiche",
         [](DamagedArchive& t, const QByteArray&) { return t.tool("veltrano-statistiche", {}); }},
        {"veltrano-importa --aggiorna --prova",
         [](DamagedArchive& t, const QByteArray&) { return t.update(true); }},
        {"veltrano-importa --aggiorna", [](DamagedArchive& t, const QByteArray&) { return t.update(false); }},
        {"finestra di avvio", [](DamagedArchive& t, const QByteArray&) { return t.startWindow(); }},
        {"Aggiorna archivio",
         [](DamagedArchive& t, const QByteArray& bytes) { return t.frameUpdate(bytes); }},
    };

    for (const Damage& damage : damages()) {
        const QByteArray damaged = damage.make(whole, layout);
        for (const ReaderCase& reader : readers) {
            SCOPED_TRACE(std::string(damage.name) + " / " + reader.name);
            place(damaged);
            const auto before = folderContents();
            const Outcome outcome = reader.read(*this, damaged);
            if (!damage.reason) {
                EXPECT_FALSE(outcome.refused) << outcome.message.toStdString();
                continue;
            }
            ASSERT_TRUE(outcome.refused);
            const QString message = outcome.message.trimmed();
            EXPECT_TRUE(message.contains(Unreadable + archivePath + QStringLiteral(": ")))
                << message.toStdString();
            EXPECT_TRUE(message.contains(QString::fromUtf8(damage.reason))) << message.toStdString();
            EXPECT_EQ(folderContents(), before) << "the damaged archive's folder changed";
        }
    }
}

} // namespace
