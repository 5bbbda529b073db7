// Damaged archives must end in a JetError or a well-formed result, never in a crash of the program
// and never in a wait longer than the silence limit.

#include "ArchiveFixture.h"
#include "ReaderRun.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <random>

namespace {

using namespace std::chrono_literals;
using archive_fixture::drawRow;

const std::string kQuery = "SELECT EstrazioniLotto.DataEstrazione, EstrazioniLotto.Ba, EstrazioniLotto.Ca, "
                           "EstrazioniLotto.Fi, EstrazioniLotto.Ge, EstrazioniLotto.Mi, EstrazioniLotto.Na, "
                           "EstrazioniLotto.Pa, EstrazioniLotto.Ro, EstrazioniLotto.To, EstrazioniLotto.Ve, "
                           "EstrazioniLotto.Nz From EstrazioniLotto ORDER BY EstrazioniLotto.DataEstrazione";

constexpr auto kSilence = 1000ms;
// Starting a process and a poll round on a busy machine: generous, still far below a hang.
constexpr auto kSlack = 9s;

class DamagedArchiveQuery : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        std::vector<std::vector<jet::Value>> rows;
        for (int i = 0; i < 40; ++i)
            rows.push_back(drawRow(accessDays(2001, 3, 1) + 3 * i, "05 12 33 47 90"));
        const std::string path = archive_fixture::writeArchive(QDir(m_dir.path()), rows, "originale.mdb");
        QFile file(QString::fromStdString(path));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        m_original = file.readAll();
        ASSERT_GE(m_original.size(), 4096 * 3);
    }

    std::string save(const QByteArray& bytes, const QString& name) const {
        const QString path = m_dir.filePath(name);
        QFile out(path);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
        return path.toStdString();
    }

    // The contract: an error, or rows exactly as announced, each with every selected column.
    static void expectErrorOrWellFormed(const ReaderRun& run, const std::string& what) {
        EXPECT_LT(run.elapsed, kSilence + kSlack) << what;
        if (!run.error.empty())
            return;
        EXPECT_EQ(run.started, static_cast<int>(run.rows.size())) << what;
        for (const auto& row : run.rows) {
            ASSERT_EQ(row.size(), 12u) << what;
            EXPECT_TRUE(row[0].isNull || row[0].isDate) << what;
        }
    }

    QTemporaryDir m_dir;
    QByteArray m_original;
};

TEST_F(DamagedArchiveQuery, UndamagedCopyReadsInFull) {
    const ReaderRun run = ReaderRun::of(save(m_original, "copia.mdb"), kQuery);
    ASSERT_EQ(run.error, "");
    EXPECT_EQ(run.rows.size(), 40u);
}

TEST_F(DamagedArchiveQuery, TruncatedFilesFailOrReadCleanly) {
    const qsizetype size = m_original.size();
    for (const qsizetype cut : {qsizetype{0}, qsizetype{1}, qsizetype{100}, qsizetype{4095}, qsizetype{4096},
                                qsizetype{4096 * 2 + 7}, qsizetype{4096 * 3}, size - 4096, size - 1}) {
        const std::string what = "cut at " + std::to_string(cut);
        const ReaderRun run = ReaderRun::of(save(m_original.left(cut), "cut.mdb"), kQuery, kSilence);
        expectErrorOrWellFormed(run, what);
        if (cut < 4096 * 3) {
            EXPECT_NE(run.error, "") << what << ": nothing of the table is left, yet it read";
        }
    }
}

TEST_F(DamagedArchiveQuery, FilesThatAreNotAccessDatabasesFail) {
    QByteArray zeros(m_original.size(), '\0');
    QByteArray noise(m_original.size(), '\0');
    std::mt19937 random(7);
    for (char& byte : noise)
        byte = static_cast<char>(random() & 0xFF);
    QByteArray otherMagic = m_original;
    otherMagic.replace(4, 15, "MSISAM Database");
    for (const auto& [bytes, name] : {std::pair{zeros, "zeri"}, std::pair{noise, "rumore"},
                                      std::pair{QByteArray("PK\x03\x04 not a database"), "zip"}}) {
        const ReaderRun run = ReaderRun::of(save(bytes, QString(name) + ".mdb"), kQuery, kSilence);
        EXPECT_NE(run.error, "") << name;
        EXPECT_LT(run.elapsed, kSilence + kSlack) << name;
    }
    expectErrorOrWellFormed(ReaderRun::of(save(otherMagic, "msisam.mdb"), kQuery, kSilence), "MSISAM magic");
}

TEST_F(DamagedArchiveQuery, RandomByteFlipsFailOrReadCleanly) {
    // Most of a small database is zero padding, where a flip changes nothing: aim at the bytes in use
    // (page headers, catalog, table definition, rows) and at the start of each page. Deterministic:
    // the same 48 damaged files every run, with one to sixteen flipped bytes each.
    std::vector<qsizetype> used;
    for (qsizetype at = 0; at < m_original.size(); ++at) {
        if (m_original[at] != 0 || at % 4096 < 32)
            used.push_back(at);
    }
    int failures = 0;
    int differing = 0;
    for (int i = 0; i < 48; ++i) {
        std::mt19937 random(static_cast<std::mt19937::result_type>(1000 + i));
        QByteArray damaged = m_original;
        const int flips = 1 + static_cast<int>(random() % 16);
        for (int f = 0; f < flips; ++f) {
            const qsizetype at = used[random() % used.size()];
            damaged[at] = static_cast<char>(damaged[at] ^ static_cast<char>(1 + random() % 255));
        }
        const ReaderRun run = ReaderRun::of(save(damaged, QString("danno-%1.mdb").arg(i)), kQuery, kSilence);
        expectErrorOrWellFormed(run, "mutation " + std::to_string(i));
        failures += run.error.empty() ? 0 : 1;
        differing += !run.error.empty() || run.rows.size() != 40 ? 1 : 0;
    }
    RecordProperty("mutations_ending_in_error", failures);
    // The mutations must actually reach what libmdb reads, or this test proves nothing.
    EXPECT_GE(differing, 8);
}

TEST_F(DamagedArchiveQuery, ZeroedPagesFailOrReadCleanly) {
    const qsizetype pages = m_original.size() / 4096;
    for (qsizetype page = 0; page < pages; ++page) {
        QByteArray damaged = m_original;
        damaged.replace(page * 4096, 4096, QByteArray(4096, '\0'));
        const ReaderRun run = ReaderRun::of(save(damaged, "pagina.mdb"), kQuery, kSilence);
        expectErrorOrWellFormed(run, "page " + std::to_string(page) + " zeroed");
        if (page == 0 || page == 2) {
            EXPECT_NE(run.error, "") << "without the header or the catalog nothing can be read";
        }
    }
}

} // namespace
