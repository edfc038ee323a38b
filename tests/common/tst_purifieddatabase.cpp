#include "PurifiedDatabase.h"
#include "TestData.h"

#include <QProcess>
#include <QTemporaryDir>

namespace {

const QString FilledReference = QStringLiteral("CREATE TABLE R(r1 TEXT,r2 TEXT);"
        "INSERT INTO R VALUES('OPEN','打开'),('SAVE','保存');CREATE INDEX Ri ON R(r1);");
const QString ManyRows = QStringLiteral(
        "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i+1 FROM n WHERE i<20000)"
        " INSERT INTO R SELECT 'KEY'||i, '译文'||i FROM n;");

}

class PurifiedDatabaseTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void recognisesReferenceTable_data() { addTestTable(u"common/purified-scripts.txt"_qs, {"script", "purified"}); }
    void recognisesReferenceTable()
    {
        const auto [script, purified] = fields("script", "purified");
        const QString path = createDatabase(QString(script).replace(u"FILLED"_qs, FilledReference)
                                                .replace(u"MANY"_qs, ManyRows));
        QCOMPARE(IsPurifiedDatabase(path), purified == u"1");
        QVERIFY(!isLegacySqlite2Database(path));
    }

    void recognisesOtherFiles_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("legacy");
        QTest::newRow("empty") << QByteArray() << false;
        QTest::newRow("text") << QByteArray("CREATE TABLE R(r1 TEXT,r2 TEXT)\r\n").repeated(200) << false;
        QTest::newRow("sqlite 2.1") << QByteArray("** This file contains an SQLite 2.1 database **")
                    + QByteArray(1019, '\0') + QByteArray("CREATE TABLE R(r1 TEXT,r2 TEXT)") + QByteArray(500, '\0')
                                    << true;
        QTest::newRow("short sqlite 2.1 header") << QByteArray("** This file contains an SQLite 2.1") << false;
        QTest::newRow("sqlite 3 header only") << QByteArray("SQLite format 3\0", 16) << false;
    }
    void recognisesOtherFiles()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, legacy);
        const QString path = write(bytes);
        QVERIFY(!IsPurifiedDatabase(path));
        QCOMPARE(isLegacySqlite2Database(path), legacy);
    }

    // Every single byte of the header and the schema page overwritten or the file cut
    // short: the answer may change, but the check must neither crash nor read astray.
    void survivesDamagedDatabases()
    {
        const QByteArray good = readBytes(createDatabase(u"PRAGMA page_size=512;"_qs + FilledReference));
        QVERIFY(good.size() >= 512);
        for (qsizetype at = 0; at < 512; ++at) {
            for (const char value : {'\x00', '\xFF', '\x81'}) {
                QByteArray damaged = good;
                damaged[at] = value;
                IsPurifiedDatabase(write(damaged, u"damaged.db"_qs));
            }
            IsPurifiedDatabase(write(good.left(at), u"damaged.db"_qs));
        }
        QVERIFY(IsPurifiedDatabase(write(good, u"damaged.db"_qs)));
    }

private:
    QString createDatabase(const QString &script)
    {
        const QString path = m_dir.filePath(QStringLiteral("db%1.db").arg(++m_files));
        QProcess shell;
        shell.start(u"sqlite3"_qs, {path, script});
        if (!shell.waitForFinished(60000) || shell.exitCode() != 0)
            qFatal("sqlite3 failed: %s", shell.readAllStandardError().constData());
        return path;
    }

    QString write(const QByteArray &bytes, const QString &name = QString())
    {
        return writeBytes(m_dir.filePath(name.isEmpty() ? QStringLiteral("f%1.bin").arg(++m_files) : name), bytes);
    }

    QTemporaryDir m_dir;
    int m_files = 0;
};

QTEST_GUILESS_MAIN(PurifiedDatabaseTest)
#include "tst_purifieddatabase.moc"
