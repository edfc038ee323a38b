#include "JobFixture.h"
#include "formats/CatalogueJob.h"
#include "formats/PoCatalogue.h"
#include "formats/TsCatalogue.h"
#include "formats/TwoLineText.h"

#include <QXmlStreamWriter>

namespace {

// Limit 30, so the long fixture entries are passed over.
ProcessingOptions optionsOf(const QString &words)
{
    ProcessingOptions options = ProcessingOptions::full();
    options.txtLenLimit = 30;
    for (const QString &word : words.split(u' ', Qt::SkipEmptyParts)) {
        if (word.startsWith(u"todo="))
            options.todoMarker = word.back();
        else if (word.startsWith(u"ref="))
            options.referenceMarker = word.back();
        else if (word == u"nofuzzy")
            options.chkNotAddFuzzy = true;
        else if (word == u"takefuzzy")
            options.chkrTakeFuzzy = true;
        else
            qFatal("unknown option word %s", qPrintable(word));
    }
    return options;
}

// What gettext's and Qt's tools say of a file, empty when they take it without a word.
QString toolComplaint(const QString &program, const QStringList &arguments)
{
    QProcess tool;
    tool.start(program, arguments);
    if (!tool.waitForFinished(60000) || tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0)
        return program + u": "_qs + QString::fromUtf8(tool.readAllStandardError());
    return QString();
}

QString msgfmtComplaint(const QString &path)
{
    return toolComplaint(u"msgfmt"_qs, {u"--check-format"_qs, u"--check-header"_qs, u"-o"_qs, u"/dev/null"_qs, path});
}

QString qtToolsComplaint(const QString &path)
{
    const QString tools = u"/usr/lib/qt6/bin/"_qs;
    const QString complaint =
        toolComplaint(tools + u"lconvert"_qs, {u"-i"_qs, path, u"-o"_qs, path + u".converted.po"_qs});
    return complaint.isEmpty() ? toolComplaint(tools + u"lrelease"_qs, {path, u"-qm"_qs, path + u".qm"_qs}) : complaint;
}

// A file the tools accept must stay acceptable after the job.
void verifyToolsAccept(const QString &input, const QString &output)
{
    if (output.endsWith(u".po") && msgfmtComplaint(input).isEmpty())
        QCOMPARE(msgfmtComplaint(output), QString());
    if (output.endsWith(u".ts"))
        QCOMPARE(qtToolsComplaint(output), QString());
}

QByteArray sortedLines(const QByteArray &text)
{
    QList<QByteArray> lines = text.split('\n');
    std::sort(lines.begin(), lines.end());
    return lines.join('\n');
}

// The pairs of the comparison below: kind (todo or ref), source and translation, as a
// dictionary line holds them ("\t" for a tab, "\n" for a line break).
struct Pair {
    QString source;
    QString translation;
};

QList<Pair> pairsOf(const QString &kind)
{
    QList<Pair> pairs;
    for (const QString &line : QString::fromUtf8(testData(u"catalogue-jobs/same-translations.txt"_qs)).split(u'\n')) {
        const QStringList fields = line.split(u'|');
        if (fields.size() == 3 && fields[0] == kind)
            pairs.append({fields[1], fields[2]});
    }
    return pairs;
}

QByteArray poString(const QString &dictionaryText)
{
    return '"' + QString(dictionaryText).replace(u'"', u"\\\""_qs).toUtf8() + '"';
}

QByteArray poFile(const QList<Pair> &pairs)
{
    QByteArray po = "msgid \"\"\nmsgstr \"Content-Type: text/plain; charset=UTF-8\\n\"\n";
    int context = 0;
    // Each entry in a context of its own, so that one source may come twice.
    for (const Pair &pair : pairs) {
        po += "\nmsgctxt \"" + QByteArray::number(++context) + "\"\nmsgid " + poString(pair.source) + "\nmsgstr "
            + (pair.translation == pair.source ? QByteArray("\"\"") : poString(pair.translation)) + '\n';
    }
    return po;
}

QByteArray tsFile(const QList<Pair> &pairs)
{
    QByteArray ts;
    QXmlStreamWriter xml(&ts);
    xml.writeStartDocument();
    xml.writeStartElement(u"TS"_qs);
    xml.writeAttribute(u"version"_qs, u"2.1"_qs);
    xml.writeAttribute(u"language"_qs, u"zh_CN"_qs);
    xml.writeStartElement(u"context"_qs);
    xml.writeTextElement(u"name"_qs, u"C"_qs);
    for (const Pair &pair : pairs) {
        xml.writeStartElement(u"message"_qs);
        xml.writeTextElement(u"source"_qs, JobText::toCatalogue(pair.source));
        xml.writeStartElement(u"translation"_qs);
        if (pair.translation == pair.source)
            xml.writeAttribute(u"type"_qs, u"unfinished"_qs);
        else
            xml.writeCharacters(JobText::toCatalogue(pair.translation));
        xml.writeEndElement();
        xml.writeEndElement();
    }
    xml.writeEndDocument();
    return ts;
}

QByteArray dictionaryFile(const QList<Pair> &pairs, bool glossary)
{
    QString text;
    int number = 0;
    for (const Pair &pair : pairs) {
        text += glossary ? pair.source + u'\t' + pair.translation + u"\r\n"_qs
                         : u"\r\n%1:%2\r\n%3\r\n"_qs.arg(++number).arg(pair.source, pair.translation);
    }
    return TextCodec::encode(text, TextEncoding::Utf8);
}

QByteArray fileOf(const QString &name, const QList<Pair> &pairs)
{
    if (name.endsWith(u".po"))
        return poFile(pairs);
    if (name.endsWith(u".ts"))
        return tsFile(pairs);
    return dictionaryFile(pairs, name.endsWith(u".glo"));
}

// The translations of a result, entry by entry, as a dictionary line holds them.
QStringList translationsIn(const QString &path)
{
    QStringList translations;
    if (path.endsWith(u".po")) {
        const PoCatalogue po = PoCatalogue::fromFile(path);
        for (int i = 0; i < po.count(); ++i)
            translations << JobText::fromCatalogue(po.translation(i).isEmpty() ? po.msgid(i) : po.translation(i));
    } else if (path.endsWith(u".ts")) {
        const TsCatalogue ts = TsCatalogue::read(path);
        for (qsizetype i = 0; i < ts.messageCount(); ++i) {
            const TsMessage &message = ts.message(i);
            const QString text = message.translations.value(0);
            translations << JobText::fromCatalogue(text.isEmpty() ? message.source : text);
        }
    } else {
        TextFileReader file(path);
        TwoLineTextReader reader(file.lines());
        for (DictionaryEntry entry; reader.next(entry);)
            translations << entry.translation;
    }
    return translations;
}

}

class CatalogueJobsTest : public QObject {
    Q_OBJECT

    // Runs the job on two files of the folder into "out" + the to-do's extension.
    static bool run(const JobFolder &folder, const QString &todo, const QString &reference,
                    const ProcessingOptions &options, RecordingObserver &observer, QString *output)
    {
        *output = folder.path(u"out."_qs + todo.section(u'.', -1));
        JobDriver driver(u"test"_qs);
        return driver.run({folder.path(todo), folder.path(reference), *output}, options, observer).done();
    }

private Q_SLOTS:
    // A catalogue to-do gets the translations found, every plural form and context, marked
    // for review unless asked otherwise; translated, fuzzy, obsolete, vanished and 不译
    // entries stay. Dictionaries take the catalogues' texts the other way round.
    void fillsTheToDo_data()
    {
        addTestTable(u"catalogue-jobs/fills.txt"_qs, {"todo", "reference", "options", "expected"});
    }
    void fillsTheToDo()
    {
        const auto [todo, reference, options, expected] = fields("todo", "reference", "options", "expected");
        JobFolder folder;
        folder.copyData(u"catalogue-jobs"_qs);
        RecordingObserver observer;
        QString output;
        QVERIFY(run(folder, todo, reference, optionsOf(options), observer, &output));
        QCOMPARE(observer.errors.size(), 0);
        QVERIFY(folder.workFiles().isEmpty());
        QByteArray produced = readBytes(output), wanted = testData(u"catalogue-jobs/"_qs + expected);
        if (output.endsWith(u".glo")) { // one line per match, in the database's order
            produced = sortedLines(produced);
            wanted = sortedLines(wanted);
        }
        QCOMPARE(produced, wanted);
        verifyToolsAccept(folder.path(todo), output);
    }

    // Whatever a reference holds, a to-do it matches nothing of comes back byte for byte.
    void nothingMatchedGivesTheToDoBack_data()
    {
        QTest::addColumn<QString>("fixture");
        for (const QString &folder : {u"po"_qs, u"ts"_qs, u"catalogue-jobs"_qs}) {
            for (const QString &name : QDir(testDataPath(folder)).entryList({u"*.po"_qs, u"*.pot"_qs, u"*.ts"_qs}))
                QTest::newRow(qPrintable(name)) << folder + u'/' + name;
        }
    }
    void nothingMatchedGivesTheToDoBack()
    {
        QFETCH(QString, fixture);
        JobFolder folder;
        const QString todo = fixture.section(u'/', -1);
        folder.writeBytes(todo, testData(fixture));
        folder.writeBytes(u"ref.glo"_qs, "Nothing\t无\r\n");
        RecordingObserver observer;
        QString output;
        QVERIFY(run(folder, todo, u"ref.glo"_qs, optionsOf(QString()), observer, &output));
        QCOMPARE(readBytes(output), testData(fixture));
    }

    // A catalogue and a dictionary of the same strings give the same translations, each to-do
    // entry by entry, duplicate reference sources included.
    void sameTranslationsAsTwoLineFiles_data()
    {
        QTest::addColumn<QString>("todo");
        QTest::addColumn<QString>("reference");
        for (const char *todo : {"todo.po", "todo.ts", "todo.u.txt"}) {
            for (const char *reference : {"ref.po", "ref.ts", "ref.glo", "ref.a.txt"})
                QTest::addRow("%s from %s", todo, reference) << QString::fromLatin1(todo) << QString::fromLatin1(reference);
        }
    }
    void sameTranslationsAsTwoLineFiles()
    {
        const auto [todo, reference] = fields("todo", "reference");
        JobFolder folder;
        for (const QString &name : {todo, reference, u"todo.u.txt"_qs, u"ref.a.txt"_qs})
            folder.writeBytes(name, fileOf(name, pairsOf(name.startsWith(u"todo") ? u"todo"_qs : u"ref"_qs)));
        RecordingObserver observer;
        QString output, twoLineOutput;
        QVERIFY(run(folder, u"todo.u.txt"_qs, u"ref.a.txt"_qs, optionsOf(QString()), observer, &twoLineOutput));
        const QStringList expected = translationsIn(twoLineOutput);
        QVERIFY(run(folder, todo, reference, optionsOf(QString()), observer, &output));
        QCOMPARE(translationsIn(output), expected);
        QCOMPARE(observer.errors.size(), 0);
    }

    // A file its reader refuses stops the job at its stage with the file and the line; the
    // earlier result stays.
    void malformedCatalogueStopsTheJob_data()
    {
        addTestTable(u"catalogue-jobs/malformed.txt"_qs, {"role", "name", "content", "message"});
    }
    void malformedCatalogueStopsTheJob()
    {
        const auto [role, name, content, message] = fields("role", "name", "content", "message");
        JobFolder folder;
        folder.copyData(u"catalogue-jobs"_qs);
        folder.writeBytes(name, cellBytes(content));
        folder.writeBytes(u"out.po"_qs, "the earlier result");
        const bool todo = role == u"todo";
        RecordingObserver observer;
        JobDriver driver(u"test"_qs);
        QVERIFY(!driver.run({folder.path(todo ? name : u"todo.po"_qs), folder.path(todo ? u"reference.po"_qs : name),
                             folder.path(u"out.po"_qs)},
                            optionsOf(QString()), observer)
                     .done());
        QCOMPARE(observer.errors.size(), 1);
        QVERIFY2(observer.errors[0].description.contains(QString(message).replace(u"%1"_qs, folder.path(name))),
                 qPrintable(observer.errors[0].boxText()));
        QCOMPARE(folder.read(u"out.po"_qs), QByteArray("the earlier result"));
        QVERIFY(folder.workFiles().isEmpty());
    }

    // The machine's own zh_CN catalogues: cleared of their translations and filled again from
    // themselves, as PO and as TS, they stay acceptable to gettext's and Qt's tools; untouched
    // they come back byte for byte.
    void realCataloguesStayAcceptable_data()
    {
        QTest::addColumn<QString>("mo");
        const QString folder = u"/usr/share/locale/zh_CN/LC_MESSAGES/"_qs;
        int found = 0;
        for (const QString &name : {u"gtk20.mo"_qs, u"dpkg.mo"_qs}) {
            if (QFile::exists(folder + name) && ++found)
                QTest::newRow(qPrintable(name)) << folder + name;
        }
        if (found == 0)
            QTest::newRow("none") << QString();
    }
    void realCataloguesStayAcceptable()
    {
        QFETCH(QString, mo);
        if (mo.isEmpty())
            QSKIP("no zh_CN catalogues on this machine");
        JobFolder folder;
        const QString po = folder.path(u"real.po"_qs), cleared = folder.path(u"cleared.po"_qs);
        QCOMPARE(toolComplaint(u"msgunfmt"_qs, {mo, u"-o"_qs, po}), QString());
        QCOMPARE(toolComplaint(u"msgfilter"_qs, {u"--keep-header"_qs, u"-i"_qs, po, u"-o"_qs, cleared, u"sed"_qs,
                                                 u"-e"_qs, u"d"_qs}),
                 QString());
        QCOMPARE(toolComplaint(u"/usr/lib/qt6/bin/lconvert"_qs,
                               {u"-i"_qs, cleared, u"-o"_qs, folder.path(u"cleared.ts"_qs), u"-target-language"_qs, u"zh_CN"_qs}),
                 QString());
        folder.writeBytes(u"unrelated.glo"_qs, "Nothing here\t无\r\n");
        RecordingObserver observer;
        QString output;
        QVERIFY(run(folder, u"real.po"_qs, u"unrelated.glo"_qs, optionsOf(QString()), observer, &output));
        QCOMPARE(readBytes(output), readBytes(po));
        for (const QString &todo : {u"cleared.po"_qs, u"cleared.ts"_qs}) {
            QVERIFY(run(folder, todo, u"real.po"_qs, optionsOf(u"todo=_ ref=_"_qs), observer, &output));
            QVERIFY(readBytes(output) != readBytes(folder.path(todo)));
            verifyToolsAccept(folder.path(todo), output);
        }
        QCOMPARE(observer.errors.size(), 0);
    }

    // Texts come back from the match tables as they went in.
    void jobTextsComeBack_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("stored");
        QTest::newRow("plain") << u"Open"_qs << u"Open"_qs;
        QTest::newRow("tab and line feed") << u"a\tb\nc\r"_qs << u"a\\tb\\nc\\r"_qs;
        QTest::newRow("backslashes") << u"C:\\new\\\\t"_qs << u"C:\\\\new\\\\\\\\t"_qs;
        QTest::newRow("ends in a backslash") << u"x\\"_qs << u"x\\\\"_qs;
    }
    void jobTextsComeBack()
    {
        QFETCH(QString, text);
        QTEST(JobText::fromCatalogue(text), "stored");
        QCOMPARE(JobText::toCatalogue(JobText::fromCatalogue(text)), text);
        // A dictionary's own backslashes stay.
        QCOMPARE(JobText::toCatalogue(u"C:\\dir\\x\\"_qs), u"C:\\dir\\x\\"_qs);
    }
};

QTEST_GUILESS_MAIN(CatalogueJobsTest)
#include "tst_cataloguejobs.moc"
