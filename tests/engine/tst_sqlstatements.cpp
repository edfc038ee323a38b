#include "SqlScriptWriter.h"
#include "SqlStatements.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

QByteArray lines(std::initializer_list<const char *> statements)
{
    QByteArray text;
    for (const char *statement : statements)
        text.append(statement).append("\r\n");
    return text;
}

// Values a dictionary line or a grid cell could carry to break out of its statement.
const QStringList HostileValues{
    QStringLiteral("Don't save"),
    QStringLiteral("');DROP TABLE R;--"),
    QStringLiteral(".shell touch pwned"),
    QStringLiteral("x\n.shell touch pwned"),
    QStringLiteral("x\r\n.read /etc/passwd\r\n"),
    QStringLiteral("ends in CR\r"),
    QString::fromUtf16(u"a\0b", 3),
    QString::fromUtf16(u"\0", 1),
    QString::fromUtf16(u"\r\0\n'", 4),
    QStringLiteral("C:\\temp\\t 100% & 另存为(&S)\t"),
    QStringLiteral("'; .quit"),
    QString(),
};

QString storedForm(QString value)
{
    return value.remove(QChar(u'\0'));
}

class Sqlite {
public:
    explicit Sqlite(const QString &folder)
        : m_folder(folder), m_program(QStandardPaths::findExecutable(QStringLiteral("sqlite3")))
    {
    }

    bool available() const { return !m_program.isEmpty(); }

    // Runs the script the way the generated job scripts do.
    QByteArray runScript(const QString &script) const
    {
        QProcess process;
        process.setWorkingDirectory(m_folder);
        process.setStandardInputFile(script);
        process.start(m_program, {QStringLiteral("-safe"), QStringLiteral("-bail"), database()});
        return finished(process);
    }

    QByteArray query(const QString &sql) const
    {
        QProcess process;
        process.setWorkingDirectory(m_folder);
        process.start(m_program, {QStringLiteral("-safe"), QStringLiteral("-separator"), QStringLiteral("|"),
                                  database(), sql});
        return finished(process);
    }

    // Each stored value as hexadecimal UTF-8, one row per line, so line breaks in
    // the values cannot disturb the reading.
    QList<QStringList> hexRows(const QString &columns, const QString &table) const
    {
        QList<QStringList> rows;
        const QByteArray output = query(QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid;").arg(columns, table));
        for (const QByteArray &line : output.split('\n')) {
            if (!line.isEmpty())
                rows.append(QString::fromLatin1(line).split(u'|'));
        }
        return rows;
    }

private:
    QString database() const { return m_folder + QStringLiteral("/work.db"); }

    static QByteArray finished(QProcess &process)
    {
        if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit
            || process.exitCode() != 0) {
            qWarning() << "sqlite3 failed:" << process.readAllStandardError();
            return QByteArrayLiteral("failed");
        }
        const QByteArray errors = process.readAllStandardError();
        if (!errors.isEmpty())
            qWarning() << "sqlite3 said:" << errors;
        return process.readAllStandardOutput();
    }

    QString m_folder;
    QString m_program;
};

QString hex(const QString &value)
{
    return QString::fromLatin1(storedForm(value).toUtf8().toHex().toUpper());
}

}

class SqlStatementsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void quotesValue_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("expected");
        QTest::newRow("empty") << QString() << QStringLiteral("''");
        QTest::newRow("plain") << QStringLiteral("OK") << QStringLiteral("'OK'");
        QTest::newRow("quote") << QStringLiteral("Don't save") << QStringLiteral("'Don''t save'");
        QTest::newRow("only quotes") << QStringLiteral("''") << QStringLiteral("''''''");
        QTest::newRow("backslashes and escaped tab") << QStringLiteral("C:\\dir\\tCtrl+S") << QStringLiteral("'C:\\dir\\tCtrl+S'");
        QTest::newRow("chinese") << QStringLiteral("另存为(&S)…") << QStringLiteral("'另存为(&S)…'");
        QTest::newRow("tab character") << QStringLiteral("a\tb") << QStringLiteral("'a\tb'");
        QTest::newRow("percent and ampersand") << QStringLiteral("100% && more") << QStringLiteral("'100% && more'");
        QTest::newRow("other control characters") << QStringLiteral("\x1b\x01\x7f") << QStringLiteral("'\x1b\x01\x7f'");
        QTest::newRow("carriage return") << QStringLiteral("a\rb") << QStringLiteral("'a'||char(13)||'b'");
        QTest::newRow("line feed alone") << QStringLiteral("\n") << QStringLiteral("''||char(10)||''");
        QTest::newRow("line end run") << QStringLiteral("a\r\n\nb") << QStringLiteral("'a'||char(13,10,10)||'b'");
        QTest::newRow("nul dropped") << QString::fromUtf16(u"a\0b", 3) << QStringLiteral("'ab'");
        QTest::newRow("nul inside line ends") << QString::fromUtf16(u"\r\0\n", 3) << QStringLiteral("''||char(13,10)||''");
        QTest::newRow("quote beside line end") << QStringLiteral("it's\r\n'") << QStringLiteral("'it''s'||char(13,10)||''''");
    }
    void quotesValue()
    {
        QFETCH(QString, value);
        QTEST(Sql::quoted(value), "expected");
    }

    void writesScript_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QList<QStringList>>("rows");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("reference table") << QStringLiteral("R")
                                         << QList<QStringList>{{"Save As", "另存为"}, {"Don't", "不要"}}
                                         << lines({"BEGIN TRANSACTION;", "CREATE TABLE R(r1 TEXT,r2 TEXT);",
                                                   "INSERT INTO R VALUES ('Save As','另存为');",
                                                   "INSERT INTO R VALUES ('Don''t','不要');",
                                                   "CREATE INDEX irm ON R(r1);", "COMMIT;"});
        QTest::newRow("empty reference table")
            << QStringLiteral("R") << QList<QStringList>{}
            << lines({"BEGIN TRANSACTION;", "CREATE TABLE R(r1 TEXT,r2 TEXT);", "CREATE INDEX irm ON R(r1);", "COMMIT;"});
        QTest::newRow("to-do table, duplicates kept")
            << QStringLiteral("S") << QList<QStringList>{{"OK", "", "OK", "", ""}, {"OK", "", "OK", "", ""}}
            << lines({"BEGIN TRANSACTION;", "CREATE TABLE S(so TEXT,sh TEXT,sm TEXT,sk TEXT,st TEXT);",
                      "INSERT INTO S VALUES ('OK','','OK','','');", "INSERT INTO S VALUES ('OK','','OK','','');",
                      "CREATE INDEX ism ON S(sm);", "COMMIT;"});
        QTest::newRow("entry table O")
            << QStringLiteral("O") << QList<QStringList>{{"1:Open", "Open", "Open"}}
            << lines({"BEGIN TRANSACTION;", "CREATE TABLE O(o0 TEXT,o1 TEXT,o2 TEXT);",
                      "INSERT INTO O VALUES ('1:Open','Open','Open');", "CREATE INDEX ioo ON O(o1);", "COMMIT;"});
        QTest::newRow("entry table G")
            << QStringLiteral("G") << QList<QStringList>{{"", "未译", "1", "Open\tx", "Open\tx"}}
            << lines({"BEGIN TRANSACTION;", "CREATE TABLE G(g0 TEXT,gs TEXT,gn TEXT,g1 TEXT,g2 TEXT);",
                      "INSERT INTO G VALUES ('','未译','1','Open\tx','Open\tx');", "CREATE INDEX igg ON G(g1);",
                      "COMMIT;"});
        QTest::newRow("updates of O")
            << QStringLiteral("update O") << QList<QStringList>{{"打开(&O)", "&Open"}, {"a\rb", "x"}}
            << lines({"BEGIN TRANSACTION;", "UPDATE O SET o2='打开(&O)' WHERE o1='&Open' AND o2=o1;",
                      "UPDATE O SET o2='a'||char(13)||'b' WHERE o1='x' AND o2=o1;", "COMMIT;"});
        QTest::newRow("updates of G")
            << QStringLiteral("update G") << QList<QStringList>{{"打开", "Open"}}
            << lines({"BEGIN TRANSACTION;", "UPDATE G SET g2='打开',gs='复查' WHERE g1='Open' AND gs='未译';", "COMMIT;"});
        QTest::newRow("no updates") << QStringLiteral("update G") << QList<QStringList>{}
                                    << lines({"BEGIN TRANSACTION;", "COMMIT;"});
    }
    void writesScript()
    {
        QFETCH(QString, kind);
        QFETCH(QList<QStringList>, rows);
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("script.sql"));
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("stale content that is longer than the script\n") > 0);
        old.close();
        if (kind.startsWith(QStringLiteral("update"))) {
            UpdateScriptWriter writer(path, kind.endsWith(u'O') ? WorkTable::O : WorkTable::G);
            for (const QStringList &row : rows)
                writer.writeUpdate(row[0], row[1]);
            writer.finish();
        } else {
            TableScriptWriter writer(path, kind == u"R"   ? WorkTable::R
                                             : kind == u"S" ? WorkTable::S
                                             : kind == u"O" ? WorkTable::O
                                                            : WorkTable::G);
            for (const QStringList &row : rows) {
                if (kind == u"R")
                    writer.writeR({row[0], row[1]});
                else if (kind == u"S")
                    writer.writeS(row[0], {row[1], row[2], row[3], row[4]});
                else if (kind == u"O")
                    writer.writeO(row[0], row[1], row[2]);
                else
                    writer.writeG(row[0], row[1], row[2], row[3], row[4]);
            }
            writer.finish();
        }
        QTEST(readFile(path), "expected");
    }

    void stoppedWriterLeavesFormerFile()
    {
        QTemporaryDir folder;
        const QString path = folder.filePath(QStringLiteral("script.sql"));
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("former\r\n") > 0);
        old.close();
        {
            TableScriptWriter writer(path, WorkTable::R);
            writer.writeR({QStringLiteral("a"), QStringLiteral("b")});
        }
        QCOMPARE(readFile(path), QByteArray("former\r\n"));
    }

    // Each hostile value must stay inside its own statement: the real shell loads
    // exactly one row per value, runs nothing else and gives the text back intact.
    void hostileValuesStayValues()
    {
        QTemporaryDir folder;
        Sqlite sqlite(folder.path());
        QVERIFY2(sqlite.available(), "sqlite3 is needed for this test");

        const QString tableScript = folder.filePath(QStringLiteral("r.sql"));
        TableScriptWriter reference(tableScript, WorkTable::R);
        for (const QString &value : HostileValues)
            reference.writeR({value, value + QStringLiteral("译")});
        reference.finish();
        QCOMPARE(readFile(tableScript).count("\r\n"), HostileValues.size() + 4);
        QCOMPARE(readFile(tableScript).count('\n'), HostileValues.size() + 4);
        QCOMPARE(sqlite.runScript(tableScript), QByteArray());

        const QList<QStringList> stored = sqlite.hexRows(QStringLiteral("hex(r1),hex(r2)"), QStringLiteral("R"));
        QCOMPARE(stored.size(), HostileValues.size());
        for (qsizetype i = 0; i < stored.size(); ++i) {
            QCOMPARE(stored[i].value(0), hex(HostileValues[i]));
            QCOMPARE(stored[i].value(1), hex(HostileValues[i] + QStringLiteral("译")));
        }
        QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("pwned"))));
    }

    // The update finds the entries again by the same quoted text it stored them with.
    void hostileValuesUpdateTheirOwnRows()
    {
        QTemporaryDir folder;
        Sqlite sqlite(folder.path());
        QVERIFY2(sqlite.available(), "sqlite3 is needed for this test");

        const QString tableScript = folder.filePath(QStringLiteral("o.sql"));
        TableScriptWriter entries(tableScript, WorkTable::O);
        for (qsizetype i = 0; i < HostileValues.size(); ++i)
            entries.writeO(QStringLiteral("%1:").arg(i + 1) + HostileValues[i], HostileValues[i], HostileValues[i]);
        entries.finish();
        const QString updateScript = folder.filePath(QStringLiteral("u.sql"));
        UpdateScriptWriter updates(updateScript, WorkTable::O);
        for (const QString &value : HostileValues)
            updates.writeUpdate(QStringLiteral("译\r\n") + value, value);
        updates.finish();
        QCOMPARE(sqlite.runScript(tableScript), QByteArray());
        QCOMPARE(sqlite.runScript(updateScript), QByteArray());

        const QList<QStringList> stored = sqlite.hexRows(QStringLiteral("hex(o1),hex(o2)"), QStringLiteral("O"));
        QCOMPARE(stored.size(), HostileValues.size());
        for (qsizetype i = 0; i < stored.size(); ++i) {
            QCOMPARE(stored[i].value(0), hex(HostileValues[i]));
            QCOMPARE(stored[i].value(1), hex(QStringLiteral("译\r\n") + HostileValues[i]));
        }
    }
};

QTEST_GUILESS_MAIN(SqlStatementsTest)
#include "tst_sqlstatements.moc"
