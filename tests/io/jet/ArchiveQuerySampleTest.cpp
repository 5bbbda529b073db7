// The reader on a database that Microsoft Access itself wrote (from the shared samples, when present).

#include "ReaderRun.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class AccessSample : public ::testing::Test {
protected:
    void SetUp() override {
        m_sample = QString(VELTRANO_SHARED_DIR "/mdb-samples/V2000_test.mdb");
        if (!QFileInfo::exists(m_sample))
            GTEST_SKIP() << "shared Access samples not present";
        ASSERT_TRUE(m_dir.isValid());
    }

    std::string sample() const { return m_sample.toStdString(); }

    // A copy of the sample's first bytes, as a file cut short would be.
    std::string truncatedCopy(qint64 size) const {
        QFile in(m_sample);
        EXPECT_TRUE(in.open(QIODevice::ReadOnly));
        const QByteArray head = in.read(size);
        const QString path = m_dir.filePath(QString("cut-%1.mdb").arg(size));
        QFile out(path);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(head);
        return path.toStdString();
    }

    QString m_sample;
    QTemporaryDir m_dir;
};

TEST_F(AccessSample, ReadsTextNumbersAndRawDatesOfAnAccessWrittenTable) {
    const ReaderRun run =
        ReaderRun::of(sample(), "SELECT Table1.A, Table1.B, Table1.E, Table1.F, Table1.G, Table1.I "
                                "From Table1 ORDER BY Table1.A");
    ASSERT_EQ(run.error, "");
    EXPECT_EQ(run.started, 2);
    ASSERT_EQ(run.rows.size(), 2u);
    EXPECT_EQ(run.column(0), (std::vector<std::string>{"a", "abcdefg"}));
    EXPECT_EQ(run.column(1), (std::vector<std::string>{"b", "hijklmnop"}));
    EXPECT_EQ(run.column(2), (std::vector<std::string>{"0", "333333333"}));
    EXPECT_EQ(std::stod(run.rows[1][3].text), 444.555);
    ASSERT_TRUE(run.rows[0][4].isDate);
    EXPECT_EQ(run.rows[0][4].date, accessDays(1981, 12, 12));
    EXPECT_EQ(run.rows[1][4].date, accessDays(1974, 9, 21));
    EXPECT_EQ(run.column(5), (std::vector<std::string>{"0", "1"}));
}

TEST_F(AccessSample, OrdersByDateNumberOrTextAsAsked) {
    const ReaderRun byDate = ReaderRun::of(sample(), "SELECT A From Table1 ORDER BY G");
    EXPECT_EQ(byDate.column(0), (std::vector<std::string>{"abcdefg", "a"}));
    const ReaderRun byNumber = ReaderRun::of(sample(), "select a from table1 order by table1.e");
    EXPECT_EQ(byNumber.column(0), (std::vector<std::string>{"a", "abcdefg"}));
    const ReaderRun byText = ReaderRun::of(sample(), "SELECT [A] FROM [Table1] ORDER BY [B]");
    EXPECT_EQ(byText.column(0), (std::vector<std::string>{"a", "abcdefg"}));
}

TEST_F(AccessSample, EmptyTableGivesZeroRows) {
    const ReaderRun run = ReaderRun::of(sample(), "SELECT Table3.a, Table3.b From Table3 ORDER BY Table3.a");
    EXPECT_EQ(run.error, "");
    EXPECT_EQ(run.started, 0);
    EXPECT_TRUE(run.rows.empty());
}

TEST_F(AccessSample, UnknownTableOrColumnIsAnErrorNamingIt) {
    const ReaderRun table = ReaderRun::of(sample(), "SELECT Nowhere.A From Nowhere ORDER BY Nowhere.A");
    EXPECT_NE(table.error.find("Nowhere"), std::string::npos) << table.error;
    const ReaderRun column =
        ReaderRun::of(sample(), "SELECT Table1.A, Table1.Zeta From Table1 ORDER BY Table1.A");
    EXPECT_NE(column.error.find("Zeta"), std::string::npos) << column.error;
    const ReaderRun order = ReaderRun::of(sample(), "SELECT Table1.A From Table1 ORDER BY Table1.Omega");
    EXPECT_NE(order.error.find("Omega"), std::string::npos) << order.error;
    EXPECT_EQ(table.started, -1);
}

TEST_F(AccessSample, QueriesOfAnotherFormAreRefused) {
    const std::vector<std::string> refused = {
        "",
        "SELECT * From Table1 ORDER BY A",
        "SELECT A From Table1",
        "SELECT A From Table1 WHERE A = 'a' ORDER BY A",
        "SELECT A, From Table1 ORDER BY A",
        "SELECT A From Table1 ORDER BY A DESC",
        "SELECT A From Table1 ORDER BY A;",
        "SELECT Table2.A From Table1 ORDER BY A",
        "SELECT A From Table1 ORDER BY Table2.A",
        "DELETE From Table1",
        "SELECT A From Table1 ORDER A",
    };
    for (const std::string& sql : refused) {
        const ReaderRun run = ReaderRun::of(sample(), sql);
        EXPECT_NE(run.error, "") << sql;
        EXPECT_TRUE(run.rows.empty()) << sql;
    }
}

TEST_F(AccessSample, MissingEmptyForeignAndTruncatedFilesAreErrors) {
    const std::string sql = "SELECT Table1.A From Table1 ORDER BY Table1.A";
    const std::string missing = m_dir.filePath("absent.mdb").toStdString();
    const ReaderRun absent = ReaderRun::of(missing, sql);
    EXPECT_NE(absent.error.find(missing), std::string::npos) << absent.error;

    QFile empty(m_dir.filePath("empty.mdb"));
    ASSERT_TRUE(empty.open(QIODevice::WriteOnly));
    empty.close();
    const ReaderRun emptyRun = ReaderRun::of(empty.fileName().toStdString(), sql);
    EXPECT_NE(emptyRun.error.find("vuoto"), std::string::npos) << emptyRun.error;

    QFile text(m_dir.filePath("notes.mdb"));
    ASSERT_TRUE(text.open(QIODevice::WriteOnly));
    text.write(QByteArray("Questo non è un archivio Access.\n").repeated(400));
    text.close();
    EXPECT_NE(ReaderRun::of(text.fileName().toStdString(), sql).error, "");

    EXPECT_NE(ReaderRun::of(m_dir.path().toStdString(), sql).error, "") << "a folder is not a database";

    // Cut inside the header, after the header, and inside the catalog.
    for (const qint64 size : {100, 4096, 2 * 4096 + 1000}) {
        const ReaderRun cut = ReaderRun::of(truncatedCopy(size), sql, std::chrono::seconds(5));
        EXPECT_NE(cut.error, "") << "cut at " << size;
    }
}

} // namespace
