#include "ErrorReport.h"
#include "JobFixture.h"
#include "ProcessStatus.h"

#include <QTest>

#include <sys/stat.h>

namespace {

ProcessingOptions jobOptions()
{
    ProcessingOptions options = ProcessingOptions::full();
    options.txtLenLimit = 30;
    return options;
}

// The tests' only call of the driver.
bool run(JobDriver &driver, const JobFolder &folder, const QString &todo, const QString &reference,
         RecordingObserver &observer, const ProcessingOptions &options = jobOptions(),
         const QString &output = u"out"_qs)
{
    return driver.run({folder.path(todo), folder.path(reference), folder.path(output)}, options, observer).done();
}

QString dataText(const QString &name)
{
    return TextCodec::decode(testData(u"engine/"_qs + name), TextEncoding::Gb18030);
}

QStringList sorted(QStringList lines)
{
    lines.sort();
    return lines;
}

}

class JobsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void translatesEachFormatPair_data()
    {
        addTestTable(u"engine/format-pairs.txt"_qs, {"todo", "reference", "encoding", "withPair", "generator"});
    }
    void translatesEachFormatPair()
    {
        const auto [todo, reference, encodingName, withPair] = fields("todo", "reference", "encoding", "withPair");
        const TextEncoding encoding = encodingName == u"UTF-8" ? TextEncoding::Utf8 : TextEncoding::Gb18030;
        const QString languages = withPair == u"1" ? u"9 1\t4 2\r\n"_qs : QString();
        JobFolder folder;
        folder.copyData(u"engine"_qs);
        folder.writeBytes(todo, TextCodec::encode(dataText(todo), encoding));
        JobDriver driver(u"test"_qs);
        RecordingObserver observer;
        QVERIFY(run(driver, folder, todo, reference, observer));
        QVERIFY(observer.errors.isEmpty());
        const QString expected = languages + dataText(u"expected"_qs + todo.mid(4));
        if (todo.endsWith(u".glo")) { // the matches in the database's order, after the language line
            const QString produced = TextCodec::decode(folder.read(u"out"_qs), encoding);
            QVERIFY(produced.startsWith(languages));
            QCOMPARE(sorted(produced.split(u"\r\n"_qs)), sorted(expected.split(u"\r\n"_qs)));
        } else {
            QCOMPARE(folder.read(u"out"_qs), TextCodec::encode(expected, encoding));
        }
        QCOMPARE(observer.finishedStages.first(), 0);
        QVERIFY(folder.workFiles().isEmpty());
        QCOMPARE(driver.statistics().candidates(), 5);
        QCOMPARE(driver.statistics().translatedCandidates(), 4);
        QVERIFY(!observer.databaseProgress.isEmpty());
        for (const QString &caption : observer.databaseProgress)
            QVERIFY2(caption.chopped(1).toInt() < 100, qPrintable(caption));
        // A two-line job after it keeps its language pair.
        const QString pair = driver.LanguagePair();
        QVERIFY(run(driver, folder, u"todo.u.txt"_qs, u"ref.a.txt"_qs, observer));
        QCOMPARE(driver.LanguagePair(), pair);
        // Without sqlite3 the job stops in its generator, named by the pair.
        const QByteArray path = qgetenv("PATH");
        qputenv("PATH", folder.path(u"empty"_qs).toLocal8Bit());
        RecordingObserver failing;
        const bool done = run(driver, folder, todo, reference, failing);
        qputenv("PATH", path);
        QVERIFY(!done);
        QTEST(failing.errors.value(0).location.section(u'\'', 1, 1), "generator");
    }

    void producesTheEdgeResults_data()
    {
        addTestTable(u"engine/edge-cases.txt"_qs, {"noSuffix", "markers", "todo", "reference", "expected"});
    }
    void producesTheEdgeResults()
    {
        const auto [noSuffix, markers, todo, reference, expected] =
            fields("noSuffix", "markers", "todo", "reference", "expected");
        JobFolder folder;
        const QString todoName = todo.startsWith(u'/') ? u"todo.u.txt"_qs : u"todo.glo"_qs;
        folder.write(todoName, todo.split(u'/'));
        folder.write(u"ref.glo"_qs, reference.split(u'/'));
        ProcessingOptions options = jobOptions();
        options.chkNotAddANDX = noSuffix == u"1";
        options.todoMarker = markers.at(0);
        options.referenceMarker = markers.at(1);
        JobDriver driver(u"test"_qs);
        RecordingObserver observer;
        QVERIFY(run(driver, folder, todoName, u"ref.glo"_qs, observer, options));
        QCOMPARE(folder.readLines(u"out"_qs), expected.isEmpty() ? QStringList() : expected.split(u'/'));
    }

    // The database paths are the only user paths that reach the job's shell script.
    void savesAndReusesThePurifiedDatabase()
    {
        JobFolder folder(u"it's \"here\""_qs);
        folder.copyData(u"engine"_qs);
        folder.writeBytes(u"ref.db"_qs, "an older file that is replaced whole");
        JobDriver driver(u"test"_qs);
        RecordingObserver first, second;
        ProcessingOptions options = jobOptions();
        options.chkSaveRefDB = true;
        options.txtSaveRefDB = folder.path(u"ref.db"_qs);
        QVERIFY(run(driver, folder, u"todo.u.txt"_qs, u"ref.glo"_qs, first, options));
        QVERIFY(run(driver, folder, u"todo.u.txt"_qs, u"ref.db"_qs, second));
        QCOMPARE(driver.ReferenceDatabasePath(), folder.path(u"ref.db"_qs));
        QVERIFY(!second.finishedStages.contains(0));
        QCOMPARE(folder.read(u"out"_qs), testData(u"engine/expected.u.txt"_qs));
        QVERIFY(second.errors.isEmpty());
    }

    // Without a name the saved database is named by day and hour.
    void keepsWorkFilesWhenAsked()
    {
        JobFolder folder;
        folder.copyData(u"engine"_qs);
        JobDriver driver(u"test"_qs);
        RecordingObserver observer;
        ProcessingOptions options = jobOptions();
        options.chkaKeepTmpFile = options.chkSaveRefDB = true;
        const QString before = QDateTime::currentDateTime().toString(u"ddhh"_qs);
        QVERIFY(run(driver, folder, u"todo.u.txt"_qs, u"ref.glo"_qs, observer, options));
        const QString after = QDateTime::currentDateTime().toString(u"ddhh"_qs);
        const auto saved = [&](const QString &hour) { return QFile::exists(folder.path(u"ref_%1.db"_qs.arg(hour))); };
        QVERIFY(saved(before) || saved(after));
        QStringList extensions;
        for (const QString &file : folder.workFiles())
            extensions << file.section(u'.', -1);
        QCOMPARE(sorted(extensions).join(u' '), u"db sh sh sql sql sql sql txt txt"_qs);
    }

    void failuresStopTheJobAndKeepTheOutput_data()
    {
        addTestTable(u"engine/failures.txt"_qs, {"fault", "todo", "reference", "message", "keep"});
    }
    void failuresStopTheJobAndKeepTheOutput()
    {
        const auto [fault, todo, reference, message, keep] = fields("fault", "todo", "reference", "message", "keep");
        JobFolder folder;
        folder.copyData(u"engine"_qs);
        folder.writeBytes(u"out"_qs, "the user's earlier result");
        folder.writeBytes(u"saved.db"_qs, "the user's earlier database");
        ProcessingOptions options = jobOptions();
        options.chkaKeepTmpFile = keep == u"1";
        const QByteArray path = qgetenv("PATH");
        if (fault == u"path")
            qputenv("PATH", folder.path(u"empty"_qs).toLocal8Bit());
        if (fault == u"cp") { // a copy that stops half-way, as on a full disk
            folder.writeBytes(u"bin/cp"_qs, "#!/bin/sh\nprintf part > \"$4\"\nexit 1\n");
            QFile::setPermissions(folder.path(u"bin/cp"_qs), QFile::ReadOwner | QFile::ExeOwner);
            qputenv("PATH", folder.path(u"bin:"_qs).toLocal8Bit() + path);
            options.chkSaveRefDB = true;
            options.txtSaveRefDB = folder.path(u"saved.db"_qs);
        }
        if (fault.startsWith(u"sql:"))
            folder.createDatabase(u"bad.db"_qs, fault.mid(4));
        if (fault == u"fifo")
            mkfifo(QFile::encodeName(folder.path(reference)).constData(), 0600);
        JobDriver driver(u"Form 'frmMain' -> 'cmdStart_Click'"_qs);
        RecordingObserver observer;
        const bool done = run(driver, folder, todo, reference, observer, options);
        qputenv("PATH", path);
        QVERIFY(!done);
        QCOMPARE(observer.errors.size(), 1);
        QVERIFY2(observer.errors[0].description.contains(message), qPrintable(observer.errors[0].boxText()));
        QVERIFY(!observer.finishedStages.contains(3));
        QCOMPARE(folder.read(u"out"_qs), QByteArray("the user's earlier result"));
        QCOMPARE(folder.read(u"saved.db"_qs), QByteArray("the user's earlier database"));
        QVERIFY(!QFile::exists(folder.path(u"saved.db.part"_qs)));
        QCOMPARE(folder.workFiles().isEmpty(), !options.chkaKeepTmpFile);
    }

    // A job clears away what jobs killed outright left, and only that; its own work
    // files go with it, their mark last.
    void clearsOnlyWorkOfEndedProcesses_data() { addTestTable(u"engine/work-owners.txt"_qs, {"owner", "kept"}); }
    void clearsOnlyWorkOfEndedProcesses()
    {
        const auto [owner, kept] = fields("owner", "kept");
        JobFolder folder;
        folder.copyData(u"engine"_qs);
        QProcess ended;
        ended.start(u"sh"_qs, {u"-c"_qs, u"echo $$"_qs});
        QVERIFY(ended.waitForFinished());
        const ProcessStatus self = ProcessStatus::self();
        const QMap<QString, QByteArray> marks{
            {u"running"_qs, u"%1 %2"_qs.arg(self.pid).arg(self.startTicks).toLatin1()},
            {u"ended"_qs, ended.readAllStandardOutput().trimmed() + ' ' + QByteArray::number(self.startTicks)},
            {u"restarted"_qs, u"%1 %2"_qs.arg(self.pid).arg(self.startTicks + 1).toLatin1()},
            {u"garbled"_qs, "12"}};
        const QStringList owned{u"app/tlyOld.owner"_qs, u"app/tlyOld-1.sql"_qs, u"app/tlyOld/job-1/x.db"_qs};
        for (const QString &name : owned)
            folder.writeBytes(name, marks[owner]);
        for (const QString &other : {u"app/tlyOlder.sql"_qs, u"app/tlyold-1.sql"_qs})
            folder.writeBytes(other, "not under the mark");
        JobDriver driver(u"test"_qs);
        RecordingObserver observer;
        QVERIFY(run(driver, folder, u"todo.glo"_qs, u"ref.glo"_qs, observer));
        for (const QString &name : owned)
            QCOMPARE(QFile::exists(folder.path(name)), kept == u"1");
        QCOMPARE(QFileInfo::exists(folder.path(u"app/tlyOld"_qs)), kept == u"1");
        QCOMPARE(folder.workFiles().size(), kept == u"1" ? 4 : 2);
    }

    // The database saved from the hostile reference (a CR in one value) serves the next job alike.
    void hostileTextAndPathsRunNothing()
    {
        JobFolder folder(u"it's $(touch pwned1) `touch pwned2` & \"dir\""_qs);
        const QString todo = u"todo $(x).u.txt"_qs, reference = u"ref `y`.glo"_qs;
        folder.writeBytes(todo, testData(u"engine/hostile.u.txt"_qs));
        folder.writeBytes(reference, testData(u"engine/hostile.glo"_qs));
        JobDriver driver(u"test"_qs);
        RecordingObserver first, second;
        ProcessingOptions options = jobOptions();
        options.chkSaveRefDB = true;
        options.txtSaveRefDB = folder.path(u"ref $(z).db"_qs);
        QVERIFY(run(driver, folder, todo, reference, first, options, u"out 'x'.txt"_qs));
        QVERIFY(run(driver, folder, todo, u"ref $(z).db"_qs, second, jobOptions(), u"again.txt"_qs));
        QVERIFY(first.errors.isEmpty() && second.errors.isEmpty());
        const QStringList lines = folder.readLines(u"out 'x'.txt"_qs);
        QCOMPARE(QStringList({lines.value(2), lines.value(5), lines.value(8), lines.value(14)}).join(u""), u"ABCD"_qs);
        QCOMPARE(folder.readLines(u"again.txt"_qs), lines);
        for (const QString &name : {u"pwned1"_qs, u"pwned2"_qs, u"pwned3"_qs})
            QVERIFY(!QFile::exists(folder.path(name)) && !QFile::exists(folder.path(u"app/"_qs + name)));
    }
};

QTEST_GUILESS_MAIN(JobsTest)
#include "tst_jobs.moc"
