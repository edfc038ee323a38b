#include "SqlScriptWriter.h"
#include "SqlStatements.h"
#include "TestData.h"

#include <QProcess>
#include <QTemporaryDir>

namespace {

// Values a dictionary line or a grid cell could carry to break out of its statement.
const QStringList HostileValues{
    u"Don't save"_qs, u"');DROP TABLE R;--"_qs, u".shell touch pwned"_qs, u"x\n.shell touch pwned"_qs,
    u"x\r\n.read /etc/passwd\r\n"_qs, u"ends in CR\r"_qs, QString::fromUtf16(u"a\0b", 3), QString::fromUtf16(u"\0", 1),
    QString::fromUtf16(u"\r\0\n'", 4), u"C:\\temp\\t 100% & 另存为(&S)\t"_qs, u"'; .quit"_qs, QString(),
};

// The stored form of a value as hexadecimal UTF-8, as sqlite3's hex() gives it.
QString hex(QString value)
{
    return QString::fromLatin1(value.remove(QChar(u'\0')).toUtf8().toHex().toUpper());
}

// The sqlite3 shell on work.db in a temporary folder.
class Sqlite {
public:
    QString path(const QString &name) const { return m_folder.filePath(name); }

    // Runs the script the way the generated job scripts do; empty output when all went well.
    QByteArray runScript(const QString &script) const { return run({u"-safe"_qs, u"-bail"_qs, u"work.db"_qs}, script); }

    // One line per row, the columns joined by '|'.
    QStringList query(const QString &sql) const
    {
        const QByteArray output = run({u"-safe"_qs, u"-separator"_qs, u"|"_qs, u"work.db"_qs, sql});
        return QString::fromUtf8(output).split(u'\n', Qt::SkipEmptyParts);
    }

private:
    QByteArray run(const QStringList &arguments, const QString &input = QString()) const
    {
        QProcess process;
        process.setWorkingDirectory(m_folder.path());
        if (!input.isEmpty())
            process.setStandardInputFile(input);
        process.start(u"sqlite3"_qs, arguments);
        process.waitForFinished(60000);
        const QByteArray errors = process.readAllStandardError();
        if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0 || !errors.isEmpty())
            return "sqlite3 failed: " + errors;
        return process.readAllStandardOutput();
    }

    QTemporaryDir m_folder;
};

void writeRow(TableScriptWriter &writer, WorkTable table, const QStringList &f)
{
    switch (table) {
    case WorkTable::R: return writer.writeR({f[0], f[1]});
    case WorkTable::S: return writer.writeS(f[0], {f[1], f[2], f[3], f[4]});
    case WorkTable::O: return writer.writeO(f[0], f[1], f[2]);
    case WorkTable::G: return writer.writeG(f[0], f[1], f[2], f[3], f[4]);
    }
}

}

class SqlStatementsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A line end must not reach the script even where sqlite3 would accept it in a string.
    void quotesLineEndsOutsideTheString()
    {
        QCOMPARE(Sql::quoted(u"it's\r"_qs), u"'it''s'||char(13)||''"_qs);
        QCOMPARE(Sql::quoted(QString::fromUtf16(u"a\r\0\n\nb", 6)), u"'a'||char(13,10,10)||'b'"_qs);
    }

    // Each hostile value must stay inside its own statement and column: the real
    // shell loads one row per value into an indexed table, runs nothing else and
    // gives every text back intact. A longer former script is replaced whole.
    void tableScriptsKeepValues_data()
    {
        QTest::addColumn<WorkTable>("table");
        QTest::addColumn<QStringList>("columns");
        QTest::addColumn<QString>("indexed");
        QTest::newRow("R") << WorkTable::R << QStringList{"r1", "r2"} << u"r1"_qs;
        QTest::newRow("S") << WorkTable::S << QStringList{"so", "sh", "sm", "sk", "st"} << u"sm"_qs;
        QTest::newRow("O") << WorkTable::O << QStringList{"o0", "o1", "o2"} << u"o1"_qs;
        QTest::newRow("G") << WorkTable::G << QStringList{"g0", "gs", "gn", "g1", "g2"} << u"g1"_qs;
    }
    void tableScriptsKeepValues()
    {
        QFETCH(WorkTable, table);
        QFETCH(QStringList, columns);
        const QString name = QString(QTest::currentDataTag());
        Sqlite sqlite;
        const QString script = writeBytes(sqlite.path(u"t.sql"_qs), QByteArray("stale text\n").repeated(500));
        TableScriptWriter writer(script, table);
        QStringList expected;
        for (const QString &value : HostileValues) {
            QStringList fields, stored;
            for (const QString &column : columns) {
                fields << value + column;
                stored << hex(value + column);
            }
            writeRow(writer, table, fields);
            expected << stored.join(u'|');
        }
        writer.finish();

        const QByteArray text = readBytes(script);
        QVERIFY(text.startsWith("BEGIN TRANSACTION;\r\n") && text.endsWith("COMMIT;\r\n"));
        QCOMPARE(text.count('\n'), HostileValues.size() + 4);
        QCOMPARE(text.count("\r\n"), HostileValues.size() + 4);
        QCOMPARE(sqlite.runScript(script), QByteArray());
        QCOMPARE(sqlite.query(u"SELECT hex(%1) FROM %2 ORDER BY rowid;"_qs.arg(columns.join(u"),hex("_qs), name)),
                 expected);
        QTEST(sqlite.query(u"SELECT i.name FROM sqlite_master m, pragma_index_info(m.name) i "
                           "WHERE m.type='index' AND m.tbl_name='%1';"_qs.arg(name)).join(u','),
              "indexed");
        QVERIFY(!QFile::exists(sqlite.path(u"pwned"_qs)));
    }

    // An update finds its entries by the same quoted text they were stored with and
    // touches only those still untranslated; G marks them for review.
    void updatesOnlyUntranslatedEntries()
    {
        Sqlite sqlite;
        const QString tables = sqlite.path(u"t.sql"_qs), updates = sqlite.path(u"u.sql"_qs);
        TableScriptWriter o(tables, WorkTable::O);
        UpdateScriptWriter uo(updates, WorkTable::O);
        for (const QString &value : HostileValues) {
            o.writeO(u"1:"_qs + value, value, value);
            o.writeO(u"2:"_qs + value, value, u"kept"_qs);
            uo.writeUpdate(u"译\r\n"_qs + value, value);
        }
        o.finish();
        uo.finish();
        QCOMPARE(sqlite.runScript(tables), QByteArray());
        QCOMPARE(sqlite.runScript(updates), QByteArray());
        QStringList expected;
        for (const QString &value : HostileValues)
            expected << hex(value) + u'|' + hex(u"译\r\n"_qs + value) << hex(value) + u'|' + hex(u"kept"_qs);
        QCOMPARE(sqlite.query(u"SELECT hex(o1),hex(o2) FROM O ORDER BY rowid;"_qs), expected);

        TableScriptWriter g(tables, WorkTable::G);
        for (const char *status : {"未译", "已译", "不译", "复查"})
            g.writeG(QString(), QString::fromUtf8(status), u"1"_qs, u"Open"_qs, u"Open"_qs);
        g.finish();
        UpdateScriptWriter ug(updates, WorkTable::G);
        ug.writeUpdate(u"打开"_qs, u"Open"_qs);
        ug.finish();
        QCOMPARE(sqlite.runScript(tables), QByteArray());
        QCOMPARE(sqlite.runScript(updates), QByteArray());
        QCOMPARE(sqlite.query(u"SELECT gs,g2 FROM G ORDER BY rowid;"_qs),
                 (QStringList{u"复查|打开"_qs, u"已译|Open"_qs, u"不译|Open"_qs, u"复查|Open"_qs}));
    }
};

QTEST_GUILESS_MAIN(SqlStatementsTest)
#include "tst_sqlstatements.moc"
