#include "JobFixture.h"
#include "formats/PoJob.h"
#include "formats/TsJob.h"
#include "formats/TwoLineText.h"

namespace {

// Limit 30, so the long fixture entries are passed over.
ProcessingOptions optionsOf(const QString &words)
{
    ProcessingOptions options = ProcessingOptions::full();
    options.txtLenLimit = 30;
    const QStringList list = words.split(u' ');
    options.chkNotAddFuzzy = list.contains(u"nofuzzy"_qs);
    options.chkrTakeFuzzy = list.contains(u"takefuzzy"_qs);
    for (const QString &word : list) {
        if (word.startsWith(u"todo=") || word.startsWith(u"ref="))
            (word.startsWith(u't') ? options.todoMarker : options.referenceMarker) = word.back();
    }
    return options;
}

// Empty when the tool takes the file without a word.
QString complaint(const QString &program, const QStringList &arguments)
{
    QProcess tool;
    tool.start(program.startsWith(u'l') ? u"/usr/lib/qt6/bin/"_qs + program : program, arguments);
    const bool done = tool.waitForFinished(60000) && tool.exitStatus() == QProcess::NormalExit && tool.exitCode() == 0;
    return done ? QString() : program + u": "_qs + QString::fromUtf8(tool.readAllStandardError());
}

// What gettext's or Qt's tools say of a catalogue, empty when they take it without a word.
QString toolsComplaint(const QString &path)
{
    if (path.endsWith(u".ts")) {
        const QString converted = complaint(u"lconvert"_qs, {u"-i"_qs, path, u"-o"_qs, path + u".po"_qs});
        return converted.isEmpty() ? complaint(u"lrelease"_qs, {path, u"-qm"_qs, path + u".qm"_qs}) : converted;
    }
    const bool po = path.endsWith(u".po") || path.endsWith(u".pot");
    return po ? complaint(u"msgfmt"_qs, {u"--check-format"_qs, u"--check-header"_qs, u"-o"_qs, u"/dev/null"_qs, path})
              : QString();
}

// The tools take what a job wrote when they took its to-do.
void verifyToolsAccept(const QString &todo, const QString &output)
{
    if (toolsComplaint(todo).isEmpty())
        QCOMPARE(toolsComplaint(output), QString());
}

// The translations of a result entry by entry, as a two-line text holds them.
QStringList translationsIn(const QString &path)
{
    QStringList translations;
    if (path.endsWith(u".txt")) {
        TextFileReader file(path);
        TwoLineTextReader reader(file.lines());
        for (DictionaryEntry entry; reader.next(entry);)
            translations << entry.translation;
        return translations;
    }
    const auto catalogue = path.endsWith(u".po") ? openPoJobCatalogue(path) : openTsJobCatalogue(path);
    for (qsizetype i = 0; i < catalogue->count(); ++i) {
        const QString text = catalogue->translation(i);
        translations << JobText::fromCatalogue(text.isEmpty() ? catalogue->source(i) : text);
    }
    return translations;
}

// The job on two files of the folder, into "out" with the to-do's extension.
bool run(const JobFolder &folder, const QString &todo, const QString &reference, const ProcessingOptions &options,
         RecordingObserver &observer, QString *output)
{
    *output = folder.path(u"out."_qs + todo.section(u'.', -1));
    return JobDriver(u"test"_qs).run({folder.path(todo), folder.path(reference), *output}, options, observer).done();
}

}

class CatalogueJobsTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // A catalogue to-do gets the translations found, in every plural form and context, marked
    // for review unless asked otherwise; translated, fuzzy, obsolete, vanished and 不译 entries
    // stay, and a to-do nothing matches comes back byte for byte. Dictionaries take the
    // catalogues' texts the other way round.
    void fillsTheToDo_data() { addTestTable(u"catalogue-jobs/fills.txt"_qs, {"todo", "reference", "options", "expected"}); }
    void fillsTheToDo()
    {
        const auto [todo, reference, options, expected] = fields("todo", "reference", "options", "expected");
        JobFolder folder;
        const QString todoName = todo.section(u'/', -1), referenceName = u"ref."_qs + reference.section(u'.', 1);
        folder.writeBytes(todoName, testData(todo));
        folder.writeBytes(referenceName, testData(reference));
        RecordingObserver observer;
        QString output;
        QVERIFY(run(folder, todoName, referenceName, optionsOf(options), observer, &output));
        QVERIFY(observer.errors.isEmpty() && folder.workFiles().isEmpty());
        QList<QByteArray> produced = readBytes(output).split('\n'), wanted = testData(expected == u"=" ? todo : expected).split('\n');
        if (output.endsWith(u".glo")) { // one line per match, in the database's order
            std::sort(produced.begin(), produced.end());
            std::sort(wanted.begin(), wanted.end());
        }
        QCOMPARE(produced, wanted);
        verifyToolsAccept(folder.path(todoName), output);
    }

    // A catalogue and a dictionary of the same strings give the same translations, each to-do
    // entry by entry, duplicate reference sources included.
    void sameTranslationsAsTwoLineFiles_data()
    {
        QTest::addColumn<QString>("todo");
        QTest::addColumn<QString>("reference");
        for (const char *todo : {"todo.po", "todo.ts", "todo.u.txt"}) {
            for (const char *reference : {"ref.po", "ref.ts", "ref.glo"})
                QTest::addRow("%s from %s", todo, reference) << QString::fromLatin1(todo) << QString::fromLatin1(reference);
        }
    }
    void sameTranslationsAsTwoLineFiles()
    {
        const auto [todo, reference] = fields("todo", "reference");
        JobFolder folder;
        folder.copyData(u"catalogue-jobs/same"_qs);
        RecordingObserver observer;
        QString output, twoLineOutput;
        QVERIFY(run(folder, u"todo.u.txt"_qs, u"ref.a.txt"_qs, optionsOf(QString()), observer, &twoLineOutput));
        const QStringList expected = translationsIn(twoLineOutput);
        QVERIFY(run(folder, todo, reference, optionsOf(QString()), observer, &output));
        QCOMPARE(translationsIn(output), expected);
        QVERIFY(observer.errors.isEmpty());
    }

    // The machine's own zh_CN catalogues come back byte for byte when nothing matches; cleared
    // of their translations and filled again from themselves, as PO and as TS, they stay
    // acceptable to gettext's and Qt's tools.
    void realCataloguesStayAcceptable_data()
    {
        QTest::addColumn<QString>("mo");
        for (const QString &name : {u"gtk20.mo"_qs, u"dpkg.mo"_qs})
            QTest::newRow(qPrintable(name)) << u"/usr/share/locale/zh_CN/LC_MESSAGES/"_qs + name;
    }
    void realCataloguesStayAcceptable()
    {
        QFETCH(QString, mo);
        if (!QFile::exists(mo))
            QSKIP("no such zh_CN catalogue on this machine");
        JobFolder folder;
        const QString po = folder.path(u"real.po"_qs), cleared = folder.path(u"cleared.po"_qs);
        QCOMPARE(complaint(u"msgunfmt"_qs, {mo, u"-o"_qs, po}), QString());
        QCOMPARE(complaint(u"msgfilter"_qs, {u"--keep-header"_qs, u"-i"_qs, po, u"-o"_qs, cleared, u"sed"_qs, u"d"_qs}), QString());
        QCOMPARE(complaint(u"lconvert"_qs, {u"-i"_qs, cleared, u"-o"_qs, folder.path(u"cleared.ts"_qs)}), QString());
        folder.writeBytes(u"unrelated.glo"_qs, testData(u"catalogue-jobs/unrelated.glo"_qs));
        RecordingObserver observer;
        QString output;
        QVERIFY(run(folder, u"real.po"_qs, u"unrelated.glo"_qs, optionsOf(QString()), observer, &output));
        QCOMPARE(readBytes(output), readBytes(po));
        for (const QString &todo : {u"cleared.po"_qs, u"cleared.ts"_qs}) {
            QVERIFY(run(folder, todo, u"real.po"_qs, optionsOf(u"todo=_ ref=_"_qs), observer, &output));
            QVERIFY(readBytes(output) != readBytes(folder.path(todo)));
            verifyToolsAccept(folder.path(todo), output);
        }
        QVERIFY(observer.errors.isEmpty());
    }
};

QTEST_GUILESS_MAIN(CatalogueJobsTest)
#include "tst_cataloguejobs.moc"
