#include "ErrorReport.h"
#include "JobFixture.h"

#include <QProcess>
#include <QTest>

namespace {

const QStringList ReferenceEntries[] = {
    {u"Save &As..."_qs, QStringLiteral("另存为(&A)...")},
    {u"OK"_qs, QStringLiteral("确定")},
    {u"Don't save"_qs, QStringLiteral("不保存")},
    {u"&Open"_qs, QStringLiteral("打开(&O)")},
    {u"Exit"_qs, u"Exit"_qs},
    {u"Name:"_qs, QStringLiteral("名称：")},
};

QStringList referenceGlossary()
{
    QStringList lines{u"9 1\t4 2"_qs};
    for (const QStringList &entry : ReferenceEntries)
        lines << entry.join(u'\t');
    lines << QStringLiteral("Print\t打印\tx");
    return lines;
}

QStringList twoLine(const QList<QStringList> &entries)
{
    QStringList lines;
    int number = 0;
    for (const QStringList &entry : entries)
        lines << QString() << QStringLiteral("%1:%2").arg(++number).arg(entry[0]) << entry[1];
    return lines;
}

QStringList referenceTwoLine()
{
    QList<QStringList> entries;
    for (const QStringList &entry : ReferenceEntries)
        entries << entry;
    return twoLine(entries);
}

const QList<QStringList> TodoEntries = {
    {u"&Save As...\\tCtrl+S"_qs, u"&Save As...\\tCtrl+S"_qs},
    {u" OK "_qs, u" OK "_qs},
    {u"Cancel"_qs, QStringLiteral("取消")},
    {u"Don't save"_qs, u"Don't save"_qs},
    {u"Don't save"_qs, QStringLiteral("别存")},
    {u"Name:"_qs, u"Name:"_qs},
    {u"open"_qs, u"open"_qs},
    {u"A source text longer than the limit"_qs, u"A source text longer than the limit"_qs},
};

QStringList todoGlossary()
{
    QStringList lines;
    for (const QStringList &entry : TodoEntries)
        lines << entry.join(u'\t');
    lines << u"a\tb\tc"_qs;
    return lines;
}

ProcessingOptions jobOptions()
{
    ProcessingOptions options = ProcessingOptions::full();
    options.txtLenLimit = 30;
    return options;
}

bool run(JobDriver &driver, const JobFolder &folder, const QString &todo, const QString &reference,
         const QString &output, RecordingObserver &observer, const ProcessingOptions &options = jobOptions())
{
    return driver.run({folder.path(todo), reference.startsWith(u'/') ? reference : folder.path(reference),
                       folder.path(output)},
                      options, observer)
        .done();
}

void writeDictionaries(const JobFolder &folder)
{
    folder.write(u"ref.glo"_qs, referenceGlossary());
    folder.write(u"ref.a.txt"_qs, referenceTwoLine());
    folder.write(u"todo.glo"_qs, todoGlossary());
    folder.write(u"todo.u.txt"_qs, twoLine(TodoEntries));
}

const QStringList TranslatedTwoLine = {
    QString(), u"1:&Save As...\\tCtrl+S"_qs, QStringLiteral("另存为(&S)...\\tCtrl+S"), QString(),
    u"2: OK "_qs, QStringLiteral(" 确定 "), QString(),
    u"3:Cancel"_qs, QStringLiteral("取消"), QString(),
    u"4:Don't save"_qs, QStringLiteral("不保存"), QString(),
    u"5:Don't save"_qs, QStringLiteral("别存"), QString(),
    u"6:Name:"_qs, QStringLiteral("名称:"), QString(),
    u"7:open"_qs, u"open"_qs, QString(),
    u"8:A source text longer than the limit"_qs, u"A source text longer than the limit"_qs,
};

QStringList sorted(QStringList lines)
{
    lines.sort();
    return lines;
}

void createDatabase(const QString &path, const QString &sql)
{
    QProcess sqlite;
    sqlite.start(u"sqlite3"_qs, {path, sql});
    QVERIFY(sqlite.waitForFinished());
    QCOMPARE(sqlite.exitCode(), 0);
}

}

class JobsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void translatesEachFormatPair_data()
    {
        QTest::addColumn<QString>("todo");
        QTest::addColumn<QString>("reference");
        QTest::addColumn<QStringList>("expected");
        const QStringList matchedGlossaryLines{
            QStringLiteral("&Save As...\\tCtrl+S\t另存为(&S)...\\tCtrl+S"), QStringLiteral(" OK \t 确定 "),
            QStringLiteral("Don't save\t不保存"), QStringLiteral("Name:\t名称:")};
        QTest::newRow("glossary from glossary") << u"todo.glo"_qs << u"ref.glo"_qs
                                                << QStringList{u"9 1\t4 2"_qs} + matchedGlossaryLines;
        QTest::newRow("glossary from two-line text") << u"todo.glo"_qs << u"ref.a.txt"_qs << matchedGlossaryLines;
        QTest::newRow("two-line text from glossary") << u"todo.u.txt"_qs << u"ref.glo"_qs << TranslatedTwoLine;
        QTest::newRow("two-line text from two-line text") << u"todo.u.txt"_qs << u"ref.a.txt"_qs << TranslatedTwoLine;
    }
    void translatesEachFormatPair()
    {
        QFETCH(QString, todo);
        QFETCH(QString, reference);
        QFETCH(QStringList, expected);
        JobFolder folder;
        writeDictionaries(folder);
        JobDriver driver(u"test"_qs);
        RecordingObserver observer;
        QVERIFY(run(driver, folder, todo, reference, u"out"_qs, observer));
        QVERIFY(observer.errors.isEmpty());
        const QStringList produced = folder.readLines(u"out"_qs);
        QCOMPARE(folder.read(u"out"_qs), TextCodec::encode(produced.join(u"\r\n"_qs) + u"\r\n"_qs, TextEncoding::Gb18030));
        if (todo.endsWith(u".glo")) {
            // The glossary holds the matches in the database's order, after the language line.
            QCOMPARE(produced.value(0) == u"9 1\t4 2", expected.value(0) == u"9 1\t4 2");
            QCOMPARE(sorted(produced), sorted(expected));
        } else {
            QCOMPARE(produced, expected);
            QVERIFY(folder.read(u"out"_qs).startsWith("\r\n1:&Save As..."));
        }
        QCOMPARE(observer.finishedStages.first(), 0);
        QVERIFY(folder.workFiles().isEmpty());
        QCOMPARE(driver.statistics().candidates(), 5);
        QCOMPARE(driver.statistics().translatedCandidates(), 4);
    }

    void producesTheEdgeResults_data()
    {
        QTest::addColumn<QStringList>("todo");
        QTest::addColumn<QStringList>("reference");
        QTest::addColumn<bool>("noAccelerator");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("accelerator suffix left out")
            << QStringList{u"&Save As...\\tCtrl+S\t&Save As...\\tCtrl+S"_qs}
            << QStringList{QStringLiteral("Save &As...\t另存为(&A)...")} << true
            << QStringList{QStringLiteral("&Save As...\\tCtrl+S\t另存为...\\tCtrl+S")};
        QTest::newRow("no match leaves only the language line")
            << QStringList{u"Open\tOpen"_qs} << QStringList{u"9 1\t4 2"_qs, QStringLiteral("Close\t关闭")} << false
            << QStringList{u"9 1\t4 2"_qs};
        QTest::newRow("no match and no language line gives an empty file")
            << QStringList{u"Open\tOpen"_qs} << QStringList{QStringLiteral("Close\t关闭")} << false << QStringList();
        QTest::newRow("entries as long as the limit are matched")
            << QStringList{u"Thirty characters, exactly: ok\tThirty characters, exactly: ok"_qs}
            << QStringList{QStringLiteral("Thirty characters, exactly: ok\t正好三十个字符")} << false
            << QStringList{QStringLiteral("Thirty characters, exactly: ok\t正好三十个字符")};
        QTest::newRow("empty translation line stays empty")
            << twoLine({{u"Open"_qs, QString()}, {u"Close"_qs, u"Close"_qs}}) << QStringList{QStringLiteral("Close\t关闭")}
            << false << QStringList{QString(), u"1:Open"_qs, QString(), QString(), u"2:Close"_qs, QStringLiteral("关闭")};
        QTest::newRow("stray CR before CR LF kept as read")
            << twoLine({{u"Open"_qs, QStringLiteral("打开\r")}, {u"Close"_qs, u"Close"_qs}})
            << QStringList{QStringLiteral("Close\t关闭")} << false
            << QStringList{QString(), u"1:Open"_qs, QStringLiteral("打开\r"), QString(), u"2:Close"_qs, QStringLiteral("关闭")};
    }
    void producesTheEdgeResults()
    {
        QFETCH(QStringList, todo);
        QFETCH(QStringList, reference);
        QFETCH(bool, noAccelerator);
        QFETCH(QStringList, expected);
        JobFolder folder;
        const bool twoLineTodo = todo.value(0).isEmpty();
        folder.write(twoLineTodo ? u"todo.u.txt"_qs : u"todo.glo"_qs, todo);
        folder.write(u"ref.glo"_qs, reference);
        ProcessingOptions options = jobOptions();
        options.chkNotAddANDX = noAccelerator;
        JobDriver driver(u"test"_qs);
        RecordingObserver observer;
        QVERIFY(run(driver, folder, twoLineTodo ? u"todo.u.txt"_qs : u"todo.glo"_qs, u"ref.glo"_qs, u"out"_qs,
                    observer, options));
        QCOMPARE(folder.readLines(u"out"_qs), expected);
    }

    void resultKeepsTheTodoEncoding_data()
    {
        QTest::addColumn<QString>("todo");
        QTest::newRow("two-line text") << u"todo.u.txt"_qs;
        QTest::newRow("glossary") << u"todo.glo"_qs;
    }
    void resultKeepsTheTodoEncoding()
    {
        QFETCH(QString, todo);
        JobFolder folder;
        writeDictionaries(folder);
        folder.write(todo, todo.endsWith(u".glo") ? todoGlossary() : twoLine(TodoEntries), TextEncoding::Utf8);
        JobDriver driver(u"test"_qs);
        RecordingObserver observer;
        QVERIFY(run(driver, folder, todo, u"ref.glo"_qs, u"out"_qs, observer));
        const QByteArray produced = folder.read(u"out"_qs);
        QVERIFY(produced.contains(QStringLiteral("另存为(&S)").toUtf8()));
        QVERIFY(!produced.contains(TextCodec::encode(QStringLiteral("另存为(&S)"), TextEncoding::Gb18030)));
    }

    void databaseProgressStaysBelowHundred()
    {
        JobFolder folder;
        writeDictionaries(folder);
        JobDriver driver(u"test"_qs);
        RecordingObserver observer;
        QVERIFY(run(driver, folder, u"todo.u.txt"_qs, u"ref.glo"_qs, u"out"_qs, observer));
        QVERIFY(!observer.databaseProgress.isEmpty());
        for (const QString &caption : observer.databaseProgress)
            QVERIFY2(caption.chopped(1).toInt() < 100, qPrintable(caption));
    }

    void keepsLanguagePairOfEarlierJobForTwoLineTexts()
    {
        JobFolder folder;
        writeDictionaries(folder);
        JobDriver driver(u"test"_qs);
        RecordingObserver observer;
        QVERIFY(run(driver, folder, u"todo.glo"_qs, u"ref.glo"_qs, u"out.glo"_qs, observer));
        QCOMPARE(driver.LanguagePair(), u"9 1\t4 2"_qs);
        QVERIFY(run(driver, folder, u"todo.u.txt"_qs, u"ref.a.txt"_qs, u"out.txt"_qs, observer));
        QCOMPARE(driver.LanguagePair(), u"9 1\t4 2"_qs);
    }

    // The database paths are the only user paths that reach the job's shell script.
    void savesAndReusesThePurifiedDatabase()
    {
        JobFolder folder(u"it's \"here\""_qs);
        writeDictionaries(folder);
        folder.writeBytes(u"ref.db"_qs, "an older file that is replaced whole");
        JobDriver driver(u"test"_qs);
        RecordingObserver first;
        ProcessingOptions options = jobOptions();
        options.chkSaveRefDB = true;
        options.txtSaveRefDB = folder.path(u"ref.db"_qs);
        QVERIFY(run(driver, folder, u"todo.u.txt"_qs, u"ref.glo"_qs, u"first"_qs, first, options));

        RecordingObserver second;
        QVERIFY(run(driver, folder, u"todo.u.txt"_qs, u"ref.db"_qs, u"second"_qs, second));
        QCOMPARE(driver.ReferenceDatabasePath(), folder.path(u"ref.db"_qs));
        QVERIFY(!second.finishedStages.contains(0));
        QCOMPARE(folder.readLines(u"second"_qs), TranslatedTwoLine);
        QVERIFY(second.errors.isEmpty());
    }

    void namesTheSavedDatabaseByDayAndHour()
    {
        JobFolder folder;
        writeDictionaries(folder);
        JobDriver driver(u"test"_qs);
        RecordingObserver observer;
        ProcessingOptions options = jobOptions();
        options.chkSaveRefDB = true;
        const QString dayHour = QDateTime::currentDateTime().toString(u"ddhh"_qs);
        QVERIFY(run(driver, folder, u"todo.glo"_qs, u"ref.glo"_qs, u"out"_qs, observer, options));
        QVERIFY(QFile::exists(folder.path(u"ref_"_qs + dayHour + u".db"_qs))
                || QFile::exists(folder.path(u"ref_"_qs + QDateTime::currentDateTime().toString(u"ddhh"_qs) + u".db"_qs)));
    }

    void keepsWorkFilesWhenAsked()
    {
        JobFolder folder;
        writeDictionaries(folder);
        JobDriver driver(u"test"_qs);
        RecordingObserver observer;
        ProcessingOptions options = jobOptions();
        options.chkaKeepTmpFile = true;
        QVERIFY(run(driver, folder, u"todo.u.txt"_qs, u"ref.glo"_qs, u"out"_qs, observer, options));
        QStringList extensions;
        for (const QString &file : folder.workFiles())
            extensions << file.section(u'.', -1);
        extensions.sort();
        QCOMPARE(extensions, (QStringList{u"db"_qs, u"sh"_qs, u"sh"_qs, u"sql"_qs, u"sql"_qs, u"sql"_qs, u"sql"_qs,
                                          u"txt"_qs, u"txt"_qs}));
    }

    void failuresStopTheJobAndKeepTheOutput_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<QString>("todo");
        QTest::addColumn<QString>("reference");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("keep");
        QTest::newRow("sqlite3 missing") << u"path"_qs << u"todo.u.txt"_qs << u"ref.glo"_qs << u"sqlite3"_qs << false;
        QTest::newRow("failing statement") << u"database with S"_qs << u"todo.glo"_qs << u"bad.db"_qs
                                           << u"table S already exists"_qs << false;
        QTest::newRow("failing statement, work files kept")
            << u"database with S"_qs << u"todo.u.txt"_qs << u"bad.db"_qs << QStringLiteral("临时文件保留在: ") << true;
        QTest::newRow("line break in a database from elsewhere")
            << u"database with a line break"_qs << u"todo.u.txt"_qs << u"crafted.db"_qs
            << QStringLiteral("不能用作参照: ") << false;
        QTest::newRow("saving the database cut short") << u"cp"_qs << u"todo.u.txt"_qs << u"ref.glo"_qs
                                                       << QStringLiteral("数据库脚本执行失败") << false;
        QTest::newRow("missing reference") << QString() << u"todo.glo"_qs << u"missing.glo"_qs
                                           << QStringLiteral("不能检测出“未译字典”或“参照字典”的文件格式") << false;
        QTest::newRow("legacy database") << u"legacy"_qs << u"todo.glo"_qs << u"old.db"_qs << u"SQLite 2.1"_qs
                                         << false;
        QTest::newRow("number line at the end of the to-do") << u"truncated"_qs << u"cut.u.txt"_qs << u"ref.glo"_qs
                                                             << QStringLiteral("输入超出文件尾") << false;
    }
    void failuresStopTheJobAndKeepTheOutput()
    {
        QFETCH(QString, fault);
        QFETCH(QString, todo);
        QFETCH(QString, reference);
        QFETCH(QString, message);
        QFETCH(bool, keep);
        JobFolder folder;
        writeDictionaries(folder);
        folder.writeBytes(u"out"_qs, "the user's earlier result");
        folder.writeBytes(u"saved.db"_qs, "the user's earlier database");
        ProcessingOptions options = jobOptions();
        options.chkaKeepTmpFile = keep;
        const QByteArray path = qgetenv("PATH");
        if (fault == u"path")
            qputenv("PATH", folder.path(u"empty"_qs).toLocal8Bit());
        if (fault == u"cp") {
            QDir().mkpath(folder.path(u"bin"_qs));
            // A copy that stops half-way, as on a full disk.
            folder.writeBytes(u"bin/cp"_qs, "#!/bin/sh\nprintf part > \"$4\"\nexit 1\n");
            QFile::setPermissions(folder.path(u"bin/cp"_qs), QFile::ReadOwner | QFile::ExeOwner);
            qputenv("PATH", folder.path(u"bin:"_qs).toLocal8Bit() + path);
            options.chkSaveRefDB = true;
            options.txtSaveRefDB = folder.path(u"saved.db"_qs);
        }
        if (fault == u"database with S")
            createDatabase(folder.path(u"bad.db"_qs), u"CREATE TABLE R(r1 TEXT,r2 TEXT);CREATE TABLE S(x);"_qs);
        if (fault == u"database with a line break")
            createDatabase(folder.path(u"crafted.db"_qs),
                           u"CREATE TABLE R(r1 TEXT,r2 TEXT);INSERT INTO R VALUES('OK','a'||char(10)||'1:x');"_qs);
        if (fault == u"legacy")
            folder.writeBytes(u"old.db"_qs, QByteArray("** This file contains an SQLite 2.1 database **") + QByteArray(2000, '\0'));
        if (fault == u"truncated")
            folder.write(u"cut.u.txt"_qs, {QString(), u"1:OK"_qs, u"OK"_qs, QString(), u"2:Cancel"_qs});
        JobDriver driver(u"Form 'frmMain' -> 'cmdStart_Click'"_qs);
        RecordingObserver observer;
        const bool done = run(driver, folder, todo, reference, u"out"_qs, observer, options);
        qputenv("PATH", path);
        QVERIFY(!done);
        QCOMPARE(observer.errors.size(), 1);
        QVERIFY2(observer.errors[0].description.contains(message), qPrintable(observer.errors[0].boxText()));
        QVERIFY(!observer.finishedStages.contains(3));
        QCOMPARE(folder.read(u"out"_qs), QByteArray("the user's earlier result"));
        QCOMPARE(folder.read(u"saved.db"_qs), QByteArray("the user's earlier database"));
        QVERIFY(!QFile::exists(folder.path(u"saved.db.part"_qs)));
        QCOMPARE(folder.workFiles().isEmpty(), !keep);
    }

    void hostileTextAndPathsRunNothing()
    {
        JobFolder folder(u"it's $(touch pwned1) `touch pwned2` & \"dir\""_qs);
        const QList<QStringList> todo = {
            {u"'); DROP TABLE O; --"_qs, u"'); DROP TABLE O; --"_qs},
            {u".shell touch pwned3"_qs, u".shell touch pwned3"_qs},
            {QStringLiteral("Bad\rLine"), QStringLiteral("Bad\rLine")},
            {QStringLiteral("Nul%1Char").arg(QChar(0)), QStringLiteral("Nul%1Char").arg(QChar(0))},
            {u"Don't save"_qs, u"Don't save"_qs},
        };
        folder.write(u"todo $(x).u.txt"_qs, twoLine(todo));
        folder.write(u"ref `y`.glo"_qs, {u"'); DROP TABLE O; --\tA"_qs, u".shell touch pwned3\tB"_qs,
                                         QStringLiteral("Bad\rLine\tC"), u"Don't save\tD"_qs});
        JobDriver driver(u"test"_qs);
        RecordingObserver observer;
        QVERIFY(run(driver, folder, u"todo $(x).u.txt"_qs, u"ref `y`.glo"_qs, u"out 'x'.txt"_qs, observer));
        QVERIFY(observer.errors.isEmpty());
        const QStringList lines = folder.readLines(u"out 'x'.txt"_qs);
        QCOMPARE(lines.value(2), u"A"_qs);
        QCOMPARE(lines.value(5), u"B"_qs);
        QCOMPARE(lines.value(8), u"C"_qs);
        QCOMPARE(lines.value(14), u"D"_qs);
        for (const QString &name : {u"pwned1"_qs, u"pwned2"_qs, u"pwned3"_qs}) {
            QVERIFY(!QFile::exists(folder.path(name)));
            QVERIFY(!QFile::exists(folder.path(u"app/"_qs + name)));
        }
    }
};

QTEST_GUILESS_MAIN(JobsTest)
#include "tst_jobs.moc"
